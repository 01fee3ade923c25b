#include "app/shutdown.h"

#include <windows.h>
#include <objbase.h>

#include "app/app_state.h"
#include "app/help.h"
#include "app/tray_icon.h"
#include "backup/backup_win.h"
#include "explorer/file_clipboard_win.h"
#include "lists/list_loader_win.h"
#include "lists/list_store_win.h"

namespace kelvane {

void SaveOnQuit() {
  // The list files (applications, files, links, each after its load has
  // finished), or with auto-backup the lists, the preferences and a copy.
  SaveAtShutdown();
}

int Shutdown() {
  AppState& app = App();
  // Files copied to the clipboard: kept for other programs, or emptied.
  AskToKeepClipboardFilesAtQuit();
  SaveOnQuit();
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
  OleUninitialize();
  return 0;
}

}  // namespace kelvane
