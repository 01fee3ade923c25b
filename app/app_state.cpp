#include "app/app_state.h"

#include "app/main_window_services.h"

namespace kelvane {

AppState::AppState() {
  window = &TheMainWindowServices();
}

AppState& App() {
  static AppState state;
  return state;
}

void FindTabFolders() { FindTabFolders(App()); }

}  // namespace kelvane
