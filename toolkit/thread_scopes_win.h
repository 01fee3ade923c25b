#pragma once
// Per-thread settings held for a scope.
#include <windows.h>
#include <objbase.h>
#include <ole2.h>

namespace kelvane {

// COM on this thread (multithreaded apartment) for the scope; a thread that
// already has COM keeps its own.
class ComScope {
 public:
  ComScope() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}
  ~ComScope() {
    if (initialised_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialised_;
};

// OLE (drag and drop, the clipboard's data objects) on this thread for the
// scope.
class OleScope {
 public:
  OleScope() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
  ~OleScope() {
    if (initialised_) OleUninitialize();
  }
  OleScope(const OleScope&) = delete;
  OleScope& operator=(const OleScope&) = delete;

 private:
  bool initialised_;
};

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
