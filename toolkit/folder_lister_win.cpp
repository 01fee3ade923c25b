#include "toolkit/folder_lister_win.h"

#include <utility>

#include "toolkit/shell_icons_win.h"
#include "toolkit/shortcut_target_win.h"
#include "toolkit/thread_scopes_win.h"

namespace kelvane {
namespace {

// The first batch is small so that the first screen shows at once; later
// ones go out every 100 ms so that the window merges few, large batches.
constexpr std::size_t kFirstBatchRows = 200;
constexpr ULONGLONG kBatchInterval = 100;
// A burst of changes (a copy of many files) settles before the folder is
// listed again: 100 ms without a change, 500 ms at most.
constexpr DWORD kQuietTime = 100;
constexpr ULONGLONG kLongestWait = 500;

constexpr DWORD kWatchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                  FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE |
                                  FILE_NOTIFY_CHANGE_ATTRIBUTES;

// Paths of MAX_PATH characters or more need the "\\?\" form.
std::wstring LongPathForm(const std::wstring& folder) {
  if (folder.size() + 2 < MAX_PATH || folder.rfind(L"\\\\?\\", 0) == 0) return folder;
  if (folder.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + folder.substr(2);
  return L"\\\\?\\" + folder;
}

}  // namespace

FolderLister::FolderLister(HWND owner, UINT message)
    : owner_(owner),
      message_(message),
      wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      listed_(CreateEventW(nullptr, TRUE, TRUE, nullptr)) {
  thread_ = std::thread([this] { Run(); });
}

FolderLister::~FolderLister() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  latest_.fetch_add(1);  // a listing under way stops at its next check
  SetEvent(wake_.get());
  if (thread_.joinable()) thread_.join();
  if (change_ != INVALID_HANDLE_VALUE) FindCloseChangeNotification(change_);
}

void FolderLister::List(ListingRequest request) {
  {
    std::lock_guard lock(mutex_);
    latest_.store(request.generation);
    pending_ = std::move(request);
    hasPending_ = true;
    ResetEvent(listed_.get());
  }
  SetEvent(wake_.get());
}

bool FolderLister::WaitUntilListed(DWORD milliseconds) {
  return WaitForSingleObject(listed_.get(), milliseconds) == WAIT_OBJECT_0;
}

std::vector<ListingBatch> FolderLister::TakeBatches() {
  std::lock_guard lock(mutex_);
  posted_ = false;
  return std::exchange(batches_, {});
}

void FolderLister::Deliver(ListingBatch batch) {
  std::lock_guard lock(mutex_);
  batches_.push_back(std::move(batch));
  if (!posted_) posted_ = PostMessageW(owner_, message_, 0, 0) != FALSE;
}

void FolderLister::Run() {
  // Shortcuts are read through COM.
  const ComScope com;
  for (;;) {
    HANDLE handles[2] = {wake_.get(), change_};
    const DWORD count = change_ != INVALID_HANDLE_VALUE ? 2 : 1;
    const DWORD woke = WaitForMultipleObjects(count, handles, FALSE, INFINITE);

    ListingRequest request;
    bool requested = false;
    {
      std::lock_guard lock(mutex_);
      if (stop_) return;
      if (hasPending_) {
        request = std::move(pending_);
        hasPending_ = false;
        requested = true;
      }
    }
    bool refresh = false;
    if (requested) {
      // Watch first: a change made while the folder is listed is not lost.
      Watch(request);
    } else if (woke == WAIT_OBJECT_0 + 1) {
      // A change on disk: wait for the burst to end, then list again whole.
      const ULONGLONG start = GetTickCount64();
      bool armed = FindNextChangeNotification(change_) != FALSE;
      while (armed && GetTickCount64() - start < kLongestWait) {
        HANDLE both[2] = {wake_.get(), change_};
        const DWORD w = WaitForMultipleObjects(2, both, FALSE, kQuietTime);
        if (w == WAIT_OBJECT_0) SetEvent(wake_.get());  // a request or the stop: the main wait takes it
        if (w != WAIT_OBJECT_0 + 1) break;
        armed = FindNextChangeNotification(change_) != FALSE;
      }
      if (!armed) {
        // The folder went away; the next request watches again.
        FindCloseChangeNotification(change_);
        change_ = INVALID_HANDLE_VALUE;
      }
      {
        std::lock_guard lock(mutex_);
        if (stop_ || hasPending_) continue;
      }
      request = watched_;
      request.whole = true;
      refresh = true;
    } else {
      continue;
    }

    bool complete = true;
    {
      ThreadErrorModeScope errorMode(request.quietDrives);
      if (request.folder.empty()) {
        ListDrives(request);
      } else {
        complete = ListFolder(request, refresh || request.whole);
      }
    }
    std::lock_guard lock(mutex_);
    if (complete && !hasPending_) SetEvent(listed_.get());
  }
}

void FolderLister::Watch(const ListingRequest& request) {
  const bool sameFolder = request.folder == watched_.folder && change_ != INVALID_HANDLE_VALUE;
  watched_ = request;
  watched_.whole = true;
  if (sameFolder) return;
  if (change_ != INVALID_HANDLE_VALUE) {
    FindCloseChangeNotification(change_);
    change_ = INVALID_HANDLE_VALUE;
  }
  if (request.folder.empty()) return;
  ThreadErrorModeScope errorMode(request.quietDrives);
  change_ = FindFirstChangeNotificationW(LongPathForm(request.folder).c_str(), FALSE, kWatchedChanges);
}

bool FolderLister::ListFolder(const ListingRequest& request, bool refresh) {
  ListingBatch batch;
  batch.generation = request.generation;
  batch.refresh = refresh;
  const std::wstring pattern = LongPathForm(request.folder) + L"*";
  WIN32_FIND_DATAW data;
  // Basic information (no short names) and large fetches are faster; older
  // systems refuse them with ERROR_INVALID_PARAMETER.
  HANDLE found = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                  FIND_FIRST_EX_LARGE_FETCH);
  if (found == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER) {
    found = FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &data, FindExSearchNameMatch, nullptr, 0);
  }
  if (found == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    batch.last = true;
    batch.error = (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) ? 0 : error;
    Deliver(std::move(batch));
    return true;
  }
  UniqueFind find(found);
  const bool progressive = !refresh;
  bool firstSent = false;
  ULONGLONG lastSent = GetTickCount64();
  std::uint32_t order = 0;
  std::uint32_t seen = 0;
  do {
    if ((++seen & 255) == 0 && Superseded(request.generation)) return false;
    const wchar_t* name = data.cFileName;
    if (name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0))) continue;
    const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (!request.hidden && (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN)) continue;
    if (isFolder ? !request.folders : !request.files) continue;
    FolderRow row;
    row.name = name;
    // Read here, off the window's thread: a shortcut file is small and local,
    // and its target itself is never asked for.
    if (request.shortcutTargets && !isFolder && HasShortcutExtension(row.name)) {
      row.target = ShortcutTarget(request.folder + row.name);
    }
    row.kind = isFolder ? FolderRowKind::Folder : FolderRowKind::File;
    row.size = isFolder ? 0 : (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    row.modified = static_cast<std::int64_t>((static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                             data.ftLastWriteTime.dwLowDateTime);
    row.attributes = data.dwFileAttributes;
    row.order = order++;
    batch.rows.push_back(std::move(row));
    if (progressive) {
      const bool due = firstSent ? ((seen & 1023) == 0 && GetTickCount64() - lastSent >= kBatchInterval)
                                 : batch.rows.size() >= kFirstBatchRows;
      if (due) {
        FolderModel::SortBatch(batch.rows, request.sort);  // on this thread, while the window works
        ListingBatch next;
        next.generation = batch.generation;
        Deliver(std::exchange(batch, std::move(next)));
        firstSent = true;
        lastSent = GetTickCount64();
      }
    }
  } while (FindNextFileW(find.get(), &data));
  const DWORD error = GetLastError();
  batch.last = true;
  batch.error = error == ERROR_NO_MORE_FILES ? 0 : error;
  FolderModel::SortBatch(batch.rows, request.sort);
  Deliver(std::move(batch));
  return true;
}

void FolderLister::ListDrives(const ListingRequest& request) {
  ListingBatch batch;
  batch.generation = request.generation;
  batch.refresh = request.whole;
  batch.last = true;
  const DWORD drives = GetLogicalDrives();
  std::uint32_t order = 0;
  for (int i = 0; i < 26; ++i) {
    if (!(drives & (1u << i))) continue;
    const wchar_t letter = static_cast<wchar_t>(L'A' + i);
    const std::wstring root = {letter, L':', L'\\'};
    FolderRow row;
    row.name = root;
    row.kind = FolderRowKind::Drive;
    row.attributes = GetDriveTypeW(root.c_str());
    row.order = order++;
    std::wstring label;
    // Floppy drives seek for seconds: their labels are not read.
    const bool floppy = row.attributes == DRIVE_REMOVABLE && (letter == L'A' || letter == L'B');
    if (!floppy) {
      wchar_t volume[MAX_PATH + 1] = {};
      if (GetVolumeInformationW(root.c_str(), volume, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0)) {
        label = volume;
      }
      ULARGE_INTEGER total{};
      if (GetDiskFreeSpaceExW(root.c_str(), nullptr, &total, nullptr)) row.size = total.QuadPart;
    }
    if (label.empty()) label = DriveTypeText(row.attributes);
    batch.driveLabels.emplace_back(root, label + L" (" + letter + L":)");
    batch.rows.push_back(std::move(row));
  }
  Deliver(std::move(batch));
}

}  // namespace kelvane
