#include "settings/keyvalue_file.h"

namespace kelvane {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// NUL ends a line too: no valid text holds one, and a file partly overwritten
// with zero bytes (a crash during someone else's write) should still yield
// the keys that survived, not values with NULs glued to them.
bool IsLineEnd(wchar_t c) { return c == L'\r' || c == L'\n' || c == L'\0'; }

std::wstring_view TrimLeft(std::wstring_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::wstring_view TrimRight(std::wstring_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

wchar_t FoldAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; }

bool EqualsIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

std::wstring DecodeText(std::string_view bytes, AnsiDecoder decodeAnsi) {
  if (bytes.size() > 2 && bytes.substr(0, 3) == kUtf8Bom) return Utf8ToWide(bytes.substr(3));
  return decodeAnsi ? decodeAnsi(bytes) : Cp1252ToWide(bytes);
}

// The part of a value that may be written: the format cannot carry a line end.
std::wstring_view OneLine(std::wstring_view s) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (IsLineEnd(s[i])) return s.substr(0, i);
  }
  return s;
}

}  // namespace

KeyValueReader::KeyValueReader(std::string_view bytes, AnsiDecoder decodeAnsi) {
  const std::wstring text = DecodeText(bytes, decodeAnsi);
  const std::wstring_view all(text);
  size_t pos = 0;
  while (pos < all.size()) {
    size_t end = pos;
    while (end < all.size() && !IsLineEnd(all[end])) ++end;
    const std::wstring_view line = TrimLeft(all.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line.front() == L';') continue;
    // Keys of groups are not ours: everything from the first group on is ignored.
    if (line.front() == L'[' && line.find(L']') != std::wstring_view::npos) break;
    const size_t eq = line.find(L'=');
    if (eq == std::wstring_view::npos) continue;
    const std::wstring_view key = TrimRight(line.substr(0, eq));
    if (key.empty()) continue;
    entries_.emplace_back(std::wstring(key), std::wstring(TrimLeft(line.substr(eq + 1))));
  }
}

const std::wstring* KeyValueReader::Find(std::wstring_view key) const {
  for (const auto& [name, value] : entries_) {
    if (EqualsIgnoringAsciiCase(name, key)) return &value;
  }
  return nullptr;
}

std::wstring KeyValueReader::ReadString(std::wstring_view key, std::wstring_view fallback) const {
  const std::wstring* value = Find(key);
  return std::wstring(value ? TrimRight(*value) : fallback);
}

int32_t KeyValueReader::ReadNumber(std::wstring_view key, int32_t fallback) const {
  const std::wstring* value = Find(key);
  return value ? ParseKeyValueNumber(*value) : fallback;
}

int32_t ParseKeyValueNumber(std::wstring_view value) {
  value = TrimLeft(value);
  bool negative = false;
  if (!value.empty() && (value.front() == L'-' || value.front() == L'+')) {
    negative = value.front() == L'-';
    value.remove_prefix(1);
  }
  // Unsigned arithmetic wraps, which is exactly "modulo 2^32" at any length.
  uint32_t magnitude = 0;
  for (wchar_t c : value) {
    if (c < L'0' || c > L'9') break;
    magnitude = magnitude * 10u + static_cast<uint32_t>(c - L'0');
  }
  return static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
}

void KeyValueWriter::WriteString(std::wstring_view key, std::wstring_view value) {
  std::string text = WideToUtf8(key);
  text += " = ";
  text += WideToUtf8(OneLine(value));
  for (Line& line : lines_) {
    if (!line.key.empty() && EqualsIgnoringAsciiCase(line.key, key)) {
      line.key = key;
      line.text = std::move(text);
      return;
    }
  }
  lines_.push_back({std::wstring(key), std::move(text)});
}

void KeyValueWriter::WriteNumber(std::wstring_view key, int32_t value) {
  WriteString(key, std::to_wstring(value));
}

void KeyValueWriter::WriteComment(std::wstring_view text) {
  lines_.push_back({std::wstring(), "; " + WideToUtf8(OneLine(text))});
}

std::string KeyValueWriter::Text() const {
  std::string out(kUtf8Bom);
  out += "\r\n";
  for (const Line& line : lines_) {
    out += line.text;
    out += "\r\n";
  }
  return out;
}

}  // namespace kelvane
