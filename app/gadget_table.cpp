#include "app/gadget_table.h"

#include "app/folder_lists.h"
#include "app/gadgets.h"
#include "app/ids.h"
#include "app/popup_menus.h"
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

// Favourite lists: the menu opens when any row is selected.
void MenuIfAnySelected(int gadget, int menu) {
  if (HWND list = Gadget(gadget); list && FirstSelectedRow(list) >= 0) ShowPopupMenu(menu);
}

// Folder lists: only for a selected current row that is not "." or "..".
void MenuIfCurrentRowSelected(int gadget, int menu) {
  ExplorerListControl* list = FolderList(gadget);
  const int row = list ? list->FocusedRow() : -1;
  if (row < 0 || !list->RowIsSelected(row)) return;
  const std::wstring name = list->RowName(row);
  if (name != L"." && name != L"..") ShowPopupMenu(menu);
}

void ViewMenuFor(int gadget) {
  SetViewModeMenuTarget(gadget);
  ShowPopupMenu(kMenuAffichage);
}

constexpr GadgetEntry kGadgetEvents[] = {
    {kAppsList, E::DoubleClick, O::AppsTab, StartApplicationOnDoubleClick},
    {kAppsList, E::RightClick, O::AppsTab, [] { MenuIfAnySelected(kAppsList, kMenuApplis); }},
    {kFilesList, E::DoubleClick, O::FilesTab, OpenFileOnDoubleClick},
    {kFilesList, E::RightClick, O::FilesTab, [] { MenuIfAnySelected(kFilesList, kMenuFichiers); }},
    {kLinksList, E::DoubleClick, O::LinksTab, OpenLinkOnDoubleClick},
    {kLinksList, E::RightClick, O::LinksTab, [] { MenuIfAnySelected(kLinksList, kMenuLiens); }},
    {kRecentList, E::DoubleClick, O::RecentTab, OpenRecentOnDoubleClick},
    {kRecentList, E::RightClick, O::RecentTab, [] { MenuIfCurrentRowSelected(kRecentList, kMenuRecents); }},
    {kExplorerList, E::RightClick, O::ExplorerTab, [] { MenuIfCurrentRowSelected(kExplorerList, kMenuExplorer); }},
    {kExplorerList, E::Change, O::ExplorerTab, nullptr},
    {kExplorerList, E::Drop, O::FileOperations, nullptr},
    {kRecentList, E::RowsChanged, O::RecentTab, UpdateRecentCountHeader},
    {kExplorerList, E::RowsChanged, O::ExplorerTab, nullptr},
    // History tab buttons.
    {kHistFiltrer, E::Click, O::RecentTab, PurgeRecentAfterQuestion},
    {kHistSupprimerRacc, E::Click, O::RecentTab, DeleteSelectedRecent},
    {kHistSupprimerTout, E::Click, O::RecentTab, DeleteAllRecent},
    {kHistRecharger, E::Click, O::RecentTab, ReloadRecentList},
    {kHistCreerRacc, E::Click, O::RecentTab, AddRecentEntry},
    {kHistProprietes, E::Click, O::RecentTab, ShowRecentProperties},
    {kHistAffichage, E::Click, O::Core, [] { ViewMenuFor(kRecentList); }},
    {kHistDetails, E::Click, O::RecentTab, ShowRecentFolderDetails},
    // Explorer tab buttons.
    {kExplRecharger, E::Click, O::ExplorerTab, nullptr},
    {kExplDossiers, E::Click, O::Core, [] { ShowPopupMenu(kMenuDossiers); }},
    {kExplNouveauDossier, E::Click, O::ExplorerTab, nullptr},
    {kExplCopier, E::Click, O::FileClipboard, nullptr},
    {kExplColler, E::Click, O::FileClipboard, nullptr},
    {kExplVider, E::Click, O::FileClipboard, nullptr},
    {kExplVoirPressePapier, E::Click, O::FileClipboard, nullptr},
    {kExplCopierVers, E::Click, O::FileOperations, nullptr},
    {kExplDeplacerVers, E::Click, O::FileOperations, nullptr},
    {kExplSupprimer, E::Click, O::FileOperations, nullptr},
    {kExplRecycler, E::Click, O::FileOperations, nullptr},
    {kExplProprietes, E::Click, O::ExplorerTab, nullptr},
    {kExplAffichage, E::Click, O::Core, [] { ViewMenuFor(kExplorerList); }},
    // Desktop tab.
    {kDesktopHomeButton, E::Click, O::DesktopView, ShowChosenDesktop},
    {kDesktopViewCombo, E::Change, O::DesktopView, ApplyDesktopViewMode},
    {kDesktopSourceCombo, E::Change, O::DesktopView, ShowChosenDesktop},
    {kDesktopList, E::DoubleClick, O::DesktopView, OpenDesktopItem},
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
  if (entry->handler) entry->handler();
  return true;
}

}  // namespace kelvane
