#include "recent/desktop_view_win.h"

#include <windows.h>

#include "catalog/ids.h"
#include "recent/recent_tab_win.h"
#include "toolkit/explorer_list_win.h"
#include "toolkit/gadgets_win.h"

namespace kelvane {
namespace {

int ComboSelection(int gadget) {
  HWND combo = Gadget(gadget);
  return combo ? static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)) : -1;
}

ExplorerListControl* DesktopList(ProgramContext& context) {
  return context.window ? context.window->FolderList(kDesktopList) : nullptr;
}

}  // namespace

std::wstring ChosenDesktopFolder(ProgramContext& context) {
  return ComboSelection(kDesktopSourceCombo) == 1 ? context.publicDesktopFolder : context.userDesktopFolder;
}

void ShowChosenDesktop(ProgramContext& context) {
  // Setting the folder lists it again, from the desktop's top.
  if (ExplorerListControl* list = DesktopList(context)) list->SetFolder(ChosenDesktopFolder(context));
}

void ApplyDesktopViewMode(ProgramContext& context) {
  ExplorerListControl* list = DesktopList(context);
  const int mode = ComboSelection(kDesktopViewCombo);
  if (list && mode >= 0 && mode <= 3) list->SetDisplayMode(mode);
}

void OpenDesktopItem(ProgramContext& context) {
  ExplorerListControl* list = DesktopList(context);
  if (!list) return;
  const int row = list->FocusedRow();
  if (row < 0 || !list->RowIsSelected(row)) return;
  const std::wstring name = list->RowName(row);
  if (name == L"." || name == L"..") return;
  // Failures are silent here: the desktop itself says nothing either.
  OpenWithDefaultAction(list->Folder() + name);
}

}  // namespace kelvane
