#pragma once
// The quick-open box wired to the program: its entries from the three
// favourite lists, the recent-items folder and both desktops, each opened as
// a double click in its tab opens it; its usage counts in the data folder;
// and the global hotkey that brings it up.
#include <windows.h>

#include <string>
#include <vector>

#include "quickopen/quick_match.h"

namespace kelvane {

// At start, once the data folder is known: the box's host and the usage
// counts read from their file.
void PrepareQuickOpen();

// Every entry the box searches, as it is now.
std::vector<QuickItem> GatherQuickItems();
void OpenQuickItem(const QuickItem& item);

// The hotkey: brings the main window (from the tray too) and the box in
// front, the keyboard in the field; pressed again while the box is in
// front, hides them as they were.
void ToggleQuickOpen();

}  // namespace kelvane
