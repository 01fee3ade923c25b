#pragma once
// Icons and type names from the shell, and its properties sheet. In the
// explorer list most rows take the icon and type of their extension, asked
// once per extension without touching the disk; programs, shortcuts, icon
// files, customised folders and drives have icons of their own, fetched on a
// background thread.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "toolkit/folder_model.h"
#include "toolkit/handle_win.h"
#include "toolkit/worker_thread.h"

namespace kelvane {

// The shell's image list of all file icons (shared, never destroyed),
// obtained without asking for any real file's icon.
HIMAGELIST SystemImageList(bool large);

// Index of the small icon of the file or folder at `path` in the system
// image list, or -1 when the shell finds nothing (the object must exist).
// Safe on any thread that has initialised COM.
int SmallShellIcon(const std::wstring& path);

// The small icon of a file of `path`'s type, by its name alone (no disk
// access): for a target that is gone. -1 when the shell has none.
int SmallTypeIcon(const std::wstring& path);

// The shell's properties sheet of a file or folder (verb "properties"); the
// result is not examined and nothing is shown on failure.
void ShowProperties(const std::wstring& path);

// "Disque local", "Lecteur de CD"... for a GetDriveType value.
std::wstring DriveTypeText(UINT driveType);

// True when the row's icon belongs to the file itself rather than to its type.
bool HasOwnIcon(const FolderRow& row);

// Icon index and type name by kind and extension, cached (UI thread).
class ShellTypeCache {
 public:
  int Icon(const FolderRow& row);
  static std::wstring TypeName(const FolderRow& row);

 private:
  std::unordered_map<std::wstring, int> icons_;  // folded extension, or "\\" for folders
};

struct IconRequest {
  std::uint32_t generation = 0;
  std::uint32_t rowHint = 0;  // where the row was when asked
  std::wstring name;
  std::wstring path;
};

struct IconAnswer {
  std::uint32_t generation = 0;
  std::uint32_t rowHint = 0;
  std::wstring name;
  int icon = -1;  // -1 when the shell had none
};

// Asks the shell for icons of single files on a thread of its own, which
// ends once no request is left; the latest request first, as it is for the
// rows on screen now. The owner gets one posted message when answers start
// waiting.
class IconFetcher {
 public:
  IconFetcher(HWND owner, UINT message);
  ~IconFetcher();
  IconFetcher(const IconFetcher&) = delete;
  IconFetcher& operator=(const IconFetcher&) = delete;

  void Ask(IconRequest request);
  void Forget();  // requests not yet answered are dropped
  std::vector<IconAnswer> TakeAnswers();

 private:
  void Run();

  HWND owner_;
  UINT message_;
  std::mutex mutex_;
  std::deque<IconRequest> requests_;
  std::vector<IconAnswer> answers_;
  bool posted_ = false;
  bool stop_ = false;
  WorkerThread worker_;
};

}  // namespace kelvane
