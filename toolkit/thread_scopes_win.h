#pragma once
// Per-thread settings held for a scope.
#include <windows.h>
#include <objbase.h>
#include <ole2.h>

namespace kelvane {

// A library started on this thread for the scope, and ended with it only
// when the start succeeded (a thread that had it already keeps its own).
template <HRESULT (*Start)(), void (*End)()>
class ThreadLibraryScope {
 public:
  ThreadLibraryScope() : started_(SUCCEEDED(Start())) {}
  ~ThreadLibraryScope() {
    if (started_) End();
  }
  ThreadLibraryScope(const ThreadLibraryScope&) = delete;
  ThreadLibraryScope& operator=(const ThreadLibraryScope&) = delete;

 private:
  bool started_;
};

inline HRESULT StartCom() { return CoInitializeEx(nullptr, COINIT_MULTITHREADED); }
inline void EndCom() { CoUninitialize(); }
inline HRESULT StartOle() { return OleInitialize(nullptr); }
inline void EndOle() { OleUninitialize(); }

// COM on this thread (multithreaded apartment) for the scope.
using ComScope = ThreadLibraryScope<StartCom, EndCom>;
// OLE (drag and drop, the clipboard's data objects) on this thread for the
// scope.
using OleScope = ThreadLibraryScope<StartOle, EndOle>;

// No system dialog ("insert a disc") for a drive that is not ready, for the
// scope, when `quiet`.
class ThreadErrorModeScope {
 public:
  explicit ThreadErrorModeScope(bool quiet) {
    if (quiet) changed_ = SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old_) != FALSE;
  }
  ~ThreadErrorModeScope() {
    if (changed_) SetThreadErrorMode(old_, nullptr);
  }
  ThreadErrorModeScope(const ThreadErrorModeScope&) = delete;
  ThreadErrorModeScope& operator=(const ThreadErrorModeScope&) = delete;

 private:
  DWORD old_ = 0;
  bool changed_ = false;
};

}  // namespace kelvane
