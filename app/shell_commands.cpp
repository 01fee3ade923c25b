#include "app/shell_commands.h"

#include "app/app_state.h"
#include "app/folder_lists.h"
#include "toolkit/gadgets_win.h"
#include "app/help.h"
#include "catalog/ids.h"
#include "app/main_toolbar.h"
#include "app/main_window.h"
#include "app/panel_tabs.h"
#include "toolkit/placement_win.h"
#include "app/popup_menus.h"
#include "toolkit/list_view_win.h"

namespace kelvane {
namespace {

void SetTargetViewMode(int command, int mode) {
  CheckViewModeEntry(command);
  if (ExplorerListControl* list = FolderList(ViewModeMenuTarget())) list->SetDisplayMode(mode);
}

void ShowTab(int index) {
  SelectTab(index);
  ShowMainWindow();
}

}  // namespace

void RequestQuit() { App().quitRequested = true; }
void OpenHelp() { ShowHelpFile(); }
void ShowAddMenu() { ShowPopupMenu(kMenuAjout); }
void ShowBackupMenu() { ShowPopupMenu(kMenuSauvegarde); }
void ApplyPinToggle() { SetPinned(App().mainWindow, PinToggleDown()); }

void ViewLargeIcons() { SetTargetViewMode(CmdLargesIco, kViewLargeIcons); }
void ViewSmallIcons() { SetTargetViewMode(CmdPetitesIco, kViewSmallIcons); }
void ViewList() { SetTargetViewMode(CmdModeListe, kViewList); }
void ViewDetails() { SetTargetViewMode(CmdModeDetails, kViewDetails); }

void ShowAppsTab() { ShowTab(0); }
void ShowFilesTab() { ShowTab(1); }
void ShowLinksTab() { ShowTab(2); }
void ShowRecentTab() { ShowTab(3); }
void ShowExplorerTab() { ShowTab(4); }
void ShowDesktopTab() { ShowTab(5); }
void ShowMainWindowFromTray() { ShowMainWindow(); }

}  // namespace kelvane
