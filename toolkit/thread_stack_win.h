#pragma once
// The calling thread's stack below the running frame given back to the
// system. Wine commits a thread's whole stack and keeps about 1 MB of it
// resident from the thread's start, and keeps an ended thread's stack until
// another thread ends; Windows commits a stack only as deep as it was used.
#include <windows.h>

#include "toolkit/handle_win.h"

namespace kelvane {

// Pages of the calling thread's stack more than 64 KB below the caller's
// frame lose their contents and stop counting as resident; they stay
// committed and come back, zeroed, when the stack grows into them again.
void ReleaseUnusedStack();

// The same for the calling thread and, each held still for a moment, every
// other thread of the process: those the system started too (OLE's listener
// for drops from other programs), which this program cannot ask.
void ReleaseUnusedStacks();

// The other threads' stacks given back by a short-lived thread of its own:
// the caller goes on meanwhile and is never held still, which takes a while
// under Wine. The caller's own stack is its own to give back, and so is
// that of a thread inside an UnusedStackScope (a worker of this program,
// maybe busy: held still with a lock the window's thread needs, the heap's
// or the DLL loader's, it would hold that thread too).
class OtherStacksRelease {
 public:
  OtherStacksRelease() = default;
  OtherStacksRelease(const OtherStacksRelease&) = delete;
  OtherStacksRelease& operator=(const OtherStacksRelease&) = delete;
  // False if no thread could be started: then nothing is given back.
  bool Start();
  // True once every stack is given back (or nothing was started).
  bool Wait(DWORD milliseconds) const;

 private:
  UniqueKernelHandle thread_;  // closed, not waited for: the thread ends on its own
};

// For a thread's body: the stack is given back when the thread starts
// working and what the work used when it is done. Meanwhile no
// OtherStacksRelease holds the thread still.
class UnusedStackScope {
 public:
  UnusedStackScope();
  ~UnusedStackScope();
  UnusedStackScope(const UnusedStackScope&) = delete;
  UnusedStackScope& operator=(const UnusedStackScope&) = delete;
};

}  // namespace kelvane
