#include "app/single_instance.h"

#include <windows.h>

#include "app/app_state.h"

namespace kelvane {

bool SingleInstanceCheck(const std::wstring& windowTitle) {
  SetLastError(0);
  UniqueKernelHandle mutex(CreateMutexW(nullptr, FALSE, windowTitle.c_str()));
  const DWORD error = GetLastError();
  if (error != ERROR_ALREADY_EXISTS && error != ERROR_ACCESS_DENIED) {
    App().instanceMutex = std::move(mutex);
    return true;
  }
  mutex.reset();
  // The caption includes its trailing blank, so only our own window matches.
  if (HWND first = FindWindowW(nullptr, windowTitle.c_str())) {
    ShowWindow(first, SW_SHOWNORMAL);
    SetForegroundWindow(first);
  }
  return false;
}

}  // namespace kelvane
