#include "app/app_state.h"

#include "app/main_window_services.h"

namespace kelvane {

AppState& App() {
  static AppState state;
  static const bool wired = (state.window = &TheMainWindowServices(), UseFavouriteStore(&state.favourites), true);
  (void)wired;
  return state;
}

void FindTabFolders() { FindTabFolders(App()); }

}  // namespace kelvane
