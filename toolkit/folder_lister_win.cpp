#include "toolkit/folder_lister_win.h"

#include <utility>

#include "toolkit/shell_icons_win.h"
#include "toolkit/shortcut_target_win.h"
#include "toolkit/thread_scopes_win.h"
#include "toolkit/thread_stack_win.h"

namespace kelvane {
namespace {

// The first batch is small so that the first screen shows at once; later
// ones go out every 100 ms so that the window merges few, large batches.
constexpr std::size_t kFirstBatchRows = 200;
constexpr ULONGLONG kBatchInterval = 100;

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
    : owner_(owner), message_(message), listed_(CreateEventW(nullptr, TRUE, TRUE, nullptr)) {}

FolderLister::~FolderLister() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  latest_.fetch_add(1);  // a listing under way stops at its next check
  worker_.Join();
  EndFolderWatch(watch_);
}

void FolderLister::List(ListingRequest request) {
  {
    std::lock_guard lock(mutex_);
    latest_.store(request.generation);
    pending_ = std::move(request);
    hasPending_ = true;
    ResetEvent(listed_.get());
    worker_.Wake([this] { Run(); });
  }
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

void FolderLister::OnFolderChanged() {
  std::lock_guard lock(mutex_);
  if (stop_) return;
  changed_ = true;
  worker_.Wake([this] { Run(); });
}

void FolderLister::Run() {
  const UnusedStackScope stack;
  // Shortcuts are read through COM.
  const ComScope com;
  for (;;) {
    ListingRequest request;
    bool refresh = false;
    {
      std::lock_guard lock(mutex_);
      if (stop_) {
        worker_.Ending();
        return;
      }
      if (hasPending_) {
        // A new request makes a change on disk in the old folder moot.
        request = std::move(pending_);
        hasPending_ = false;
        changed_ = false;
      } else if (std::exchange(changed_, false)) {
        request = watched_;
        refresh = true;
      } else {
        worker_.Ending();
        return;
      }
    }
    // Watch first: a change made while the folder is listed is not lost.
    if (!refresh) Watch(request);

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
  // A folder that went away ended its watch: it is watched again.
  const bool sameFolder = request.folder == watched_.folder && FolderWatchActive(watch_);
  watched_ = request;
  watched_.whole = true;
  if (sameFolder) return;
  EndFolderWatch(watch_);
  watch_ = 0;
  if (request.folder.empty()) return;
  ThreadErrorModeScope errorMode(request.quietDrives);
  watch_ = WatchFolder(LongPathForm(request.folder), kWatchedChanges, [this] { OnFolderChanged(); });
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
