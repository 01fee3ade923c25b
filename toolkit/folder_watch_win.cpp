#include "toolkit/folder_watch_win.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "toolkit/handle_win.h"
#include "toolkit/thread_stack_win.h"
#include "toolkit/worker_thread.h"

namespace kelvane {
namespace {

constexpr ULONGLONG kQuietTime = 100;
constexpr ULONGLONG kLongestWait = 500;

struct Watch {
  FolderWatchId id = 0;
  UniqueChangeNotification change;
  std::function<void()> changed;
  ULONGLONG firstChange = 0;  // 0: no change waiting to be told
  ULONGLONG lastChange = 0;
  bool gone = false;
};

// `changed` runs with `mutex` held, so that EndFolderWatch, which takes it,
// returns only once no `changed` of that watch is running.
struct Watcher {
  std::mutex mutex;
  std::vector<std::unique_ptr<Watch>> watches;
  // Handles of ended watches, closed by the thread once it no longer waits
  // on them (closing a handle under a wait is undefined).
  std::vector<UniqueChangeNotification> retired;
  UniqueKernelHandle wake{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
  FolderWatchId lastId = 0;
  WorkerThread thread;
};

// Never destroyed: folder lists that end at exit still end their watches.
Watcher& TheWatcher() {
  static Watcher* watcher = new Watcher;
  return *watcher;
}

// Milliseconds until the burst of a watch is told; 0 when due.
DWORD DueIn(const Watch& watch, ULONGLONG now) {
  const ULONGLONG due = std::min(watch.lastChange + kQuietTime, watch.firstChange + kLongestWait);
  return due > now ? static_cast<DWORD>(due - now) : 0;
}

Watch* Find(Watcher& watcher, FolderWatchId id) {
  for (auto& watch : watcher.watches) {
    if (watch->id == id) return watch.get();
  }
  return nullptr;
}

void Run() {
  const UnusedStackScope stack;
  Watcher& watcher = TheWatcher();
  std::vector<HANDLE> handles;
  std::vector<FolderWatchId> ids;
  for (;;) {
    DWORD timeout = INFINITE;
    {
      std::lock_guard lock(watcher.mutex);
      watcher.retired.clear();
      if (watcher.watches.empty()) {
        watcher.thread.Ending();
        return;
      }
      handles.assign(1, watcher.wake.get());
      ids.assign(1, 0);
      const ULONGLONG now = GetTickCount64();
      for (const auto& watch : watcher.watches) {
        if (watch->firstChange) timeout = std::min(timeout, DueIn(*watch, now));
        // One wait takes 64 handles: a folder beyond the 63rd is not watched.
        if (handles.size() == MAXIMUM_WAIT_OBJECTS) continue;
        handles.push_back(watch->change.get());
        ids.push_back(watch->id);
      }
    }
    const DWORD count = static_cast<DWORD>(handles.size());
    const DWORD woke = WaitForMultipleObjects(count, handles.data(), FALSE, timeout);

    std::lock_guard lock(watcher.mutex);
    const ULONGLONG now = GetTickCount64();
    if (woke > WAIT_OBJECT_0 && woke < WAIT_OBJECT_0 + count) {
      if (Watch* watch = Find(watcher, ids[woke - WAIT_OBJECT_0])) {
        if (!watch->firstChange) watch->firstChange = now;
        watch->lastChange = now;
        watch->gone = !FindNextChangeNotification(watch->change.get());
      }
    } else if (woke == WAIT_FAILED) {
      // Not one handle can be waited on any more: rather than spin, every
      // watch ends (its list is listed again, and watched again when asked).
      for (auto& watch : watcher.watches) watch->gone = true;
    }
    for (auto it = watcher.watches.begin(); it != watcher.watches.end();) {
      Watch& watch = **it;
      if (watch.gone || (watch.firstChange && DueIn(watch, now) == 0)) {
        watch.firstChange = 0;
        watch.changed();
        if (watch.gone) {
          watcher.retired.push_back(std::move(watch.change));
          it = watcher.watches.erase(it);
          continue;
        }
      }
      ++it;
    }
  }
}

}  // namespace

FolderWatchId WatchFolder(const std::wstring& folder, DWORD filter, std::function<void()> changed) {
  UniqueChangeNotification change(FindFirstChangeNotificationW(folder.c_str(), FALSE, filter));
  if (!change) return 0;
  Watcher& watcher = TheWatcher();
  std::lock_guard lock(watcher.mutex);
  auto watch = std::make_unique<Watch>();
  watch->id = ++watcher.lastId;
  watch->change = std::move(change);
  watch->changed = std::move(changed);
  watcher.watches.push_back(std::move(watch));
  SetEvent(watcher.wake.get());  // a running thread waits on the new handle too
  watcher.thread.Wake(Run);
  return watcher.lastId;
}

void EndFolderWatch(FolderWatchId id) {
  if (!id) return;
  Watcher& watcher = TheWatcher();
  std::lock_guard lock(watcher.mutex);
  const auto it = std::find_if(watcher.watches.begin(), watcher.watches.end(),
                               [id](const std::unique_ptr<Watch>& watch) { return watch->id == id; });
  if (it == watcher.watches.end()) return;
  watcher.retired.push_back(std::move((*it)->change));
  watcher.watches.erase(it);
  SetEvent(watcher.wake.get());
}

bool FolderWatchActive(FolderWatchId id) {
  Watcher& watcher = TheWatcher();
  std::lock_guard lock(watcher.mutex);
  return id && Find(watcher, id);
}

}  // namespace kelvane
