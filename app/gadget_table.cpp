#include "app/gadget_table.h"

#include "app/app_state.h"
#include "app/folder_lists.h"
#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "app/popup_menus.h"
#include "explorer/clipboard_window_win.h"
#include "explorer/explorer_tab_win.h"
#include "explorer/file_clipboard_win.h"
#include "explorer/file_operations_win.h"
#include "lists/apps_tab_win.h"
#include "lists/files_tab_win.h"
#include "lists/links_tab_win.h"
#include "recent/desktop_view_win.h"
#include "recent/recent_tab_win.h"
#include "toolkit/list_view_win.h"

namespace kelvane {
namespace {

using E = GadgetEvent;
using O = GadgetOwner;

// Favourite lists: the menu opens when any row is selected, at the mouse
// or, from the keyboard, at the focused row.
void MenuIfAnySelected(int gadget, int menu, bool fromKeyboard = false) {
  HWND list = Gadget(gadget);
  if (!list || FirstSelectedRow(list) < 0) return;
  if (fromKeyboard) {
    ShowPopupMenuAt(menu, KeyboardMenuPoint(list));
  } else {
    ShowPopupMenu(menu);
  }
}

// Folder lists: only for a selected current row that is not "." or "..";
// from the keyboard, at that row.
void MenuIfCurrentRowSelected(int gadget, int menu, bool fromKeyboard = false) {
  ExplorerListControl* list = FolderList(gadget);
  const int row = list ? list->FocusedRow() : -1;
  if (row < 0 || !list->RowIsSelected(row)) return;
  const std::wstring name = list->RowName(row);
  if (name == L"." || name == L"..") return;
  if (fromKeyboard) {
    ShowPopupMenuAt(menu, KeyboardMenuPoint(list->Hwnd()));
  } else {
    ShowPopupMenu(menu);
  }
}

void ViewMenuFor(int gadget) {
  SetViewModeMenuTarget(gadget);
  ShowPopupMenu(kMenuAffichage);
}

constexpr GadgetEntry kGadgetEvents[] = {
    {kAppsList, E::DoubleClick, O::AppsTab, WithoutContext<StartApplicationOnDoubleClick>},
    {kAppsList, E::RightClick, O::AppsTab, [](ProgramContext&) { MenuIfAnySelected(kAppsList, kMenuApplis); }},
    {kAppsList, E::MenuKey, O::AppsTab, [](ProgramContext&) { MenuIfAnySelected(kAppsList, kMenuApplis, true); }},
    {kFilesList, E::DoubleClick, O::FilesTab, WithoutContext<OpenFileOnDoubleClick>},
    {kFilesList, E::RightClick, O::FilesTab, [](ProgramContext&) { MenuIfAnySelected(kFilesList, kMenuFichiers); }},
    {kFilesList, E::MenuKey, O::FilesTab, [](ProgramContext&) { MenuIfAnySelected(kFilesList, kMenuFichiers, true); }},
    {kLinksList, E::DoubleClick, O::LinksTab, WithoutContext<OpenLinkOnDoubleClick>},
    {kLinksList, E::RightClick, O::LinksTab, [](ProgramContext&) { MenuIfAnySelected(kLinksList, kMenuLiens); }},
    {kLinksList, E::MenuKey, O::LinksTab, [](ProgramContext&) { MenuIfAnySelected(kLinksList, kMenuLiens, true); }},
    {kRecentList, E::DoubleClick, O::RecentTab, WithoutContext<OpenRecentOnDoubleClick>},
    {kRecentList, E::RightClick, O::RecentTab, [](ProgramContext&) { MenuIfCurrentRowSelected(kRecentList, kMenuRecents); }},
    {kRecentList, E::MenuKey, O::RecentTab, [](ProgramContext&) { MenuIfCurrentRowSelected(kRecentList, kMenuRecents, true); }},
    {kExplorerList, E::RightClick, O::ExplorerTab, [](ProgramContext&) { MenuIfCurrentRowSelected(kExplorerList, kMenuExplorer); }},
    {kExplorerList, E::MenuKey, O::ExplorerTab,
     [](ProgramContext&) { MenuIfCurrentRowSelected(kExplorerList, kMenuExplorer, true); }},
    {kExplorerList, E::Change, O::ExplorerTab, WithoutContext<OnExplorerFolderChanged>},
    {kExplorerList, E::Drop, O::FileOperations, WithoutContext<OnExplorerDrop>},
    {kRecentList, E::RowsChanged, O::RecentTab, WithoutContext<UpdateRecentCountHeader>},
    {kExplorerList, E::RowsChanged, O::ExplorerTab, WithoutContext<OnExplorerRowsChanged>},
    // History tab buttons.
    {kHistFiltrer, E::Click, O::RecentTab, WithoutContext<PurgeRecentAfterQuestion>},
    {kHistSupprimerRacc, E::Click, O::RecentTab, WithoutContext<DeleteSelectedRecent>},
    {kHistSupprimerTout, E::Click, O::RecentTab, WithoutContext<DeleteAllRecent>},
    {kHistRecharger, E::Click, O::RecentTab, WithoutContext<ReloadRecentList>},
    {kHistCreerRacc, E::Click, O::RecentTab, WithoutContext<AddRecentEntry>},
    {kHistProprietes, E::Click, O::RecentTab, WithoutContext<ShowRecentProperties>},
    {kHistAffichage, E::Click, O::Core, [](ProgramContext&) { ViewMenuFor(kRecentList); }},
    {kHistDetails, E::Click, O::RecentTab, WithoutContext<ShowRecentFolderDetails>},
    // Explorer tab buttons.
    {kExplRecharger, E::Click, O::ExplorerTab, WithoutContext<ReloadExplorerFolder>},
    {kExplDossiers, E::Click, O::Core, [](ProgramContext&) { ShowPopupMenu(kMenuDossiers); }},
    {kExplNouveauDossier, E::Click, O::ExplorerTab, WithoutContext<CreateExplorerFolder>},
    {kExplCopier, E::Click, O::FileClipboard, WithoutContext<CopySelectionToClipboard>},
    {kExplColler, E::Click, O::FileClipboard, WithoutContext<PasteClipboardFiles>},
    {kExplVider, E::Click, O::FileClipboard, WithoutContext<EmptyFileClipboard>},
    {kExplVoirPressePapier, E::Click, O::FileClipboard, OpenClipboardWindow},
    {kExplCopierVers, E::Click, O::FileOperations, WithoutContext<CopySelectionToFolder>},
    {kExplDeplacerVers, E::Click, O::FileOperations, WithoutContext<MoveSelectionToFolder>},
    {kExplSupprimer, E::Click, O::FileOperations, WithoutContext<DeleteSelectionAfterAsking>},
    {kExplRecycler, E::Click, O::FileOperations, WithoutContext<RecycleSelectionAfterAsking>},
    {kExplProprietes, E::Click, O::ExplorerTab, WithoutContext<ShowExplorerProperties>},
    {kExplAffichage, E::Click, O::Core, [](ProgramContext&) { ViewMenuFor(kExplorerList); }},
    // Desktop tab.
    {kDesktopHomeButton, E::Click, O::DesktopView, WithoutContext<ShowChosenDesktop>},
    {kDesktopViewCombo, E::Change, O::DesktopView, WithoutContext<ApplyDesktopViewMode>},
    {kDesktopSourceCombo, E::Change, O::DesktopView, WithoutContext<ShowChosenDesktop>},
    {kDesktopList, E::DoubleClick, O::DesktopView, WithoutContext<OpenDesktopItem>},
};

}  // namespace

std::span<const GadgetEntry> GadgetTable() { return kGadgetEvents; }

const GadgetEntry* FindGadgetEvent(int gadget, GadgetEvent event) {
  for (const GadgetEntry& entry : kGadgetEvents) {
    if (entry.gadget == gadget && entry.event == event) return &entry;
  }
  return nullptr;
}

bool DispatchGadgetEvent(int gadget, GadgetEvent event) {
  const GadgetEntry* entry = FindGadgetEvent(gadget, event);
  if (!entry) return false;
  if (entry->handler) entry->handler(App());
  return true;
}

}  // namespace kelvane
