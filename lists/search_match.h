#pragma once
// What the search of the tool bar looks for and where: the first row whose
// name begins with the text typed (letter case significant), in the list of
// the tab shown, and how the list is scrolled to show it.
#include <functional>
#include <string>
#include <string_view>

namespace kelvane {

// True when `name` begins with `text`, character for character with letter
// case significant. A name shorter than the text never matches.
bool BeginsWithExactly(std::wstring_view name, std::wstring_view text);

// Index of the first of `count` rows (from row 0) whose name begins with
// `text`, or -1.
int FirstRowBeginningWith(int count, const std::function<std::wstring(int)>& nameOfRow, std::wstring_view text);

// After the match was made visible from the top: a match past the first
// page ends at the bottom of the view, and a page down then a line up brings
// it near the top instead.
bool MatchNeedsPageDown(int match, int rowsPerPage);

// The gadget searched when tab `tab` is shown: AppsList, FilesList,
// LinksList, RecentList, ExplorerList, and DesktopList for the desktop tab;
// -1 for no tab.
int SearchedListOfTab(int tab);

}  // namespace kelvane
