#include "toolkit/shell_icons_win.h"

#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <utility>

#include "toolkit/thread_stack_win.h"

namespace kelvane {
namespace {

constexpr const wchar_t* kOwnIconExtensions[] = {L".EXE", L".LNK", L".ICO", L".CUR", L".ANI", L".URL", L".SCR",
                                                 L".CPL", L".MSC", L".PIF", L".APPREF-MS", L".WEBSITE"};

std::wstring FoldedExtension(const FolderRow& row) {
  std::wstring ext(ExtensionOf(row.name));
  for (wchar_t& c : ext) c = FoldCase(c);
  return ext;
}

bool IsFolderKind(const FolderRow& row) { return row.kind != FolderRowKind::File; }

// Asks by name and attributes only (SHGFI_USEFILEATTRIBUTES): no disk access.
bool AskByType(const FolderRow& row, UINT flags, SHFILEINFOW* info) {
  const std::wstring probe = IsFolderKind(row) ? std::wstring(L"folder") : L"file" + std::wstring(ExtensionOf(row.name));
  const DWORD attributes = IsFolderKind(row) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  return SHGetFileInfoW(probe.c_str(), attributes, info, sizeof *info, flags | SHGFI_USEFILEATTRIBUTES) != 0;
}

}  // namespace

HIMAGELIST SystemImageList(bool large) {
  SHFILEINFOW info{};
  const UINT size = large ? SHGFI_LARGEICON : SHGFI_SMALLICON;
  return reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"file", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                                                     SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | size));
}

int SmallShellIcon(const std::wstring& path) {
  SHFILEINFOW info{};
  // No file attributes given: the shell looks at the object itself, which
  // must exist.
  if (!SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON)) return -1;
  return info.iIcon;
}

int SmallTypeIcon(const std::wstring& path) {
  SHFILEINFOW info{};
  if (!SHGetFileInfoW(path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                      SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES)) {
    return -1;
  }
  return info.iIcon;
}

void ShowProperties(const std::wstring& path) {
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  // SEE_MASK_FLAG_NO_UI: where the shell has no properties sheet (Wine), it
  // would otherwise block on an error box.
  execute.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  execute.lpVerb = L"properties";
  execute.lpFile = path.c_str();
  execute.nShow = SW_HIDE;
  ShellExecuteExW(&execute);
  if (execute.hProcess) CloseHandle(execute.hProcess);
}

std::wstring DriveTypeText(UINT driveType) {
  switch (driveType) {
    case DRIVE_FIXED:
      return L"Disque local";
    case DRIVE_REMOVABLE:
      return L"Disque amovible";
    case DRIVE_REMOTE:
      return L"Lecteur réseau";
    case DRIVE_CDROM:
      return L"Lecteur de CD";
    case DRIVE_RAMDISK:
      return L"Disque RAM";
    default:
      return L"Lecteur";
  }
}

bool HasOwnIcon(const FolderRow& row) {
  switch (row.kind) {
    case FolderRowKind::Parent:
      return false;
    case FolderRowKind::Drive:
      return true;
    case FolderRowKind::Folder:
      // A folder with its own icon (desktop.ini) is marked read-only or system.
      return (row.attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM)) != 0;
    case FolderRowKind::File:
      break;
  }
  const std::wstring ext = FoldedExtension(row);
  return std::any_of(std::begin(kOwnIconExtensions), std::end(kOwnIconExtensions),
                     [&](const wchar_t* own) { return ext == own; });
}

int ShellTypeCache::Icon(const FolderRow& row) {
  const std::wstring key = IsFolderKind(row) ? std::wstring(L"\\") : FoldedExtension(row);
  if (auto it = icons_.find(key); it != icons_.end()) return it->second;
  SHFILEINFOW info{};
  const int icon = AskByType(row, SHGFI_SYSICONINDEX | SHGFI_SMALLICON, &info) ? info.iIcon : 0;
  icons_.emplace(key, icon);
  return icon;
}

std::wstring ShellTypeCache::TypeName(const FolderRow& row) {
  if (row.kind == FolderRowKind::Parent) return {};
  if (row.kind == FolderRowKind::Drive) return DriveTypeText(row.attributes);
  SHFILEINFOW info{};
  if (AskByType(row, SHGFI_TYPENAME, &info) && info.szTypeName[0]) return info.szTypeName;
  if (IsFolderKind(row)) return L"Dossier de fichiers";
  std::wstring ext = FoldedExtension(row);
  return ext.size() > 1 ? L"Fichier " + ext.substr(1) : L"Fichier";
}

// --- IconFetcher -------------------------------------------------------------

IconFetcher::IconFetcher(HWND owner, UINT message) : owner_(owner), message_(message) {}

IconFetcher::~IconFetcher() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  worker_.Join();
}

void IconFetcher::Ask(IconRequest request) {
  std::lock_guard lock(mutex_);
  requests_.push_back(std::move(request));
  worker_.Wake([this] { Run(); });
}

void IconFetcher::Forget() {
  std::lock_guard lock(mutex_);
  requests_.clear();
}

std::vector<IconAnswer> IconFetcher::TakeAnswers() {
  std::lock_guard lock(mutex_);
  posted_ = false;
  return std::exchange(answers_, {});
}

void IconFetcher::Run() {
  const UnusedStackScope stack;
  // Shortcuts are read through COM; a drive without a disc must not bring
  // up the system's dialog.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, nullptr);
  for (;;) {
    IconRequest request;
    {
      std::lock_guard lock(mutex_);
      if (stop_ || requests_.empty()) {
        worker_.Ending();
        break;
      }
      request = std::move(requests_.back());
      requests_.pop_back();
    }
    SHFILEINFOW info{};
    IconAnswer answer{request.generation, request.rowHint, std::move(request.name), -1};
    if (SHGetFileInfoW(request.path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON)) {
      answer.icon = info.iIcon;
    }
    std::lock_guard lock(mutex_);
    answers_.push_back(std::move(answer));
    if (!posted_) posted_ = PostMessageW(owner_, message_, 0, 0) != FALSE;
  }
  if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace kelvane
