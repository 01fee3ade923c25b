#pragma once
// The calling thread's stack below the running frame given back to the
// system. Wine commits a thread's whole stack and keeps about 1 MB of it
// resident from the thread's start, and keeps an ended thread's stack until
// another thread ends; Windows commits a stack only as deep as it was used.
#include <windows.h>

namespace kelvane {

// Pages of the calling thread's stack more than 64 KB below the caller's
// frame lose their contents and stop counting as resident; they stay
// committed and come back, zeroed, when the stack grows into them again.
void ReleaseUnusedStack();

// For a thread's body: the stack is given back when the thread starts
// working and what the work used when it is done. Threads the system starts
// (OLE's listener for drops from other programs) keep theirs: holding a
// thread still to give back its stack held the window's thread too under
// Wine, for 10 to 30 ms.
class UnusedStackScope {
 public:
  UnusedStackScope() { ReleaseUnusedStack(); }
  ~UnusedStackScope() { ReleaseUnusedStack(); }
  UnusedStackScope(const UnusedStackScope&) = delete;
  UnusedStackScope& operator=(const UnusedStackScope&) = delete;
};

}  // namespace kelvane
