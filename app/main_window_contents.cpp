#include "app/main_window_contents.h"

#include <iterator>
#include <utility>

#include "app/layout.h"
#include "app/main_toolbar.h"
#include "app/app_state.h"
#include "app/panel_tabs.h"
#include "app/popup_menus.h"
#include "app/tray_icon.h"
#include "catalog/ids.h"
#include "explorer/file_clipboard_win.h"
#include "import/list_drop_win.h"
#include "lists/list_loader_win.h"
#include "recent/recent_tab_win.h"
#include "theme/dark_mode_win.h"
#include "toolkit/gadgets_win.h"

namespace kelvane {
namespace {

size_t g_oneOffStepsDone = 0;  // of kOneOffSteps, in order
bool g_listViewsReady = false;
bool g_listsLoaded = false;

bool OnPage(int gadget, int index) {
  HWND window = Gadget(gadget);
  return window && index >= 0 && GetParent(window) == TabPage(index);
}

// The favourite lists' pages are the first three, in the order of their kinds.
constexpr int kListPages = 3;
int KindOfPage(int index) { return kAppsKind + index; }

void AfterLaterPage(int index) {
  // A favourite list's rows come in once its page is complete; -1: the
  // pages of the first screen.
  for (int page = 0; page < kListPages; ++page) {
    if ((index == page || index < 0) && PageComplete(page)) ListViewReady(App().favourites, KindOfPage(page));
  }
  // A favourite list built after the drops step takes them at once.
  if (index >= 0 && g_oneOffStepsDone > 0) AcceptDropsOnLists(App().favourites);
  ColourMainWindowGadgets();
  // The explorer's clipboard buttons start as the clipboard stands.
  if (OnPage(kExplColler, index)) UpdatePasteState(App(), PasteScope::Full);
  // The recent list built after the lists came in missed their arrival.
  if (g_listsLoaded && OnPage(kRecentList, index)) PointRecentListAtRecentFolder(App());
}

bool ListViewsExist() {
  for (int page = 0; page < kListPages; ++page) {
    if (!PageComplete(page)) return false;
  }
  return true;
}

// Telling the loader makes the shell build its image list of file icons,
// the longest single step: it comes alone, once the three views exist.
bool ListStep() {
  if (g_listViewsReady) return false;
  if (!ListViewsExist()) return BuildNextPage();
  g_listViewsReady = true;
  ListViewsReady(App().favourites);
  return true;
}

// After the list pages, each a step of its own. The lists take drops first
// (AfterLaterPage relies on it): the first drop target starts OLE's
// marshalling, slow, and a drag comes through messages only the loop handles.
void TakeDrops(HWND) {
  // The first step after the first paint: the loader's thread builds the
  // shell's image list meanwhile, before the folder lists of the later
  // pages need it.
  HoldShellImages(false);
  AcceptDropsOnLists(App().favourites);
}
// A tool-tip window costs 5 to 10 ms under Wine: one per step.
void GiveToolBarToolTips(HWND) { GiveMainToolBarToolTips(); }
void GiveTabToolTips(HWND) { GivePanelTabsToolTips(); }
constexpr void (*kOneOffSteps[])(HWND main) = {TakeDrops, GiveToolBarToolTips, GiveTabToolTips, AddTrayIcon};

}  // namespace

FirstScreenImages MakeFirstScreenImages(const ImageSet& images, UINT dpi) {
  return {MakeMainToolBarImages(images, dpi), MakePanelTabImages(images, dpi)};
}

void BuildMainWindowContents(HWND main, FirstScreenImages prepared) {
  if (!main) return;
  g_oneOffStepsDone = 0;
  g_listViewsReady = false;
  g_listsLoaded = false;
  HoldListIcons(true);  // until the last page is built
  BuildMainToolBar(main, std::move(prepared.toolBar));  // the program goes on without it
  BuildPanelTabs(main, std::move(prepared.tabs));
  ForgetPopupMenus();
  LayoutMainWindow(main);
}

void FollowLaterPages() {
  SetPageBuiltHook(AfterLaterPage);
  AfterLaterPage(-1);  // the pages of the first screen
}

void FollowListsLoaded() {
  g_listsLoaded = true;
  PointRecentListAtRecentFolder(App());
}

bool ListRowsAllIn() { return g_listsLoaded; }

bool ListPagesLeft() { return !g_listViewsReady; }

void FinishListPages() {
  while (ListStep()) {
  }
}

bool MainWindowContentsStepWaits() {
  return g_listViewsReady && g_oneOffStepsDone == std::size(kOneOffSteps) && !ShellImagesBuilt();
}

bool CompleteMainWindowContentsStep(HWND main) {
  if (!main) return false;
  if (ListStep()) return true;
  if (g_oneOffStepsDone < std::size(kOneOffSteps)) {
    kOneOffSteps[g_oneOffStepsDone++](main);
    return true;
  }
  if (BuildNextPage()) return true;
  HoldListIcons(false);
  return false;
}

void CompleteMainWindowContents(HWND main) {
  if (!main) return;
  while (CompleteMainWindowContentsStep(main)) {
  }
  AcceptDropsOnLists(App().favourites);
  LayoutMainWindow(main);
}

}  // namespace kelvane
