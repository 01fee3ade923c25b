#include "app/shutdown.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/help.h"
#include "app/tray_icon.h"
#include "backup/backup_win.h"
#include "explorer/file_clipboard_win.h"
#include "lists/list_loader_win.h"
#include "lists/list_notices_win.h"
#include "lists/list_store_win.h"
#include "toolkit/requesters_win.h"

namespace kelvane {

void SaveOnQuit() {
  // The list files (applications, files, links, each after its load has
  // finished), or with auto-backup the lists, the preferences and a copy.
  SaveAtShutdown(App(), App().favourites);
}

bool SaveBeforeQuit() {
  SaveOnQuit();
  const std::wstring notSaved = ListFilesNotSaved(App().favourites);
  if (notSaved.empty()) return true;
  // The entries are still in the lists: quitting now loses those added or
  // changed since the last save that worked.
  const std::wstring question = L"Ces listes n'ont pas pu \u00EAtre enregistr\u00E9es :" + notSaved +
                                L"\n\nQuitter quand m\u00EAme ? Les changements non enregistr\u00E9s seront perdus.";
  if (Ask(App().mainWindow, kListNoticeTitle, question, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2)) return true;
  App().quitRequested = false;
  return false;
}

int Shutdown() {
  AppState& app = App();
  // Files copied to the clipboard: kept for other programs, or emptied.
  AskToKeepClipboardFilesAtQuit(App());
  StopListLoader();
  RemoveTrayIcon();
  CloseHelpViewer();
  if (app.mainWindow && IsWindowVisible(app.mainWindow)) {
    AnimateWindow(app.mainWindow, 500, AW_HIDE | AW_BLEND);
  }
  return FinalCleanup();
}

int FinalCleanup() {
  AppState& app = App();
  if (app.mainWindow) {
    DestroyWindow(app.mainWindow);
    app.mainWindow = nullptr;
  }
  app.instanceMutex.reset();
  return 0;
}

}  // namespace kelvane
