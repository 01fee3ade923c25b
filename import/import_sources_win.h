#pragma once
// Where imports find what they offer: browser bookmark files, the user's
// internet shortcuts and shell links, the Start menu's shortcuts to programs.
// Each gives pick rows (name and target, ticked, in the order found) for
// MarkPickRows. COM must be initialised on the calling thread.
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/pick_row.h"

namespace kelvane {

// The user's local application data folder (%LOCALAPPDATA%), empty when unset.
std::wstring LocalAppDataFolder();
// A known folder of the shell (FOLDERID_*), empty when the system has none.
std::wstring KnownFolderPath(const GUID& id);

// The bookmark files that browsers of the Chromium family keep under
// `localAppData`: "<maker>\<browser>\User Data\Default\Bookmarks" and
// "...\User Data\Profile *\Bookmarks", looked for one and two folder levels
// down, whatever the makers' and browsers' names.
std::vector<std::wstring> FindBrowserBookmarkFiles(const std::wstring& localAppData);

// The bookmarks of such files (JSON), or of an exported bookmark file (HTML).
std::vector<PickRow> BookmarkFileRows(const std::vector<std::wstring>& jsonFiles);
std::vector<PickRow> BookmarkHtmlRows(const std::wstring& htmlFile);

// The .url files (their address) and .lnk files (their target; a folder's
// with a final backslash) in the folders and their subfolders.
std::vector<PickRow> FavouriteShortcutRows(const std::vector<std::wstring>& folders);
// The .lnk files in the folders and their subfolders that lead to a program.
std::vector<PickRow> ProgramShortcutRows(const std::vector<std::wstring>& folders);

}  // namespace kelvane
