#include "toolkit/thread_stack_win.h"

#include <cstdint>

namespace kelvane {

// Room left under the caller's frame for VirtualAlloc's own frames and
// whatever interrupts the thread meanwhile.
constexpr std::uintptr_t kKeptBelowFrame = 64 * 1024;

void ReleaseUnusedStack() {
  const auto* tib = reinterpret_cast<const NT_TIB*>(NtCurrentTeb());
  const auto lowest = reinterpret_cast<std::uintptr_t>(tib->StackLimit);  // lowest committed page
  volatile char frame = 0;
  const auto here = reinterpret_cast<std::uintptr_t>(&frame);
  if (here < lowest + kKeptBelowFrame) return;
  const std::uintptr_t top = (here - kKeptBelowFrame) & ~std::uintptr_t{0xFFF};
  if (top <= lowest) return;
  // MEM_RESET keeps the pages committed: the stack may grow into them again.
  VirtualAlloc(reinterpret_cast<void*>(lowest), top - lowest, MEM_RESET, PAGE_READWRITE);
}

}  // namespace kelvane
