#pragma once
// The calling thread's stack below the running frame given back to the
// system. Wine commits a thread's whole stack and keeps about 1 MB of it
// resident from the thread's start, and keeps an ended thread's stack until
// another thread ends; Windows commits a stack only as deep as it was used.
#include <windows.h>

#include <cstddef>
#include <vector>

namespace kelvane {

// Pages of the calling thread's stack more than 64 KB below the caller's
// frame lose their contents and stop counting as resident; they stay
// committed and come back, zeroed, when the stack grows into them again.
void ReleaseUnusedStack();

// The same for the calling thread and, each held still for a moment, every
// other thread of the process: those the system started too (OLE's listener
// for drops from other programs), which this program cannot ask.
void ReleaseUnusedStacks();

// The same spread over calls, for a caller that must stay responsive: the
// calling thread's stack and the list of the others first, then one other
// thread per call (holding one still takes a while under Wine). False once
// every thread's stack is given back.
class StackReleaser {
 public:
  bool Step();

 private:
  bool started_ = false;
  std::vector<DWORD> others_;
  std::size_t next_ = 0;
};

// For a thread's body: the stack is given back when the thread starts
// working and what the work used when it is done.
class UnusedStackScope {
 public:
  UnusedStackScope() { ReleaseUnusedStack(); }
  ~UnusedStackScope() { ReleaseUnusedStack(); }
  UnusedStackScope(const UnusedStackScope&) = delete;
  UnusedStackScope& operator=(const UnusedStackScope&) = delete;
};

}  // namespace kelvane
