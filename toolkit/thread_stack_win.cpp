#include "toolkit/thread_stack_win.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <vector>

#include "toolkit/handle_win.h"

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

// ThreadBasicInformation of NtQueryInformationThread: where the thread's
// TEB (and so its stack's bounds) is.
struct ThreadBasics {
  LONG exitStatus;
  void* teb;
  void* clientId[2];
  ULONG_PTR affinity;
  LONG priority;
  LONG basePriority;
};
using QueryThread = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);

QueryThread ThreadQuery() {
  static const auto query = reinterpret_cast<QueryThread>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationThread")));
  return query;
}

// Another thread of this process, held still while its stack pointer is
// read: the pages below it are unused. A stack pointer outside the thread's
// own stack (a fiber's, say) leaves it alone.
void ReleaseStackOf(DWORD threadId) {
  UniqueKernelHandle thread(OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT | THREAD_QUERY_INFORMATION, FALSE,
                                       threadId));
  ThreadBasics basics{};
  if (!thread || !ThreadQuery() || ThreadQuery()(thread.get(), 0, &basics, sizeof basics, nullptr) < 0 ||
      !basics.teb) {
    return;
  }
  const auto* tib = static_cast<const NT_TIB*>(basics.teb);
  if (SuspendThread(thread.get()) == static_cast<DWORD>(-1)) return;
  CONTEXT context{};
  context.ContextFlags = CONTEXT_CONTROL;
  if (GetThreadContext(thread.get(), &context)) {
#if defined(_M_X64) || defined(__x86_64__)
    const auto frame = static_cast<std::uintptr_t>(context.Rsp);
#elif defined(_M_ARM64) || defined(__aarch64__)
    const auto frame = static_cast<std::uintptr_t>(context.Sp);
#else
    const auto frame = static_cast<std::uintptr_t>(context.Esp);
#endif
    const auto lowest = reinterpret_cast<std::uintptr_t>(tib->StackLimit);
    if (frame > lowest && frame <= reinterpret_cast<std::uintptr_t>(tib->StackBase)) ResetBelow(lowest, frame);
  }
  ResumeThread(thread.get());
}

// Threads inside an UnusedStackScope: they give back their own stacks.
struct SelfReleasing {
  std::mutex mutex;
  std::vector<DWORD> threads;
};

SelfReleasing& SelfReleasingThreads() {
  static SelfReleasing self;
  return self;
}

// The threads of this process as they are now, but the calling one and those in `also`.
std::vector<DWORD> OtherThreads(std::vector<DWORD> also = {}) {
  std::vector<DWORD> threads;
  const UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (!snapshot) return threads;
  const DWORD process = GetCurrentProcessId();
  const DWORD self = GetCurrentThreadId();
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry)) {
    if (entry.th32OwnerProcessID == process && entry.th32ThreadID != self &&
        std::find(also.begin(), also.end(), entry.th32ThreadID) == also.end()) {
      threads.push_back(entry.th32ThreadID);
    }
  }
  return threads;
}

DWORD WINAPI ReleaseOtherStacks(void* starter) {
  std::vector<DWORD> leftAlone{static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(starter))};
  {
    SelfReleasing& self = SelfReleasingThreads();
    const std::lock_guard lock(self.mutex);
    leftAlone.insert(leftAlone.end(), self.threads.begin(), self.threads.end());
  }
  for (DWORD thread : OtherThreads(std::move(leftAlone))) ReleaseStackOf(thread);
  ReleaseUnusedStack();  // what the snapshot used
  return 0;
}

}  // namespace

void ReleaseUnusedStack() {
  const auto* tib = reinterpret_cast<const NT_TIB*>(NtCurrentTeb());
  volatile char frame = 0;
  ResetBelow(reinterpret_cast<std::uintptr_t>(tib->StackLimit), reinterpret_cast<std::uintptr_t>(&frame));
}

void ReleaseUnusedStacks() {
  ReleaseUnusedStack();
  for (DWORD thread : OtherThreads()) ReleaseStackOf(thread);
}

bool OtherStacksRelease::Start() {
  if (thread_ && WaitForSingleObject(thread_.get(), 0) != WAIT_OBJECT_0) return true;  // still at it
  auto* starter = reinterpret_cast<void*>(static_cast<std::uintptr_t>(GetCurrentThreadId()));
  thread_.reset(CreateThread(nullptr, 64 * 1024, ReleaseOtherStacks, starter, STACK_SIZE_PARAM_IS_A_RESERVATION,
                             nullptr));
  return static_cast<bool>(thread_);
}

UnusedStackScope::UnusedStackScope() {
  ReleaseUnusedStack();
  SelfReleasing& self = SelfReleasingThreads();
  const std::lock_guard lock(self.mutex);
  self.threads.push_back(GetCurrentThreadId());
}

UnusedStackScope::~UnusedStackScope() {
  {
    SelfReleasing& self = SelfReleasingThreads();
    const std::lock_guard lock(self.mutex);
    const auto found = std::find(self.threads.begin(), self.threads.end(), GetCurrentThreadId());
    if (found != self.threads.end()) self.threads.erase(found);
  }
  ReleaseUnusedStack();
}

bool OtherStacksRelease::Wait(DWORD milliseconds) const {
  return !thread_ || WaitForSingleObject(thread_.get(), milliseconds) == WAIT_OBJECT_0;
}

}  // namespace kelvane
