#pragma once
// Small operations on list-view controls shared by several lists.
#include <windows.h>

#include <string>

namespace kelvane {

// Display modes as the program numbers them.
enum ListViewMode : int { kViewLargeIcons = 0, kViewSmallIcons = 1, kViewList = 2, kViewDetails = 3 };

void SetListViewMode(HWND list, int mode);
int ListViewModeOf(HWND list);

// The first selected row from the top, or -1.
int FirstSelectedRow(HWND list);
// The focused row when it is also selected, else -1.
int FocusedSelectedRow(HWND list);
std::wstring RowText(HWND list, int row, int column = 0);
// The title of a report column (up to 255 characters); empty when there is none.
std::wstring ListColumnTitle(HWND list, int column = 0);
// Adds a report column `width` pixels wide at `index` (no "&" mark taken).
void InsertListColumn(HWND list, int index, const std::wstring& title, int width);
// Where a menu asked for from the keyboard opens, in screen coordinates: at
// the start of the focused row's text, halfway down the row; at the list's
// top-left corner when no row has the focus or it is scrolled out of sight.
POINT KeyboardMenuPoint(HWND list);

}  // namespace kelvane
