#pragma once
// One window procedure in front of a window's own for the life of this
// object (a light subclass, toolkit/light_subclass_win.h): it goes when the
// object goes, or with the window after its WM_NCDESTROY, whichever comes
// first. Not copyable or movable: the chain holds its address.
#include <windows.h>

#include "toolkit/light_subclass_win.h"

namespace kelvane {

class Subclass {
 public:
  // `proc` gets `data` with every message; Attached() is false when the
  // window is gone or already has `proc`.
  Subclass(HWND window, LightSubclassProc proc, void* data);
  ~Subclass();
  Subclass(const Subclass&) = delete;
  Subclass& operator=(const Subclass&) = delete;

  bool Attached() const { return attached_; }
  HWND Window() const { return window_; }
  // What `proc` calls for what it leaves to the window.
  LRESULT CallNext(UINT message, WPARAM wParam, LPARAM lParam) const;
  // Takes the procedure out now (also from inside one of its messages:
  // CallNext still reaches the window's procedure then).
  void Remove();

 private:
  HWND window_;
  bool attached_ = false;
  LightSubclassProc proc_;
  void* data_;
};

}  // namespace kelvane
