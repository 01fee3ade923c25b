#include "toolkit/subclass_win.h"

namespace kelvane {

Subclass::Subclass(HWND window, LightSubclassProc proc, void* data)
    : window_(window), attached_(AddLightSubclass(window, proc, data)), proc_(proc), data_(data) {}

Subclass::~Subclass() { Remove(); }

LRESULT Subclass::CallNext(UINT message, WPARAM wParam, LPARAM lParam) const {
  return CallNextLightSubclass(window_, proc_, message, wParam, lParam);
}

void Subclass::Remove() {
  // After WM_NCDESTROY the chain is gone with the window: nothing matches then.
  if (attached_) RemoveLightSubclass(window_, proc_, data_);
  attached_ = false;
}

}  // namespace kelvane
