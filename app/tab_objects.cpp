#include "app/tab_objects.h"

namespace kelvane {

TabObjects::TabObjects(AppState& app)
    : apps(app, app.favourites.List(kAppsKind)),
      files(app, app.favourites.List(kFilesKind)),
      links(app, app.favourites.List(kLinksKind)),
      recent(app),
      explorer(app),
      desktop(app) {}

}  // namespace kelvane
