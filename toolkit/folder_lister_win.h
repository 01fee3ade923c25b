#pragma once
// Lists folders on a thread of its own, which ends once nothing is left to
// list, and watches the folder listed last (through the program's one
// folder-watching thread), for the explorer list. Results wait in a queue;
// the owner window gets one posted message when the queue goes from empty to
// not empty, and takes everything waiting with TakeBatches.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "toolkit/folder_model.h"
#include "toolkit/folder_watch_win.h"
#include "toolkit/handle_win.h"
#include "toolkit/worker_thread.h"

namespace kelvane {

struct ListingRequest {
  std::wstring folder;            // with its trailing backslash; "" lists the drives
  std::uint32_t generation = 0;   // echoed in the batches
  bool folders = true;
  bool files = true;
  bool hidden = false;
  bool quietDrives = true;        // no system dialog for a drive that is not ready
  bool shortcutTargets = false;   // rows of "*.lnk" files carry their target
  bool whole = false;             // one batch at the end instead of batches as they come
  FolderSort sort;                // batches come sorted so (but for a type sort)
};

struct ListingBatch {
  std::uint32_t generation = 0;
  std::vector<FolderRow> rows;
  // Drive overview: the text shown for each drive row, by row name.
  std::vector<std::pair<std::wstring, std::wstring>> driveLabels;
  bool last = false;     // the listing is complete
  bool refresh = false;  // a whole new listing of the watched folder after a change on disk
  DWORD error = 0;       // why the folder could not be listed (with last)
};

class FolderLister {
 public:
  FolderLister(HWND owner, UINT message);
  ~FolderLister();  // stops the listing and the watch
  FolderLister(const FolderLister&) = delete;
  FolderLister& operator=(const FolderLister&) = delete;

  // Replaces any listing under way; the folder becomes the one watched.
  void List(ListingRequest request);
  // Waits until the last request is listed; false after `milliseconds`.
  bool WaitUntilListed(DWORD milliseconds);
  std::vector<ListingBatch> TakeBatches();

 private:
  void Run();
  void Watch(const ListingRequest& request);
  void OnFolderChanged();  // on the watching thread
  // False when a newer request made this listing useless.
  bool ListFolder(const ListingRequest& request, bool refresh);
  void ListDrives(const ListingRequest& request);
  void Deliver(ListingBatch batch);
  bool Superseded(std::uint32_t generation) const { return latest_.load() != generation; }

  HWND owner_;
  UINT message_;
  UniqueKernelHandle listed_;  // manual-reset: set while no request is waiting or being listed
  std::mutex mutex_;
  ListingRequest pending_;
  bool hasPending_ = false;
  bool changed_ = false;  // the watched folder changed on disk: list it again whole
  bool stop_ = false;
  std::vector<ListingBatch> batches_;
  bool posted_ = false;
  std::atomic<std::uint32_t> latest_{0};
  WorkerThread worker_;
  // Worker thread only (one at a time).
  ListingRequest watched_;
  FolderWatchId watch_ = 0;
};

}  // namespace kelvane
