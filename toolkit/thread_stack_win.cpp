#include "toolkit/thread_stack_win.h"

#include <cstdint>

namespace kelvane {
namespace {

// Room left under a frame for the calls it makes and whatever interrupts
// the thread meanwhile.
constexpr std::uintptr_t kKeptBelowFrame = 64 * 1024;

// [lowest, frame - kKeptBelowFrame) of a stack whose lowest committed page
// is `lowest`, page by page.
void ResetBelow(std::uintptr_t lowest, std::uintptr_t frame) {
  if (frame < lowest + kKeptBelowFrame) return;
  const std::uintptr_t top = (frame - kKeptBelowFrame) & ~std::uintptr_t{0xFFF};
  if (top <= lowest) return;
  // MEM_RESET keeps the pages committed: the stack may grow into them again.
  VirtualAlloc(reinterpret_cast<void*>(lowest), top - lowest, MEM_RESET, PAGE_READWRITE);
}

}  // namespace

void ReleaseUnusedStack() {
  const auto* tib = reinterpret_cast<const NT_TIB*>(NtCurrentTeb());
  volatile char frame = 0;
  ResetBelow(reinterpret_cast<std::uintptr_t>(tib->StackLimit), reinterpret_cast<std::uintptr_t>(&frame));
}

}  // namespace kelvane
