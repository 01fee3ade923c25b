#pragma once
// The two tool-bar commands that act on the lists as a whole: the search
// in the list of the tab shown, and the reset of everything the program
// keeps (lists, the data folder, the recent-documents list of Windows).
#include <windows.h>

#include <functional>
#include <string>

namespace kelvane {

// Looks from the first row for the first one whose first column begins with
// `text` (letter case significant), scrolls the list to show it near the
// top, makes it the one selected and focused row, and gives the list the
// focus. Returns its index, or -1 (the list then is scrolled to its top and
// its selection unchanged). For gadget 1-3 (favourite lists) and the folder
// lists 4, 32 and 57; -1 for any other number or a list not built yet.
int FindAndSelect(int gadget, const std::wstring& text);
// The same on any report-mode list view, with the row names given.
int FindAndSelectIn(HWND list, int rowCount, const std::function<std::wstring(int)>& nameOfRow,
                    const std::wstring& text);

void SearchShownList();  // CmdRechercher
void ResetEverything();  // CmdSupprimerTout

// What the reset opens when the data folder could not be removed (the
// profile folder in a shell window). Tests put a recorder in; null puts
// the real one back.
using FolderOpener = void (*)(const std::wstring& folder);
void SetFolderOpenerForTests(FolderOpener opener);

}  // namespace kelvane
