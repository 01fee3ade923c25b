#include "backup/backup_marker.h"

#include <charconv>

#include "lists/list_file.h"
#include "lists/list_rules.h"
#include "settings/preferences.h"
#include "toolkit/path_compare.h"
#include "toolkit/utf.h"

namespace kelvane {
namespace {

constexpr std::string_view kMarkerFirstLine = "Kelvane backup 1";

bool EndsWithIgnoringCase(std::wstring_view name, std::wstring_view suffix) {
  return name.size() >= suffix.size() && SamePath(name.substr(name.size() - suffix.size()), suffix);
}

template <typename Number>
bool ReadNumber(std::string_view text, int base, Number* value) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *value, base);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

BackupFileRecord RecordOf(std::wstring path, std::string_view bytes) {
  return {std::move(path), bytes.size(), ContentChecksum(bytes)};
}

std::string BackupMarkerText(const std::vector<BackupFileRecord>& files) {
  std::string text(kMarkerFirstLine);
  text += "\r\n";
  for (const BackupFileRecord& file : files) {
    char checksum[17] = {};
    auto [end, error] = std::to_chars(checksum, checksum + 16, file.checksum, 16);
    (void)error;
    const std::string hex(checksum, end);
    text += std::to_string(file.size) + '\t' + std::string(16 - hex.size(), '0') + hex + '\t' +
            WideToUtf8(file.path) + "\r\n";
  }
  return text;
}

std::optional<std::vector<BackupFileRecord>> ParseBackupMarker(std::string_view text) {
  // Every line ends with CR LF: a marker cut short fails like a damaged one.
  std::vector<BackupFileRecord> files;
  bool first = true;
  while (!text.empty()) {
    const size_t end = text.find("\r\n");
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 2);
    if (first) {
      if (line != kMarkerFirstLine) return std::nullopt;
      first = false;
      continue;
    }
    const size_t tab1 = line.find('\t');
    const size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
    if (tab2 == std::string_view::npos) return std::nullopt;
    BackupFileRecord file;
    const std::string_view hex = line.substr(tab1 + 1, tab2 - tab1 - 1);
    if (!ReadNumber(line.substr(0, tab1), 10, &file.size) || hex.size() != 16 ||
        !ReadNumber(hex, 16, &file.checksum)) {
      return std::nullopt;
    }
    file.path = Utf8ToWide(line.substr(tab2 + 1));
    if (file.path.empty()) return std::nullopt;
    files.push_back(std::move(file));
  }
  if (first) return std::nullopt;
  return files;
}

bool IsTemporaryFileName(std::wstring_view name) { return EndsWithIgnoringCase(name, L".tmp"); }

bool IsListFileName(std::wstring_view name) {
  for (int kind : kListKinds) {
    if (SamePath(name, ListFileName(kind))) return true;
  }
  return false;
}

bool IsProgramDataFileName(std::wstring_view name) {
  return IsListFileName(name) || SamePath(name, kPreferencesFileName);
}

bool ListFileIsWhole(std::string_view bytes) {
  return !bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r') && IsUndamagedListFile(bytes);
}

}  // namespace kelvane
