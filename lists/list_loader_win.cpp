#include "lists/list_loader_win.h"

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "lists/dead_targets_win.h"
#include "lists/favourite_store_win.h"
#include "lists/list_file.h"
#include "lists/list_notices_win.h"
#include "lists/list_rules.h"
#include "lists/list_store_win.h"
#include "lists/list_sync_win.h"
#include "toolkit/checksum.h"
#include "toolkit/safe_save_win.h"
#include "toolkit/thread_stack_win.h"
#include "toolkit/utf_win.h"
#include "toolkit/window_class_win.h"

namespace kelvane {
namespace {

constexpr UINT kWakeMessage = WM_APP + 1;
constexpr wchar_t kWindowClass[] = L"KelvaneListLoader";
constexpr size_t kIconBatch = 64;
// The user-interface thread applies what came for at most this long before
// it lets other messages through: well under one frame.
constexpr double kApplyBudgetMs = 8.0;
// A file that exists but cannot be opened (another program holding it) is
// tried again a few times before the list is given up for this session.
constexpr int kReadAttempts = 5;
constexpr DWORD kReadRetryMs = 100;
// Shutdown waits this long for the thread; a shell call stuck on a network
// path must not keep the program from ending.
constexpr DWORD kStopWaitMs = 3000;
// The icon lookups wait at most this long for the paint of a batch.
constexpr int kIconsShownWaitMs = 100;

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
Loader& TheLoader() {
  static Loader* loader = new Loader;
  return *loader;
}

double NowMs() {
  static const double perMs = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / perMs;
}

// --- Loader thread -----------------------------------------------------------

// With the loader's mutex held: the user-interface thread is to drain the
// queue, unless it already has a wake message waiting.
void PostWake(Loader& loader) {
  if (!loader.wakePosted && loader.window) {
    loader.wakePosted = PostMessageW(loader.window, kWakeMessage, 0, 0) != 0;
  }
}

void Push(Item item) {
  Loader& loader = TheLoader();
  std::lock_guard lock(loader.mutex);
  loader.queue.push_back(std::move(item));
  loader.itemAdded.notify_all();
  PostWake(loader);
}

// Only the targets of the entries, for their icons.
PackedEntries TargetsOf(const PackedEntries& entries) {
  PackedEntries targets;
  size_t chars = 0;
  for (size_t index = 0; index < entries.Count(); ++index) chars += entries.Target(index).size();
  targets.Reserve(entries.Count(), chars);
  for (size_t index = 0; index < entries.Count(); ++index) targets.Append({}, entries.Target(index));
  return targets;
}

// Reads one file and hands its rows over in one piece (its entries are
// packed, so the window's thread takes them in two moves); keeps the targets
// for the icons.
void LoadOne(Run& run, int kind, PackedEntries* targets) {
  Item done;
  done.type = Item::Done;
  done.generation = run.generation;
  done.kind = kind;
  const std::wstring& path = run.paths[static_cast<size_t>(kind)];
  done.checksum = ContentChecksum(SerializeList({}));  // no file: an empty list
  if (PathExists(path)) {
    std::string bytes;
    bool read = false;
    for (int attempt = 0; attempt < kReadAttempts && !read && !run.stop; ++attempt) {
      if (attempt > 0) Sleep(kReadRetryMs);
      read = ReadWholeFile(path, &bytes);
      if (!read) done.readError = GetLastError();
    }
    // Checked here rather than before the window shows: the file is read
    // once, off the window's thread, and nothing uses it before.
    if (read && run.restoreDamaged && !IsUndamagedListFile(bytes) &&
        RestoreLastGoodIfDamaged(path, IsUndamagedListFile)) {
      done.restored = true;
      read = ReadWholeFile(path, &bytes);
      if (!read) done.readError = GetLastError();
    }
    if (!read) {
      done.unreadable = true;
    } else {
      PackedList parsed = ParsePackedListFile(bytes, AnsiToWide);
      done.noCount = parsed.countUnreadable;
      done.entriesRead = parsed.entries.Count();
      // A file as this program writes it is its own serialisation.
      done.checksum = ContentChecksum(SerializesAsRead(bytes, done.entriesRead) ? std::string_view(bytes)
                                                                                 : SerializePacked(parsed.entries));
      std::string().swap(bytes);
      if (targets) *targets = TargetsOf(parsed.entries);
      if (!parsed.entries.Empty()) {
        Item rows;
        rows.type = Item::Rows;
        rows.generation = run.generation;
        rows.kind = kind;
        rows.rows = std::move(parsed.entries);
        Push(std::move(rows));
      }
    }
  }
  Push(std::move(done));
}

// The icons are background work: a batch pushed, the lookups wait until it
// is applied and the rows it changed on screen are painted, so that the
// paint has the processor (and, under Wine, the server) to itself. Not
// long: a busy window thread never holds them up for more than that.
void WaitForIconsShown(Run& run, size_t pushed) {
  Loader& loader = TheLoader();
  std::unique_lock lock(loader.mutex);
  loader.iconsShown.wait_for(lock, std::chrono::milliseconds(kIconsShownWaitMs),
                             [&] { return run.iconBatchesShown >= pushed || run.stop; });
}

void FetchIcons(Run& run, int kind, const PackedEntries& targets, size_t* pushed) {
  Item batch;
  batch.type = Item::Icons;
  batch.generation = run.generation;
  batch.kind = kind;
  const auto push = [&] {
    Push(batch);
    batch.icons.clear();
    WaitForIconsShown(run, ++*pushed);
  };
  for (size_t index = 0; index < targets.Count() && !run.stop; ++index) {
    if (targets.Target(index).empty()) continue;
    const int icon = SmallShellIcon(std::wstring(targets.Target(index)));
    if (icon < 0) continue;  // the row keeps no icon
    batch.icons.push_back({index, icon});
    if (batch.icons.size() == kIconBatch) push();
  }
  if (!batch.icons.empty()) push();
}

DWORD WINAPI LoaderThread(void* param) {
  const UnusedStackScope stack;
  const std::unique_ptr<std::shared_ptr<Run>> holder(static_cast<std::shared_ptr<Run>*>(param));
  Run& run = **holder;
  std::array<PackedEntries, 4> targets;
  for (int kind : kListKinds) {
    if (run.paths[static_cast<size_t>(kind)].empty()) continue;  // not asked for
    const bool wantIcons = run.icons && kind != kLinksKind;
    LoadOne(run, kind, wantIcons ? &targets[static_cast<size_t>(kind)] : nullptr);
  }
  Item all;
  all.type = Item::AllRowsDone;
  all.generation = run.generation;
  Push(std::move(all));
  // The shell builds its image list of file icons on first use, for tens of
  // milliseconds: here rather than between two messages, and when due (see
  // imagesDue); the rows do not wait for it, their views hold a blank
  // stand-in till then. The list is the process's, not the thread's.
  if (run.imagesDue) WaitForSingleObject(run.imagesDue, INFINITE);
  // The shell's icon lookup wants COM on the calling thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  if (!run.stop) {
    SystemImageList(false);
    ShownIcon(kAppsKind, -1);
    Item images;
    images.type = Item::Images;
    images.generation = run.generation;
    Push(std::move(images));
  }
  if (run.icons) {
    if (run.wake) WaitForSingleObject(run.wake, INFINITE);
    size_t pushed = 0;
    for (int kind : {kAppsKind, kFilesKind}) {
      FetchIcons(run, kind, targets[static_cast<size_t>(kind)], &pushed);
      targets[static_cast<size_t>(kind)].Clear();
    }
  }
  // The last item tells the list that no more icons are coming.
  for (int kind : {kAppsKind, kFilesKind}) {
    Item end;
    end.type = Item::Icons;
    end.generation = run.generation;
    end.kind = -kind;
    Push(std::move(end));
  }
  if (SUCCEEDED(com)) CoUninitialize();
  // The user-interface thread then lets the thread's handle go.
  Item ended;
  ended.type = Item::Ended;
  ended.generation = run.generation;
  Push(std::move(ended));
  return 0;
}

// --- User-interface thread ---------------------------------------------------

FavouriteList& ListOf(int kind) { return TheLoader().store->List(kind); }

HWND NoticeOwner() { return TheLoader().store ? TheLoader().store->Context().mainWindow : nullptr; }

// The row of an entry read from the file at `index`, or -1 when it is gone.
int RowOfLoaded(int kind, size_t index) {
  const Loader& loader = TheLoader();
  const auto k = static_cast<size_t>(kind);
  int row = loader.base[k] + static_cast<int>(index);
  for (int gone : loader.removed[k]) {
    if (gone == row) return -1;
    if (gone < row) --row;
  }
  return row;
}

// The row whose icon was set, or -1.
int ApplyIcon(int kind, const IconUpdate& update) {
  const int row = RowOfLoaded(kind, update.index);
  FavouriteList& list = ListOf(kind);
  if (row < 0 || static_cast<size_t>(row) >= list.Count()) return -1;
  list.SetIcon(static_cast<size_t>(row), update.icon);
  return row;
}

void LetImagesCome() {
  Loader& loader = TheLoader();
  if (loader.run && !loader.imagesHeld) SetEvent(loader.run->imagesDue);
}

void LetIconsCome() {
  Loader& loader = TheLoader();
  if (loader.run && loader.rowsAllIn && !loader.iconsHeld) SetEvent(loader.run->wake);
}

// The thread's icon lookups go on (see WaitForIconsShown).
void NoteIconBatchShown() {
  Loader& loader = TheLoader();
  if (!loader.run) return;
  {
    std::lock_guard lock(loader.mutex);
    ++loader.run->iconBatchesShown;
  }
  loader.iconsShown.notify_all();
}

// Applies an item, or for icons as many as fit before the deadline (0: all).
// True when the item is done.
bool ApplySome(Item& item, double deadline) {
  Loader& loader = TheLoader();
  if (item.generation != loader.generation) return true;  // from a load given up
  switch (item.type) {
    case Item::Images:
      loader.imagesPrepared = true;
      if (loader.store) PrepareListImages(*loader.store);
      return true;
    case Item::Rows: {
      const auto k = static_cast<size_t>(item.kind);
      if (!loader.baseKnown[k]) {
        loader.base[k] = static_cast<int>(ListOf(item.kind).Count());
        loader.baseKnown[k] = true;
      }
      ListOf(item.kind).AppendLoaded(std::move(item.rows));
      // The list view's new count is the costly part (new scroll bars): its
      // count header waits for the next item, which may come with the next
      // message.
      loader.store->ShowCount(item.kind);
      return true;
    }
    case Item::Done: {
      FavouriteList& list = ListOf(item.kind);
      list.EndLoad(item.unreadable ? FavouriteList::LoadEnd::Unreadable
                   : item.noCount  ? FavouriteList::LoadEnd::KeptAsLoaded
                                   : FavouriteList::LoadEnd::Whole);
      // A file with no entries leaves the column its title.
      if (!list.Empty()) ShowListCount(*loader.store, item.kind);
      const std::wstring path = ListFilePath(*loader.store, item.kind);
      if (item.restored) QueueListNotice(RestoredFromLastGoodText(std::wstring(ListFileName(item.kind))));
      if (item.unreadable) QueueListNotice(UnreadableAtStartText(path, item.readError, RecoveredListPath(*loader.store, item.kind)));
      if (item.noCount) QueueListNotice(NoCountLineText(path));
      if (!item.unreadable) {
        // The thread's checksum holds when the list holds the file's entries alone.
        const auto k = static_cast<size_t>(item.kind);
        const bool fileAlone = list.Count() == item.entriesRead && loader.removed[k].empty() &&
                               (item.entriesRead == 0 || loader.base[k] == 0);
        if (fileAlone) {
          NoteListChecksumInStep(item.kind, item.checksum);
        } else {
          NoteListInStep(*loader.store, item.kind);
        }
      }
      CheckListTargets(*loader.store, item.kind);
      return true;
    }
    case Item::Icons: {
      if (item.kind < 0) {
        loader.iconsPending[static_cast<size_t>(-item.kind)] = false;
        return true;
      }
      if (!loader.iconsPending[static_cast<size_t>(item.kind)]) {  // the list was emptied since
        NoteIconBatchShown();
        return true;
      }
      // One repaint for the rows on screen among those whose icons came.
      int first = INT_MAX;
      int last = -1;
      while (item.applied < item.icons.size()) {
        if (const int row = ApplyIcon(item.kind, item.icons[item.applied++]); row >= 0) {
          first = std::min(first, row);
          last = std::max(last, row);
        }
        if (deadline > 0 && NowMs() >= deadline) break;
      }
      // A whole batch is painted at once: the lookups wait for it.
      const bool whole = item.applied == item.icons.size();
      loader.store->ShowRows(item.kind, first, last, whole);
      if (whole) NoteIconBatchShown();
      return whole;
    }
    case Item::AllRowsDone:
      loader.rowsAllIn = true;
      LetIconsCome();
      if (loader.hook && loader.allKinds) loader.hook();
      return true;
    case Item::Ended:
      // Its last item is in: the thread is returning, if not gone already.
      if (loader.thread) {
        WaitForSingleObject(loader.thread, kStopWaitMs);
        CloseHandle(loader.thread);
        loader.thread = nullptr;
      }
      loader.run.reset();
      HoldTargetChecks(false);
      return true;
  }
  return true;
}

bool PopItem(Item* item) {
  Loader& loader = TheLoader();
  std::lock_guard lock(loader.mutex);
  if (loader.queue.empty()) {
    loader.wakePosted = false;
    return false;
  }
  *item = std::move(loader.queue.front());
  loader.queue.pop_front();
  return true;
}

// The item being applied: the one begun earlier, else the next of the
// queue; with `wait`, waits for the thread to hand one over.
Item* CurrentItem(bool wait) {
  Loader& loader = TheLoader();
  if (loader.current) return &*loader.current;
  Item item;
  if (wait) {
    std::unique_lock lock(loader.mutex);
    loader.itemAdded.wait(lock, [&] { return !loader.queue.empty(); });
    item = std::move(loader.queue.front());
    loader.queue.pop_front();
  } else if (!PopItem(&item)) {
    return nullptr;
  }
  loader.current = std::move(item);
  return &*loader.current;
}

bool AllViewsReady() {
  const Loader& loader = TheLoader();
  for (int kind : kListKinds) {
    if (!loader.viewReady[static_cast<size_t>(kind)]) return false;
  }
  return true;
}

// A list's rows and end wait for its view: the first screen's list fills
// while the pages of the others are still being built.
bool ViewReadyFor(const Item& item) {
  if (item.type != Item::Rows && item.type != Item::Done) return true;
  return IsListKind(item.kind) && TheLoader().viewReady[static_cast<size_t>(item.kind)];
}

// Applies what the thread handed over until nothing is left or the budget
// is spent (0: no budget); then asks to be called again if anything is left.
void Drain(double budgetMs) {
  Loader& loader = TheLoader();
  if (loader.applying) return;
  loader.applying = true;
  const double deadline = budgetMs > 0 ? NowMs() + budgetMs : 0;
  bool more = false;
  while (Item* item = CurrentItem(false)) {
    if (!ViewReadyFor(*item)) break;  // ListViewReady wakes the queue again
    if (!ApplySome(*item, deadline)) {
      more = true;
      break;
    }
    loader.current.reset();
    if (deadline > 0 && NowMs() >= deadline) {
      more = true;
      break;
    }
  }
  loader.applying = false;
  ShowListNotices(NoticeOwner());
  if (more) {
    std::lock_guard lock(loader.mutex);
    PostWake(loader);
  }
}

LRESULT CALLBACK LoaderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kWakeMessage) {
    {
      Loader& loader = TheLoader();
      std::lock_guard lock(loader.mutex);
      loader.wakePosted = false;
    }
    Drain(kApplyBudgetMs);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND EnsureWindow() {
  Loader& loader = TheLoader();
  if (loader.window) return loader.window;
  HWND window = CreateMessageWindow(kWindowClass, LoaderWindowProc);
  std::lock_guard lock(loader.mutex);
  loader.window = window;
  return window;
}

void StopThread(DWORD waitMs) {
  Loader& loader = TheLoader();
  if (loader.run) {
    {
      std::lock_guard lock(loader.mutex);  // the icon lookups may be waiting for a paint
      loader.run->stop = true;
    }
    loader.iconsShown.notify_all();
    SetEvent(loader.run->imagesDue);
    SetEvent(loader.run->wake);
  }
  if (loader.thread) {
    WaitForSingleObject(loader.thread, waitMs);
    CloseHandle(loader.thread);
    loader.thread = nullptr;
  }
  HoldTargetChecks(false);
}

}  // namespace

void StartListLoader(FavouriteStore& store) { StartListLoader(store, ListLoaderOptions{}); }

void StartListLoader(FavouriteStore& store, const ListLoaderOptions& options) {
  Loader& loader = TheLoader();
  EnsureWindow();
  if (loader.thread) {
    for (int kind : kListKinds) FinishListLoad(kind);
    StopThread(kStopWaitMs);
  }
  {
    std::lock_guard lock(loader.mutex);
    loader.queue.clear();
  }
  loader.current.reset();
  loader.store = &store;
  ++loader.generation;
  loader.allKinds = options.onlyKind == 0;
  loader.rowsAllIn = false;
  loader.imagesPrepared = false;
  auto run = std::make_shared<Run>();
  run->generation = loader.generation;
  run->icons = options.icons;
  run->restoreDamaged = options.restoreDamaged;
  for (int kind : kListKinds) {
    const auto k = static_cast<size_t>(kind);
    if (!loader.allKinds && kind != options.onlyKind) continue;
    if (!loader.allKinds) ClearEntries(store, kind);
    run->paths[k] = ListFilePath(store, kind);
    ListOf(kind).BeginLoad();
    loader.iconsPending[k] = options.icons && kind != kLinksKind;
    loader.baseKnown[k] = false;
    loader.removed[k].clear();
  }
  loader.run = run;
  LetImagesCome();
  auto* param = new std::shared_ptr<Run>(run);
  loader.thread = CreateThread(nullptr, 0, LoaderThread, param, 0, nullptr);
  if (!loader.thread) {
    // No thread: the lists stay as they are, and may be written as such.
    delete param;
    loader.run.reset();
    for (int kind : kListKinds) {
      if (ListOf(kind).Loading()) ListOf(kind).EndLoad(FavouriteList::LoadEnd::Whole);
    }
    loader.iconsPending = {};
    return;
  }
  HoldTargetChecks(true);  // till the thread ends
}

void ListViewReady(FavouriteStore& store, int kind) {
  Loader& loader = TheLoader();
  if (!IsListKind(kind)) return;
  loader.viewReady[static_cast<size_t>(kind)] = true;
  // Before the thread's Images item, the shell's image list is not made
  // here: the shell builds it on first use, for long.
  PrepareListImages(store, ShellImagesBuilt());
  store.ShowCount(kind);
  std::lock_guard lock(loader.mutex);
  if (!loader.queue.empty() || loader.current) PostWake(loader);
}

void ListViewsReady(FavouriteStore& store) {
  for (int kind : kListKinds) ListViewReady(store, kind);
}

void TakeRowsReadSoFar(int kind) {
  Loader& loader = TheLoader();
  if (!IsListKind(kind) || !loader.viewReady[static_cast<size_t>(kind)] || loader.applying) return;
  loader.applying = true;
  // Only rows: a list's end may tell the user something, once the window shows.
  while (Item* item = CurrentItem(false)) {
    if (item->type != Item::Rows || item->kind != kind) break;
    ApplySome(*item, 0);
    loader.current.reset();
  }
  loader.applying = false;
}

bool FinishListLoad(int kind) {
  Loader& loader = TheLoader();
  if (!IsListKind(kind)) return false;
  if (!loader.store || !ListOf(kind).Loading()) return true;
  if (!AllViewsReady() || !ListView(kind) || loader.applying) return false;
  loader.applying = true;
  while (ListOf(kind).Loading()) {
    ApplySome(*CurrentItem(true), 0);
    loader.current.reset();
  }
  loader.applying = false;
  ShowListNotices(NoticeOwner());
  return true;
}

bool ListLoadRunning(int kind) { return IsListKind(kind) && TheLoader().store && ListOf(kind).Loading(); }

bool ListFileUnreadable(int kind) { return IsListKind(kind) && TheLoader().store && ListOf(kind).FileUnreadable(); }

void NoteEntryRemoved(int kind, int row) {
  Loader& loader = TheLoader();
  const auto k = static_cast<size_t>(kind);
  if (IsListKind(kind) && ((loader.store && ListOf(kind).Loading()) || loader.iconsPending[k])) loader.removed[k].push_back(row);
}

void NoteEntriesCleared(int kind) {
  // The icons still to come were for entries that are gone.
  if (IsListKind(kind)) TheLoader().iconsPending[static_cast<size_t>(kind)] = false;
}

bool ListLoaderBusy() {
  Loader& loader = TheLoader();
  for (int kind : kListKinds) {
    const auto k = static_cast<size_t>(kind);
    if ((loader.store && ListOf(kind).Loading()) || loader.iconsPending[k]) return true;
  }
  if (loader.current) return true;
  std::lock_guard lock(loader.mutex);
  return !loader.queue.empty();
}

void HoldShellImages(bool held) {
  TheLoader().imagesHeld = held;
  LetImagesCome();
}

bool ShellImagesBuilt() {
  const Loader& loader = TheLoader();
  return !loader.thread || loader.imagesPrepared;
}

void HoldListIcons(bool held) {
  TheLoader().iconsHeld = held;
  LetIconsCome();
}

void StopListLoader() { StopThread(kStopWaitMs); }

void SetListsLoadedHook(ListsLoadedHook hook) { TheLoader().hook = hook; }

}  // namespace kelvane
