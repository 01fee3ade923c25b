#include "app/app_state.h"

namespace kelvane {

AppState& App() {
  static AppState state;
  return state;
}

std::wstring BuildWindowTitle() {
#if defined(_WIN64)
  return L"Kelvane (x64) ";
#else
  return L"Kelvane (x86) ";
#endif
}

}  // namespace kelvane
