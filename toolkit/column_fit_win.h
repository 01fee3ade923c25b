#pragma once
// Keeps the columns of a report list view sharing its client width (see
// ShareWidth), so that every column shows and no horizontal scroll bar
// appears: the widths follow every change of the list's size, and a divider
// the user drags sets new proportions that later sizes keep.
#include <windows.h>

#include <string>
#include <vector>

namespace kelvane {

struct ColumnFit {
  double weight = 1;    // share of the width, relative to the other columns'
  std::wstring widest;  // a text the column shows whole, in the list's font; may be empty
};

// One entry per column of the list, in order. The list carries the
// arrangement with it (a subclass that removes itself with the window);
// calling again replaces the proportions.
void KeepColumnsFitted(HWND list, std::vector<ColumnFit> columns);

// Fits the columns to the list's width now (after a change of view or of
// font); the list's own size changes need no call.
void FitColumnsNow(HWND list);

}  // namespace kelvane
