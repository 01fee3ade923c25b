#include "lists/search_match.h"

#include <iterator>

namespace kelvane {

bool BeginsWithExactly(std::wstring_view name, std::wstring_view text) {
  return name.size() >= text.size() && name.compare(0, text.size(), text) == 0;
}

int FirstRowBeginningWith(int count, const std::function<std::wstring(int)>& nameOfRow, std::wstring_view text) {
  for (int row = 0; row < count; ++row) {
    if (BeginsWithExactly(nameOfRow(row), text)) return row;
  }
  return -1;
}

bool MatchNeedsPageDown(int match, int rowsPerPage) { return match > rowsPerPage - 1; }

int SearchedListOfTab(int tab) {
  // Gadget numbers of AppsList, FilesList, LinksList, RecentList,
  // ExplorerList and DesktopList.
  constexpr int kLists[] = {1, 2, 3, 4, 32, 57};
  if (tab < 0 || tab >= static_cast<int>(std::size(kLists))) return -1;
  return kLists[tab];
}

}  // namespace kelvane
