#include "lists/list_loader_state_win.h"

#include <objbase.h>

#include <chrono>
#include <string_view>
#include <utility>

#include "lists/list_rules.h"
#include "lists/list_store_win.h"
#include "lists/list_sync_win.h"
#include "toolkit/checksum.h"
#include "toolkit/safe_save_win.h"
#include "toolkit/thread_stack_win.h"
#include "toolkit/utf_win.h"

namespace kelvane::list_loading {
namespace {

constexpr size_t kIconBatch = 64;
// A file that exists but cannot be opened (another program holding it) is
// tried again a few times before the list is given up for this session.
constexpr int kReadAttempts = 5;
constexpr DWORD kReadRetryMs = 100;
// The icon lookups wait at most this long for the paint of a batch.
constexpr int kIconsShownWaitMs = 100;

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

}  // namespace

void PostWake(Loader& loader) {
  if (!loader.wakePosted && loader.window) {
    loader.wakePosted = PostMessageW(loader.window, kWakeMessage, 0, 0) != 0;
  }
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

}  // namespace kelvane::list_loading
