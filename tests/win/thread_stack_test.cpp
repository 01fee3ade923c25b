// A thread's stack below its running frame given back: pages a deep call
// touched stop being resident (as Wine reports them), the caller's frame
// keeps its contents, and the stack grows into the pages again.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <thread>

#include "toolkit/thread_stack_win.h"

namespace kelvane {
namespace {

constexpr int kPages = 32;

// Touches about depth * 4 KB of stack below the caller's frame.
int TouchStack(int depth) {
  volatile char page[4096];
  page[0] = static_cast<char>(depth);
  page[sizeof page - 1] = 1;
  return depth ? TouchStack(depth - 1) + page[0] : 0;
}

int ResidentPages(std::uintptr_t low) {
  PSAPI_WORKING_SET_EX_INFORMATION pages[kPages]{};
  for (int i = 0; i < kPages; ++i) pages[i].VirtualAddress = reinterpret_cast<void*>(low + i * 4096);
  if (!QueryWorkingSetEx(GetCurrentProcess(), pages, sizeof pages)) return -1;
  int resident = 0;
  for (const auto& page : pages) resident += page.VirtualAttributes.Valid ? 1 : 0;
  return resident;
}

TEST(ThreadStack, DeepPagesAreGivenBackAndTheFrameAndLaterGrowthKeepWorking) {
  std::thread([] {
    char frame[8192];
    std::memset(frame, 0x5A, sizeof frame);
    // 32 pages between 200 and 328 KB below this frame: well past the
    // 64 KB kept below it, well inside what TouchStack reaches.
    const std::uintptr_t low = (reinterpret_cast<std::uintptr_t>(frame) - 328 * 1024) & ~std::uintptr_t{0xFFF};
    EXPECT_EQ(TouchStack(100), 5050);
    EXPECT_EQ(ResidentPages(low), kPages);

    ReleaseUnusedStack();
    EXPECT_EQ(ResidentPages(low), 0);
    EXPECT_EQ(frame[0], 0x5A);
    EXPECT_EQ(frame[sizeof frame - 1], 0x5A);
    EXPECT_EQ(std::memchr(frame, 0, sizeof frame), nullptr);

    EXPECT_EQ(TouchStack(100), 5050);
    EXPECT_EQ(ResidentPages(low), kPages);
  }).join();
}

}  // namespace
}  // namespace kelvane
