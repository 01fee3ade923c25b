#include "lists/list_loader_win.h"
#include "lists/list_loader_state_win.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
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
#include "toolkit/window_class_win.h"

namespace kelvane {
namespace {

using namespace list_loading;

constexpr wchar_t kWindowClass[] = L"KelvaneListLoader";
// The user-interface thread applies what came for at most this long before
// it lets other messages through: well under one frame.
constexpr double kApplyBudgetMs = 8.0;
// Shutdown waits this long for the thread; a shell call stuck on a network
// path must not keep the program from ending.
constexpr DWORD kStopWaitMs = 3000;

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
