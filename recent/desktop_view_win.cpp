#include "recent/desktop_view_win.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/folder_lists.h"
#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "recent/recent_tab_win.h"

namespace kelvane {
namespace {

int ComboSelection(int gadget) {
  HWND combo = Gadget(gadget);
  return combo ? static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)) : -1;
}

}  // namespace

std::wstring ChosenDesktopFolder() {
  return ComboSelection(kDesktopSourceCombo) == 1 ? App().publicDesktopFolder : App().userDesktopFolder;
}

void ShowChosenDesktop() {
  // Setting the folder lists it again, from the desktop's top.
  if (ExplorerListControl* list = FolderList(kDesktopList)) list->SetFolder(ChosenDesktopFolder());
}

void ApplyDesktopViewMode() {
  ExplorerListControl* list = FolderList(kDesktopList);
  const int mode = ComboSelection(kDesktopViewCombo);
  if (list && mode >= 0 && mode <= 3) list->SetDisplayMode(mode);
}

void OpenDesktopItem() {
  ExplorerListControl* list = FolderList(kDesktopList);
  if (!list) return;
  const int row = list->FocusedRow();
  if (row < 0 || !list->RowIsSelected(row)) return;
  const std::wstring name = list->RowName(row);
  if (name == L"." || name == L"..") return;
  // Failures are silent here: the desktop itself says nothing either.
  OpenWithDefaultAction(list->Folder() + name);
}

}  // namespace kelvane
