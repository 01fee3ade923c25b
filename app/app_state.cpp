#include "app/app_state.h"

#include <shlobj.h>

#include "toolkit/special_folders_win.h"

namespace kelvane {

AppState& App() {
  static AppState state;
  return state;
}

void FindTabFolders() {
  AppState& app = App();
  if (app.tabFoldersFound) return;
  app.tabFoldersFound = true;
  // A folder set already (by a test) stays.
  if (app.recentFolder.empty()) app.recentFolder = SpecialFolderPath(CSIDL_RECENT);
  if (app.publicDesktopFolder.empty()) app.publicDesktopFolder = SpecialFolderPath(CSIDL_COMMON_DESKTOPDIRECTORY);
  if (app.userDesktopFolder.empty()) app.userDesktopFolder = SpecialFolderPath(CSIDL_DESKTOPDIRECTORY);
}

std::wstring BuildWindowTitle() {
#if defined(_WIN64)
  return L"Kelvane (x64) ";
#else
  return L"Kelvane (x86) ";
#endif
}

}  // namespace kelvane
