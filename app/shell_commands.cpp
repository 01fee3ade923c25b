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

void SetTargetViewMode(const CommandEvent& event, int command, int mode) {
  CheckViewModeEntry(command);
  if (event.viewTarget != kRecentList && event.viewTarget != kExplorerList) return;
  if (ExplorerListControl* list = FolderList(event.viewTarget)) list->SetDisplayMode(mode);
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

void ViewLargeIcons(ProgramContext&, const CommandEvent& event) { SetTargetViewMode(event, CmdLargesIco, kViewLargeIcons); }
void ViewSmallIcons(ProgramContext&, const CommandEvent& event) { SetTargetViewMode(event, CmdPetitesIco, kViewSmallIcons); }
void ViewList(ProgramContext&, const CommandEvent& event) { SetTargetViewMode(event, CmdModeListe, kViewList); }
void ViewDetails(ProgramContext&, const CommandEvent& event) { SetTargetViewMode(event, CmdModeDetails, kViewDetails); }

void ShowAppsTab() { ShowTab(0); }
void ShowFilesTab() { ShowTab(1); }
void ShowLinksTab() { ShowTab(2); }
void ShowRecentTab() { ShowTab(3); }
void ShowExplorerTab() { ShowTab(4); }
void ShowDesktopTab() { ShowTab(5); }
void ShowMainWindowFromTray() { ShowMainWindow(); }

}  // namespace kelvane
