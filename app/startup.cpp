#include "app/startup.h"

#include <commctrl.h>

#include <ctime>
#include <utility>

#include "app/app_state.h"
#include "app/data_folder.h"
#include "app/list_keys.h"
#include "app/main_window.h"
#include "app/main_window_contents.h"
#include "app/panel_tabs.h"
#include "app/pick_list_window.h"
#include "toolkit/placement_win.h"
#include "app/quick_hotkey.h"
#include "app/quick_open.h"
#include "app/shutdown.h"
#include "app/single_instance.h"
#include "assets/image_ids.h"
#include "catalog/catalog.h"
#include "explorer/file_clipboard_win.h"
#include "lists/list_loader_win.h"
#include "lists/list_rules.h"
#include "lists/list_recovery_win.h"
#include "lists/list_sync_win.h"
#include "app/preferences_at_start.h"
#include "settings/preferences_win.h"
#include "app/preferences_window.h"
#include "theme/dark_mode_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/fonts_win.h"
#include "toolkit/requesters_win.h"
#include "toolkit/run_alongside.h"
#include "toolkit/special_folders_win.h"
#include "toolkit/thread_scopes_win.h"
#include "toolkit/thread_stack_win.h"

namespace kelvane {
namespace {

void InitialiseToolkit() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_TAB_CLASSES |
                                           ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES |
                                           ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
  InitCommonControlsEx(&icc);
}

std::wstring OwnershipLine() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_s(&local, &now);
  return L"Copyright \u00A9 " + std::to_wstring(1900 + local.tm_year) +
         L" Veldran Software. Tous droits r\u00E9serv\u00E9s.";
}

void CreateFonts(AppState& app, UINT dpi) {
  app.fonts[0] = CreatePointFont(L"Bahnschrift Semibold Condensed", 11, FW_NORMAL, dpi);
  app.fonts[1] = CreatePointFont(L"Bahnschrift Light SemiCondensed", 9, FW_BOLD, dpi);
  app.fonts[2] = CreatePointFont(L"Bahnschrift Light", 10, FW_NORMAL, dpi);
}

// What the window's contents need and the window itself does not; made on
// another thread while the window is made.
FirstScreenImages PrepareWhileTheWindowIsMade(AppState& app, HINSTANCE instance, UINT dpi) {
  InitialiseToolkit();  // loads the common controls: the window itself needs none
  CreateFonts(app, dpi);
  app.images.LoadFromResources(instance, kImageResourceBase, kImageCount);
  FirstScreenImages firstImages = MakeFirstScreenImages(app.images, dpi);
  app.profileFolder = UserProfileFolder();
  std::wstring dataOverride = DataFolderOverride();
  if (dataOverride.empty()) {
    dataOverride = PortableDataFolder();
    app.portableData = !dataOverride.empty();
  }
  app.dataFolder = EstablishDataFolder(app.profileFolder, dataOverride);
  CreateMissingListFiles(app.dataFolder);
  RecoverListFilesAtStart(app.dataFolder);  // alone: no save of another instance under way
  return firstImages;
}

// Work the first screen does not need (the other tabs, the tray icon) is
// done a step at a time while no message waits, so that the window answers
// from the start.
bool DoIdleStep(bool* workLeft) {
  if (!*workLeft) return false;
  if (ListPagesLeft()) {
    // The favourite lists' pages (a few milliseconds) come before the first
    // paint, so that their rows, read meanwhile, fill them at once. A
    // message sent meanwhile (another program asking) is answered here:
    // taken by the loop, it would let the paint in.
    MSG sent;
    PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    if (HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_HOTKEY)) != 0) return false;
  } else {
    MSG waiting;
    if (PeekMessageW(&waiting, nullptr, 0, 0, PM_NOREMOVE)) return false;
  }
  if (MainWindowContentsStepWaits()) return false;
  if (CompleteMainWindowContentsStep(App().mainWindow)) return true;
  // Every page is built. Once the lists' rows are in too, this thread gives
  // back what start-up used of its stack: kept out of the load. The
  // program's other threads give back theirs themselves.
  if (!ListRowsAllIn()) return false;
  ReleaseUnusedStack();
  *workLeft = false;
  return true;
}

void RunEventLoop(bool* idleWorkLeft) {
  MSG msg;
  while (!App().quitRequested) {
    if (DoIdleStep(idleWorkLeft)) continue;
    // The data folder's changes come in with the messages (lists changed by
    // a sync client or another computer).
    if (HANDLE change = ListFolderChange(App().favourites)) {
      if (MsgWaitForMultipleObjectsEx(1, &change, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0) {
        OnListFolderChanged(App().favourites);
        continue;
      }
      if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) continue;
      if (msg.message == WM_QUIT) break;
    } else {
      const BOOL result = GetMessageW(&msg, nullptr, 0, 0);
      if (result == 0 || result == -1) break;
    }
    // Ctrl+Tab switches tabs; Tab walks through the gadgets of the shown tab.
    if (HandlePanelTabsKey(msg)) continue;
    if (HandleListKey(msg)) continue;
    if (App().mainWindow && IsDialogMessageW(App().mainWindow, &msg)) continue;
    // The program's secondary windows (owned by the main window) get the
    // same keyboard: Tab between gadgets, Escape as IDCANCEL.
    if (HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        root && App().mainWindow && root != App().mainWindow && GetWindow(root, GW_OWNER) == App().mainWindow &&
        (GetWindowLongW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && IsDialogMessageW(root, &msg)) {
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  // The lists are saved from their list views: a quit that came before all
  // tabs were built finds them all.
  while (*idleWorkLeft) *idleWorkLeft = CompleteMainWindowContentsStep(App().mainWindow);
}

}  // namespace

int RunKelvane(HINSTANCE instance) {
  AppState& app = App();
  app.instance = instance;

  app.windowTitle = BuildWindowTitle();
  app.versionText = L"1.2.02.26";
  app.ownershipLine = OwnershipLine();
  BuildCatalog();
  // Another instance running: it comes to the front, and this one ends
  // before touching any file.
  if (!SingleInstanceCheck(app.windowTitle)) return FinalCleanup();

  // Making the window is mostly the window system's work (under Wine, the
  // thread's own connection to the display, about 15 ms): meanwhile another
  // thread makes what the window's contents need. Before that thread
  // starts, this one asks the display for its DPI (under Wine, two threads
  // setting up the display driver at once can hang) and registers the
  // window's class, whose icons are read from the program's resources: that
  // waits for the DLL loader, which the other thread holds for a while as it
  // maps the common controls.
  const UINT dpi = DpiOf(nullptr);
  if (!RegisterMainWindowClass(instance)) return FinalCleanup();
  FirstScreenImages firstImages;
  RunAlongside([&] { firstImages = PrepareWhileTheWindowIsMade(app, instance, dpi); },
               [&] { app.mainWindow = CreateMainWindow(instance, app.windowTitle.c_str()); });
  if (!app.mainWindow) return FinalCleanup();
  // The files are read on the loader's thread while the window is built;
  // a list's rows wait until its view exists (the first screen's once the
  // window is built, the others' in the loop's first steps).
  SetListsLoadedHook(FollowListsLoaded);
  HoldShellImages(true);  // until the first paint is done
  ListLoaderOptions atStart;
  atStart.restoreDamaged = true;
  StartListLoader(App().favourites, atStart);

  const SIZE inner = InnerSize(app.mainWindow);  // window units
  app.prefs.WindowWidth = inner.cx;
  app.prefs.WindowHeight = inner.cy;
  ReadPreferencesAtStart();  // pins the window before it owns the tool bar's tooltip

  BuildMainWindowContents(app.mainWindow, std::move(firstImages));
  LoadPreferencesAtStart();
  KeepWholeOnWorkArea(app.mainWindow);
  // Dark title bar and colours for the first screen's gadgets.
  if (ApplyMainWindowDarkLook(app.mainWindow)) SetPanelPageColor(DarkBase);

  // The other tabs, the favourite lists' first, once the loop runs (or when
  // first shown, or before the first command). The first screen's list
  // takes the rows read by now while it is hidden: a new count costs little.
  FollowLaterPages();
  for (int kind : kListKinds) TakeRowsReadSoFar(kind);
  // No UpdateWindow: the loop paints first thing, and answers a message
  // already waiting before it.
  ShowWindow(app.mainWindow, SW_SHOW);
  // The first paint of the tool bar's images loads the alpha-blending DLL
  // (under Wine at least): before the loop, which then answers at once.
  // Never freed.
  LoadLibraryW(L"msimg32.dll");
  SettleStartFolders();  // the shell's folders, with the shell's DLL
  // Drops and the clipboard; nothing before the window needs OLE. Released
  // once Shutdown has closed the window.
  const OleScope ole;
  SetPickListWindow(ShowPickList);
  UpdatePasteState(App(), PasteScope::Full);
  PrepareQuickOpen();
  SetPreferencesSavedHook([] { RegisterQuickHotKey(); });
  RegisterQuickHotKey();

  bool idleWorkLeft = true;
  do RunEventLoop(&idleWorkLeft);
  while (!SaveBeforeQuit());
  return Shutdown();
}

}  // namespace kelvane
