#pragma once
// What the explorer tab's commands decide from the rows of the folder list
// and from texts, without touching a window: which paths a selection names,
// how line-feed-separated path texts split and join, which names a rename
// or a new folder may take, and how two paths relate.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/path_compare.h"

namespace kelvane {

// One row of the folder list as the commands see it.
struct FolderRowInfo {
  std::wstring name;  // first-column text: ".." for the parent entry
  bool selected = false;
};

// "." and ".." name no item of the folder: no command acts on them.
bool IsDotEntry(std::wstring_view name);

// Folder + name of every selected row in list order, "." and ".." (and
// nameless rows) left out. `folder` ends with a backslash, or is empty for
// the drive overview, whose rows are drive roots ("C:\"): a path that names
// a whole volume is never collected, so the overview gives no paths.
std::vector<std::wstring> CollectSelectedPaths(std::wstring_view folder, std::span<const FolderRowInfo> rows);

// n line feeds give n + 1 fields (an empty text gives one empty field).
std::vector<std::wstring> SplitAtLineFeeds(std::wstring_view text);
// The fields joined by line feeds, none after the last.
std::wstring JoinWithLineFeeds(std::span<const std::wstring> fields);

// A name that stays in the folder it is given for: not empty, not "." or
// "..", and without a backslash or slash, which would put the item into
// another folder (a rename to "..\x" moves the file up a level).
bool IsNameWithinFolder(std::wstring_view name);


}  // namespace kelvane
