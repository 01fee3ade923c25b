#include "explorer/explorer_selection.h"


namespace kelvane {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

bool IsDotEntry(std::wstring_view name) { return name == L"." || name == L".."; }

std::vector<std::wstring> CollectSelectedPaths(std::wstring_view folder, std::span<const FolderRowInfo> rows) {
  std::vector<std::wstring> paths;
  for (const FolderRowInfo& row : rows) {
    if (!row.selected || row.name.empty() || IsDotEntry(row.name)) continue;
    std::wstring path = std::wstring(folder) + row.name;
    // A drive row stands for the whole drive: no command takes it as a file.
    if (IsVolumeRootPath(path)) continue;
    paths.push_back(std::move(path));
  }
  return paths;
}

std::vector<std::wstring> SplitAtLineFeeds(std::wstring_view text) {
  std::vector<std::wstring> fields;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(L'\n', start);
    if (end == std::wstring_view::npos) {
      fields.emplace_back(text.substr(start));
      return fields;
    }
    fields.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
}

std::wstring JoinWithLineFeeds(std::span<const std::wstring> fields) {
  std::wstring text;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) text.push_back(L'\n');
    text += fields[i];
  }
  return text;
}

bool IsNameWithinFolder(std::wstring_view name) {
  if (name.empty() || IsDotEntry(name)) return false;
  for (wchar_t c : name) {
    if (IsSeparator(c)) return false;
  }
  return true;
}

}  // namespace kelvane
