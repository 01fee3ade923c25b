#include "app/tab_objects.h"

#include "app/folder_lists.h"
#include "catalog/ids.h"

namespace kelvane {

TabObjects::TabObjects(AppState& app)
    : apps(app, app.favourites),
      files(app, app.favourites),
      links(app, app.favourites),
      recent(app),
      explorer(app),
      desktop(app) {}

ExplorerListControl* FolderList(int gadget) {
  TabObjects* tabs = Tabs();
  if (!tabs) return nullptr;
  switch (gadget) {
    case kRecentList:
      return tabs->recent.FolderList();
    case kExplorerList:
      return tabs->explorer.FolderList();
    case kDesktopList:
      return tabs->desktop.FolderList();
    default:
      return nullptr;
  }
}

}  // namespace kelvane
