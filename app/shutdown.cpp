#include "app/shutdown.h"

#include <windows.h>
#include <objbase.h>

#include "app/app_state.h"
#include "app/help.h"
#include "app/tray_icon.h"

namespace kelvane {

int Shutdown() {
  AppState& app = App();
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
