#pragma once
// One thread watches every folder shown by a folder list (explorer, recent
// items, desktop) for changes, instead of a resident thread per list: each
// thread keeps its stack resident (about 1 MB under Wine). The thread runs
// while some folder is watched. A burst of changes (a copy of many files) is
// told once it has settled: 100 ms without a change, 500 ms at most. Only the
// direct children of a folder are watched.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace kelvane {

using FolderWatchId = std::uint64_t;  // 0: no watch

// Starts watching `folder` (a path FindFirstChangeNotificationW takes) for
// the `filter` changes. `changed` runs on the watching thread once a burst
// of changes has settled, and once more if the folder can no longer be
// watched (gone), which ends the watch. 0 when the folder cannot be watched.
// Called on the thread whose error mode applies to the folder's drive.
FolderWatchId WatchFolder(const std::wstring& folder, DWORD filter, std::function<void()> changed);
// Ends a watch: once this returns, its `changed` is neither running nor runs
// again. Never from inside a `changed`.
void EndFolderWatch(FolderWatchId id);
// True from WatchFolder until the watch ends.
bool FolderWatchActive(FolderWatchId id);

}  // namespace kelvane
