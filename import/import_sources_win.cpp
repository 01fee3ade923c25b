#include "import/import_sources_win.h"

#include <shlobj.h>

#include <algorithm>
#include <functional>

#include "import/bookmarks.h"
#include "import/pick_list.h"
#include "import/url_file.h"
#include "lists/list_rules.h"
#include "toolkit/handle_win.h"
#include "toolkit/path_parts.h"
#include "toolkit/shortcut_target_win.h"
#include "toolkit/utf_win.h"

namespace kelvane {
namespace {

// Deeper folders are not looked into: the Start menu and the favourites are
// a few levels deep, and a loop of junctions must not hold the import.
constexpr int kMaxFolderDepth = 8;

std::wstring Joined(const std::wstring& folder, const std::wstring& name) {
  return WithTrailingBackslash(std::wstring_view(folder)) + name;
}

bool IsSubfolder(const WIN32_FIND_DATAW& found) {
  const std::wstring_view name = found.cFileName;
  return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
         name != L"." && name != L"..";
}

// Calls `visit` with each entry of a folder matching `pattern`.
void ForEachIn(const std::wstring& folder, const wchar_t* pattern,
               const std::function<void(const WIN32_FIND_DATAW&)>& visit) {
  WIN32_FIND_DATAW found{};
  UniqueFind find(FindFirstFileExW(Joined(folder, pattern).c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                   nullptr, 0));
  if (!find) return;
  do {
    visit(found);
  } while (FindNextFileW(find.get(), &found));
}

// The subfolders and the files of a folder, each in name order: not every
// file system lists them so, and the pick list should not change order
// from one disk to another.
void ListFolder(const std::wstring& folder, std::vector<std::wstring>* subfolders, std::vector<std::wstring>* files) {
  ForEachIn(folder, L"*", [&](const WIN32_FIND_DATAW& found) {
    if (IsSubfolder(found)) {
      subfolders->push_back(Joined(folder, found.cFileName));
    } else if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      files->push_back(Joined(folder, found.cFileName));
    }
  });
  std::sort(subfolders->begin(), subfolders->end());
  std::sort(files->begin(), files->end());
}

void ForEachSubfolder(const std::wstring& folder, const std::function<void(const std::wstring&)>& visit) {
  std::vector<std::wstring> subfolders, files;
  ListFolder(folder, &subfolders, &files);
  for (const std::wstring& subfolder : subfolders) visit(subfolder);
}

// Files (not folders) of a folder and its subfolders, the folder's own first.
void ForEachFileBelow(const std::wstring& folder, int depth, const std::function<void(const std::wstring&)>& visit) {
  std::vector<std::wstring> subfolders, files;
  ListFolder(folder, &subfolders, &files);
  for (const std::wstring& file : files) visit(file);
  if (depth >= kMaxFolderDepth) return;
  for (const std::wstring& subfolder : subfolders) ForEachFileBelow(subfolder, depth + 1, visit);
}

bool HasExtension(const std::wstring& path, std::wstring_view extension) {
  return path.size() > extension.size() &&
         SameNameIgnoringCase(std::wstring_view(path).substr(path.size() - extension.size()), extension);
}

void LookForProfiles(const std::wstring& browserFolder, std::vector<std::wstring>* files) {
  const std::wstring userData = Joined(browserFolder, L"User Data");
  if (!DirectoryExists(userData)) return;
  const std::wstring first = Joined(userData, L"Default\\Bookmarks");
  if (PathExists(first)) files->push_back(first);
  std::vector<std::wstring> profiles;
  ForEachIn(userData, L"Profile *", [&](const WIN32_FIND_DATAW& found) {
    if (IsSubfolder(found)) profiles.push_back(Joined(Joined(userData, found.cFileName), L"Bookmarks"));
  });
  std::sort(profiles.begin(), profiles.end());
  for (const std::wstring& file : profiles) {
    if (PathExists(file)) files->push_back(file);
  }
}

void AddBookmarks(const std::vector<Bookmark>& bookmarks, std::vector<PickRow>* rows) {
  for (const Bookmark& bookmark : bookmarks) rows->push_back({bookmark.name, bookmark.url, L"", true});
}

}  // namespace

std::wstring LocalAppDataFolder() {
  const DWORD size = GetEnvironmentVariableW(L"LOCALAPPDATA", nullptr, 0);
  if (size == 0) return {};
  std::wstring folder(size, L'\0');
  folder.resize(GetEnvironmentVariableW(L"LOCALAPPDATA", folder.data(), size));
  return folder;
}

std::wstring KnownFolderPath(const GUID& id) {
  PWSTR path = nullptr;
  const HRESULT result = SHGetKnownFolderPath(id, 0, nullptr, &path);
  std::wstring folder = SUCCEEDED(result) && path ? std::wstring(path) : std::wstring();
  CoTaskMemFree(path);
  return folder;
}

std::vector<std::wstring> FindBrowserBookmarkFiles(const std::wstring& localAppData) {
  std::vector<std::wstring> files;
  if (localAppData.empty()) return files;
  ForEachSubfolder(localAppData, [&](const std::wstring& maker) {
    LookForProfiles(maker, &files);
    ForEachSubfolder(maker, [&](const std::wstring& browser) { LookForProfiles(browser, &files); });
  });
  return files;
}

std::vector<PickRow> BookmarkFileRows(const std::vector<std::wstring>& jsonFiles) {
  std::vector<PickRow> rows;
  std::string bytes;
  for (const std::wstring& file : jsonFiles) {
    if (ReadWholeFile(file, &bytes)) AddBookmarks(ReadBookmarksJson(bytes), &rows);
  }
  return rows;
}

std::vector<PickRow> BookmarkHtmlRows(const std::wstring& htmlFile) {
  std::vector<PickRow> rows;
  std::string bytes;
  if (ReadWholeFile(htmlFile, &bytes)) AddBookmarks(ReadBookmarksHtml(bytes), &rows);
  return rows;
}

std::vector<PickRow> FavouriteShortcutRows(const std::vector<std::wstring>& folders) {
  std::vector<PickRow> rows;
  std::string bytes;
  for (const std::wstring& folder : folders) {
    ForEachFileBelow(folder, 0, [&](const std::wstring& path) {
      std::wstring target;
      if (HasExtension(path, L".url")) {
        if (ReadWholeFile(path, &bytes)) target = ReadUrlFileAddress(bytes);
      } else if (HasExtension(path, L".lnk")) {
        target = ShortcutTarget(path);
        if (DirectoryExists(target)) target = WithTrailingBackslash(std::wstring_view(target));
      }
      if (!target.empty()) rows.push_back({ShortcutDisplayName(FileNamePartOf(path)), target, L"", true});
    });
  }
  return rows;
}

std::vector<PickRow> ProgramShortcutRows(const std::vector<std::wstring>& folders) {
  std::vector<PickRow> rows;
  for (const std::wstring& folder : folders) {
    ForEachFileBelow(folder, 0, [&](const std::wstring& path) {
      if (!HasExtension(path, L".lnk")) return;
      const std::wstring target = ShortcutTarget(path);
      if (IsProgramPath(target)) rows.push_back({ShortcutDisplayName(FileNamePartOf(path)), target, L"", true});
    });
  }
  return rows;
}

}  // namespace kelvane
