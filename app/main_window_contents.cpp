#include "app/main_window_contents.h"

#include "app/layout.h"
#include "app/main_toolbar.h"
#include "app/panel_tabs.h"
#include "app/popup_menus.h"
#include "app/tray_icon.h"
#include "import/list_drop_win.h"

namespace kelvane {

void BuildMainWindowContents(HWND main) {
  if (!main) return;
  BuildMainToolBar(main);  // the program goes on without it
  BuildPanelTabs(main);
  BuildPopupMenus();
  LayoutMainWindow(main);
}

void CompleteMainWindowContents(HWND main) {
  if (!main) return;
  BuildAllPages();
  AcceptDropsOnLists();
  AddTrayIcon(main);
  LayoutMainWindow(main);
}

}  // namespace kelvane
