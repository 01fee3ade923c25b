#pragma once
// The three folder lists of the main window (RecentList, ExplorerList,
// DesktopList) are explorer list controls. Gadget(id) gives the control's
// own window (place and size); the control itself answers for rows, folder,
// selection and display mode.
#include <string>

#include "toolkit/explorer_list_win.h"

namespace kelvane {

// The control of gadget kRecentList, kExplorerList or kDesktopList; null for
// any other gadget or while its tab page is not built yet.
ExplorerListControl* FolderList(int gadget);

}  // namespace kelvane
