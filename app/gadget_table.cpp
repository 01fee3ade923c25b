#include "app/gadget_table.h"

#include "app/app_state.h"
#include "app/folder_lists.h"
#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "app/popup_menus.h"
#include "app/tab_objects.h"
#include "explorer/clipboard_window_win.h"
#include "explorer/explorer_tab_win.h"
#include "explorer/file_clipboard_win.h"
#include "explorer/file_operations_win.h"
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

// The view menu's command goes to the list whose button opened it.
void ViewMenuFor(int gadget) {
  if (const int command = ChoosePopupMenuEntry(kMenuAffichage)) {
    DispatchCommand(command, {.viewTarget = gadget});
  }
}

constexpr GadgetEntry kGadgetEvents[] = {
    {kAppsList, E::DoubleClick, O::AppsTab, OnTab<&TabObjects::apps, &AppsTab::OpenOnDoubleClick>},
    {kAppsList, E::RightClick, O::AppsTab, [](ProgramContext&) { MenuIfAnySelected(kAppsList, kMenuApplis); }},
    {kAppsList, E::MenuKey, O::AppsTab, [](ProgramContext&) { MenuIfAnySelected(kAppsList, kMenuApplis, true); }},
    {kFilesList, E::DoubleClick, O::FilesTab, OnTab<&TabObjects::files, &FilesTab::OpenOnDoubleClick>},
    {kFilesList, E::RightClick, O::FilesTab, [](ProgramContext&) { MenuIfAnySelected(kFilesList, kMenuFichiers); }},
    {kFilesList, E::MenuKey, O::FilesTab, [](ProgramContext&) { MenuIfAnySelected(kFilesList, kMenuFichiers, true); }},
    {kLinksList, E::DoubleClick, O::LinksTab, OnTab<&TabObjects::links, &LinksTab::OpenOnDoubleClick>},
    {kLinksList, E::RightClick, O::LinksTab, [](ProgramContext&) { MenuIfAnySelected(kLinksList, kMenuLiens); }},
    {kLinksList, E::MenuKey, O::LinksTab, [](ProgramContext&) { MenuIfAnySelected(kLinksList, kMenuLiens, true); }},
    {kRecentList, E::DoubleClick, O::RecentTab, OpenRecentOnDoubleClick},
    {kRecentList, E::RightClick, O::RecentTab, [](ProgramContext&) { MenuIfCurrentRowSelected(kRecentList, kMenuRecents); }},
    {kRecentList, E::MenuKey, O::RecentTab, [](ProgramContext&) { MenuIfCurrentRowSelected(kRecentList, kMenuRecents, true); }},
    {kExplorerList, E::RightClick, O::ExplorerTab, [](ProgramContext&) { MenuIfCurrentRowSelected(kExplorerList, kMenuExplorer); }},
    {kExplorerList, E::MenuKey, O::ExplorerTab,
     [](ProgramContext&) { MenuIfCurrentRowSelected(kExplorerList, kMenuExplorer, true); }},
    {kExplorerList, E::Change, O::ExplorerTab, OnExplorerFolderChanged},
    // The drop brings its paths to the handler.
    {kExplorerList, E::Drop, O::FileOperations,
     [](ProgramContext& context, const CommandEvent& event) {
       MoveDroppedItems(context, std::wstring(event.dropped));
     }},
    {kRecentList, E::RowsChanged, O::RecentTab, UpdateRecentCountHeader},
    {kExplorerList, E::RowsChanged, O::ExplorerTab, OnExplorerRowsChanged},
    // History tab buttons.
    {kHistFiltrer, E::Click, O::RecentTab, PurgeRecentAfterQuestion},
    {kHistSupprimerRacc, E::Click, O::RecentTab, DeleteSelectedRecent},
    {kHistSupprimerTout, E::Click, O::RecentTab, DeleteAllRecent},
    {kHistRecharger, E::Click, O::RecentTab, ReloadRecentList},
    {kHistCreerRacc, E::Click, O::RecentTab, AddRecentEntry},
    {kHistProprietes, E::Click, O::RecentTab, ShowRecentProperties},
    {kHistAffichage, E::Click, O::Core, [](ProgramContext&) { ViewMenuFor(kRecentList); }},
    {kHistDetails, E::Click, O::RecentTab, ShowRecentFolderDetails},
    // Explorer tab buttons.
    {kExplRecharger, E::Click, O::ExplorerTab, ReloadExplorerFolder},
    {kExplDossiers, E::Click, O::Core, [](ProgramContext&) { ShowPopupMenu(kMenuDossiers); }},
    {kExplNouveauDossier, E::Click, O::ExplorerTab, CreateExplorerFolder},
    {kExplCopier, E::Click, O::FileClipboard, CopySelectionToClipboard},
    {kExplColler, E::Click, O::FileClipboard, PasteClipboardFiles},
    {kExplVider, E::Click, O::FileClipboard, EmptyFileClipboard},
    {kExplVoirPressePapier, E::Click, O::FileClipboard, OpenClipboardWindow},
    {kExplCopierVers, E::Click, O::FileOperations, CopySelectionToFolder},
    {kExplDeplacerVers, E::Click, O::FileOperations, MoveSelectionToFolder},
    {kExplSupprimer, E::Click, O::FileOperations, DeleteSelectionAfterAsking},
    {kExplRecycler, E::Click, O::FileOperations, RecycleSelectionAfterAsking},
    {kExplProprietes, E::Click, O::ExplorerTab, ShowExplorerProperties},
    {kExplAffichage, E::Click, O::Core, [](ProgramContext&) { ViewMenuFor(kExplorerList); }},
    // Desktop tab.
    {kDesktopHomeButton, E::Click, O::DesktopView, OnTab<&TabObjects::desktop, &DesktopTab::ShowChosenDesktop>},
    {kDesktopViewCombo, E::Change, O::DesktopView, OnTab<&TabObjects::desktop, &DesktopTab::ApplyViewMode>},
    {kDesktopSourceCombo, E::Change, O::DesktopView, OnTab<&TabObjects::desktop, &DesktopTab::ShowChosenDesktop>},
    {kDesktopList, E::DoubleClick, O::DesktopView, OnTab<&TabObjects::desktop, &DesktopTab::OpenItem>},
};

}  // namespace

std::span<const GadgetEntry> GadgetTable() { return kGadgetEvents; }

const GadgetEntry* FindGadgetEvent(int gadget, GadgetEvent event) {
  for (const GadgetEntry& entry : kGadgetEvents) {
    if (entry.gadget == gadget && entry.event == event) return &entry;
  }
  return nullptr;
}

bool DispatchGadgetEvent(int gadget, GadgetEvent event, const CommandEvent& details) {
  const GadgetEntry* entry = FindGadgetEvent(gadget, event);
  if (!entry) return false;
  if (entry->handler) entry->handler(App(), details);
  return true;
}

}  // namespace kelvane
