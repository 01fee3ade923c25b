#include "settings/program_context_win.h"

#include <shlobj.h>

#include "toolkit/special_folders_win.h"

namespace kelvane {

void FindTabFolders(ProgramContext& context) {
  if (context.tabFoldersFound) return;
  context.tabFoldersFound = true;
  // A folder set already (by a test) stays.
  if (context.recentFolder.empty()) context.recentFolder = SpecialFolderPath(CSIDL_RECENT);
  if (context.publicDesktopFolder.empty()) {
    context.publicDesktopFolder = SpecialFolderPath(CSIDL_COMMON_DESKTOPDIRECTORY);
  }
  if (context.userDesktopFolder.empty()) context.userDesktopFolder = SpecialFolderPath(CSIDL_DESKTOPDIRECTORY);
}

std::wstring BuildWindowTitle() {
#if defined(_WIN64)
  return L"Kelvane (x64) ";
#else
  return L"Kelvane (x86) ";
#endif
}

}  // namespace kelvane
