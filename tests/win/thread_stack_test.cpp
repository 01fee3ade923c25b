// A thread's stack below its running frame given back, by the thread itself
// or from another: pages a deep call touched stop being resident (as Wine
// reports them), the frame keeps its contents, and the stack grows into the
// pages again.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <thread>

#include "toolkit/handle_win.h"
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

// 32 pages between 200 and 328 KB below a frame: well past the 64 KB kept
// below it, well inside what TouchStack(100) reaches.
std::uintptr_t DeepPagesBelow(const char* frame) {
  return (reinterpret_cast<std::uintptr_t>(frame) - 328 * 1024) & ~std::uintptr_t{0xFFF};
}

bool Whole(const char* frame, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    if (frame[i] != 0x5A) return false;
  }
  return true;
}

TEST(ThreadStack, DeepPagesOfTheCallerAndOfOtherThreadsAreGivenBackAndTheirFramesKept) {
  std::thread([] {
    char frame[8192];
    std::memset(frame, 0x5A, sizeof frame);
    const std::uintptr_t low = DeepPagesBelow(frame);
    EXPECT_EQ(TouchStack(100), 5050);
    EXPECT_EQ(ResidentPages(low), kPages);

    ReleaseUnusedStack();
    EXPECT_EQ(ResidentPages(low), 0);
    EXPECT_TRUE(Whole(frame, sizeof frame));
    EXPECT_EQ(TouchStack(100), 5050);
    EXPECT_EQ(ResidentPages(low), kPages);
  }).join();

  // Another thread, stopped in a wait, has its stack trimmed from here.
  const UniqueKernelHandle touched(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  const UniqueKernelHandle go(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::uintptr_t low = 0;
  bool kept = false;
  int residentAgain = -1;
  std::thread waiting([&] {
    char frame[8192];
    std::memset(frame, 0x5A, sizeof frame);
    low = DeepPagesBelow(frame);
    TouchStack(100);
    SetEvent(touched.get());
    WaitForSingleObject(go.get(), INFINITE);
    kept = Whole(frame, sizeof frame);
    TouchStack(100);
    residentAgain = ResidentPages(low);
  });
  WaitForSingleObject(touched.get(), INFINITE);
  EXPECT_EQ(ResidentPages(low), kPages);
  ReleaseUnusedStacks();
  EXPECT_EQ(ResidentPages(low), 0);
  SetEvent(go.get());
  waiting.join();
  EXPECT_TRUE(kept);
  EXPECT_EQ(residentAgain, kPages);
}

}  // namespace
}  // namespace kelvane
