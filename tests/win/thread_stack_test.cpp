// A stack given back below the running frame: pages a deep call touched
// stop being resident (as Wine reports them), the frame keeps its contents,
// the stack grows into them again.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <thread>

#include "toolkit/thread_stack_win.h"

namespace kelvane {
namespace {

constexpr int kPages = 32;

// Touches about depth * 4 KB of stack below the caller's frame.
int TouchStack(int depth) {
  volatile char page[4096];
  page[0] = 1;
  return depth ? TouchStack(depth - 1) + page[0] : 0;
}

// Of the 32 pages between 200 and 328 KB below `frame` (past the 64 KB kept,
// inside what TouchStack(100) reaches), how many are resident.
int ResidentPagesBelow(const char* frame) {
  const auto low = (reinterpret_cast<std::uintptr_t>(frame) - 328 * 1024) & ~std::uintptr_t{0xFFF};
  PSAPI_WORKING_SET_EX_INFORMATION pages[kPages]{};
  for (int i = 0; i < kPages; ++i) pages[i].VirtualAddress = reinterpret_cast<void*>(low + i * 4096);
  if (!QueryWorkingSetEx(GetCurrentProcess(), pages, sizeof pages)) return -1;
  int resident = 0;
  for (const auto& page : pages) resident += page.VirtualAttributes.Valid ? 1 : 0;
  return resident;
}

// On a thread of its own: touches the stack, lets `release` run, checks.
void TouchReleaseAndCheck(const std::function<void(const char* frame)>& release) {
  std::thread([&] {
    char frame[8192];
    std::memset(frame, 0x5A, sizeof frame);
    EXPECT_EQ(TouchStack(100), 100);
    EXPECT_EQ(ResidentPagesBelow(frame), kPages);
    release(frame);
    EXPECT_EQ(frame[0], 0x5A);
    EXPECT_EQ(std::memchr(frame, 0, sizeof frame), nullptr);
    EXPECT_EQ(TouchStack(100), 100);
    EXPECT_EQ(ResidentPagesBelow(frame), kPages);
  }).join();
}

TEST(ThreadStack, DeepPagesOfTheCallerAreGivenBackAndItsFrameKept) {
  TouchReleaseAndCheck([](const char* frame) {
    ReleaseUnusedStack();
    EXPECT_EQ(ResidentPagesBelow(frame), 0);
  });
}

}  // namespace
}  // namespace kelvane
