#pragma once
// What the list loader's two sides share: the items its thread hands over
// to the user-interface thread, one load's state, and the loader's own.
// For lists/list_loader_win.cpp (the user-interface side) and
// lists/list_loader_thread_win.cpp (the thread) alone.
#include <windows.h>

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "lists/favourite_store_win.h"
#include "lists/list_file.h"
#include "lists/list_loader_win.h"

namespace kelvane::list_loading {

// Posted to the loader's window: the queue has items to apply.
constexpr UINT kWakeMessage = WM_APP + 1;

struct IconUpdate {
  size_t index;  // in the file's order
  int icon;
};

struct Item {
  enum Type { Images, Rows, Done, Icons, AllRowsDone, Ended } type = Rows;
  unsigned generation = 0;
  int kind = 0;
  PackedEntries rows;  // a whole file's
  size_t applied = 0;  // icons already set
  std::vector<IconUpdate> icons;
  bool unreadable = false;
  DWORD readError = 0;
  bool noCount = false;  // the file's first line is not a count
  bool restored = false;  // damaged, it came back from its last good copy
  std::uint64_t checksum = 0;  // of the entries read, as SerializeList writes them
  size_t entriesRead = 0;
};

// One load: shared by its thread and the user-interface thread.
struct Run {
  Run() : imagesDue(CreateEventW(nullptr, TRUE, FALSE, nullptr)), wake(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~Run() {
    if (imagesDue) CloseHandle(imagesDue);
    if (wake) CloseHandle(wake);
  }
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  unsigned generation = 0;
  bool icons = true;
  bool restoreDamaged = false;
  std::array<std::wstring, 4> paths;  // by kind
  std::atomic<bool> stop{false};
  // Set when the shell's image list is not held (at start-up, once the
  // window's first paint is done), or to stop: building the list waits for
  // it, since under Wine it slows down every call the user-interface thread
  // makes to the wineserver meanwhile, the first paints among them.
  HANDLE imagesDue;
  // Set when the rows are all in the list views and the icons not held
  // (the window's steps are done), or to stop: the icon lookups wait for
  // it, for the same reason.
  HANDLE wake;
  // Icon batches applied and their rows on screen painted, against those
  // the thread pushed: the lookups wait for the paint they cause.
  size_t iconBatchesShown = 0;
};

struct Loader {
  // Shared with the thread.
  std::mutex mutex;
  std::condition_variable itemAdded;
  std::condition_variable iconsShown;
  std::deque<Item> queue;
  bool wakePosted = false;
  HWND window = nullptr;

  // User-interface thread only.
  unsigned generation = 0;
  std::shared_ptr<Run> run;
  HANDLE thread = nullptr;
  std::array<bool, 4> viewReady{};  // by kind: its view exists
  bool imagesPrepared = false;      // this run's Images item came in
  bool applying = false;
  std::optional<Item> current;  // taken from the queue, partly applied
  std::array<bool, 4> iconsPending{};
  std::array<int, 4> base{};  // entries the list held before this load's
  std::array<bool, 4> baseKnown{};
  // Rows removed since this load began, in order, each as its index then:
  // where an icon read for a file's entry now goes.
  std::array<std::vector<int>, 4> removed{};
  ListsLoadedHook hook = nullptr;
  bool allKinds = true;  // the run loads all three lists, not one again
  bool rowsAllIn = false;  // this run's
  bool iconsHeld = false;
  bool imagesHeld = false;
  FavouriteStore* store = nullptr;  // the lists loaded into; none before the first load
};

// Never destroyed: a thread that outlives shutdown may still use it.
inline Loader& TheLoader() {
  static Loader* loader = new Loader;
  return *loader;
}

// With the loader's mutex held: the user-interface thread is to drain the
// queue, unless it already has a wake message waiting.
void PostWake(Loader& loader);

// The thread of one load; `param` is a new std::shared_ptr<Run>, which the
// thread deletes.
DWORD WINAPI LoaderThread(void* param);

}  // namespace kelvane::list_loading
