#include "lists/list_store_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <array>

#include "app/app_state.h"
#include "toolkit/gadgets_win.h"
#include "catalog/catalog.h"
#include "lists/list_loader_win.h"
#include "lists/list_notices_win.h"
#include "toolkit/empty_list_hint_win.h"
#include "toolkit/list_view_win.h"
#include "lists/dead_targets_win.h"
#include "lists/list_sync_win.h"
#include "toolkit/safe_save_win.h"
#include "toolkit/shell_start_win.h"
#include "toolkit/utf_win.h"

namespace kelvane {
namespace {

// Rows whose icon the list loader still has to bring carry this in lParam.
constexpr LPARAM kIconPending = 1;

// A row whose target the shell cannot find (gone, or its icon not yet
// fetched) shows the shell's icon for a file of no known type: a row with no
// image draws its text a few pixels left of the others'.
int PlaceholderIcon() {
  static const int icon = [] {
    SHFILEINFOW info{};
    const bool found = SHGetFileInfoW(L"kelvane", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                                      SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES) != 0;
    return found ? info.iIcon : -1;
  }();
  return icon;
}

int ShownIcon(int icon) {
  if (icon < 0) icon = PlaceholderIcon();
  return icon >= 0 ? icon : I_IMAGENONE;
}

// The list loader's many row operations go straight to the list view's own
// window procedure, past any subclass: a subclass that paints (the colour
// layer) has nothing to do with a row being added or its icon set, and
// under Wine each subclass step costs wineserver round trips (window
// properties), which made a load of 30,000 rows three times slower. Drawing
// is suspended meanwhile and resumed by a message that does pass the
// subclasses, so a layer still sees the list's new extent.
LRESULT WINAPI Direct(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  static const auto proc = reinterpret_cast<WNDPROC>(GetClassLongPtrW(list, GCLP_WNDPROC));
  return proc ? CallWindowProcW(proc, list, message, wParam, lParam) : SendMessageW(list, message, wParam, lParam);
}

std::wstring DirectRowText(HWND list, int row, int column) {
  std::wstring text(264, L'\0');
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    const auto length = static_cast<size_t>(
        Direct(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    if (length + 1 < text.size()) {
      text.resize(length);
      return text;
    }
    text.resize(text.size() * 2);
  }
}

// `direct`: for the loader's rows (see Direct).
void InsertRow(HWND list, int row, const ListEntry& entry, int icon, LPARAM param, bool direct) {
  const auto call = direct ? Direct : SendMessageW;
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = row;
  item.pszText = const_cast<wchar_t*>(entry.name.c_str());
  item.iImage = ShownIcon(icon);
  item.lParam = param;
  const auto at = static_cast<int>(call(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (at < 0) return;
  LVITEMW sub{};
  sub.iSubItem = 1;
  sub.pszText = const_cast<wchar_t*>(entry.target.c_str());
  call(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&sub));
}

LPARAM RowParam(HWND list, int row) {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!Direct(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return 0;
  return item.lParam;
}

// After a reset the data folder is gone until the next start, which begins
// from nothing. An empty list leaves it gone; entries added since then must
// not be lost at exit, so a list that holds some makes the folder again.
bool DataFolderReadyFor(bool emptyList) {
  const std::wstring& folder = App().dataFolder;
  if (folder.empty()) return true;  // the files live in the current folder
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
  return !emptyList && CreateDirectoryW(folder.c_str(), nullptr) != 0;
}

}  // namespace

HWND ListView(int kind) { return IsListKind(kind) ? Gadget(kind) : nullptr; }

void PrepareListImages() {
  if (HIMAGELIST system = SystemImageList(false)) {
    PlaceholderIcon();  // looked up once, before the first rows come in
    for (int kind : {kAppsKind, kFilesKind}) {
      HWND list = ListView(kind);
      if (!list || SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0)) continue;
      // Shared: the list view must never destroy the shell's image list.
      SetWindowLongPtrW(list, GWL_STYLE, GetWindowLongPtrW(list, GWL_STYLE) | LVS_SHAREIMAGELISTS);
      SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(system));
    }
  }
  HWND links = ListView(kLinksKind);
  if (links && !SendMessageW(links, LVM_GETIMAGELIST, LVSIL_SMALL, 0)) {
    // Not shared: the links list destroys its own image list with itself.
    const int side = GetSystemMetrics(SM_CXSMICON);
    HIMAGELIST own = ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, 1, 0);
    if (own && App().images.AddToImageList(own, kLinkImage, side) == 0) {
      SendMessageW(links, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(own));
    } else if (own) {
      ImageList_Destroy(own);
    }
  }
}

void GiveEmptyListHint(HWND list) {
  ShowHintWhileEmpty(list, L"Liste vide : ajoutez une entr\u00E9e avec le bouton \u00AB " +
                               CatalogText(L"ToolBarToolTip", L"AjoutFavori") + L" \u00BB de la barre d'outils.");
}

int EntryCount(int kind) {
  HWND list = ListView(kind);
  return list ? static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

ListEntry EntryAt(int kind, int row) {
  ListEntry entry;
  HWND list = ListView(kind);
  if (!list) return entry;
  entry.name = RowText(list, row, 0);
  entry.target = RowText(list, row, 1);
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  if (SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) entry.icon = item.iImage < 0 ? -1 : item.iImage;
  return entry;
}

std::vector<ListEntry> ReadEntries(int kind) {
  std::vector<ListEntry> entries;
  HWND list = ListView(kind);
  if (!list) return entries;
  const int count = EntryCount(kind);
  entries.reserve(static_cast<size_t>(count));
  for (int row = 0; row < count; ++row) entries.push_back({RowText(list, row, 0), RowText(list, row, 1), -1});
  return entries;
}

bool IsRowSelected(int kind, int row) {
  HWND list = ListView(kind);
  return list && (SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED);
}

void AppendEntry(int kind, const ListEntry& entry) {
  HWND list = ListView(kind);
  if (!list) return;
  InsertRow(list, EntryCount(kind), entry, kind == kLinksKind ? 0 : entry.icon, 0, false);
  CheckListTargets(kind);
}

void AppendEntries(int kind, std::span<const ListEntry> entries, bool iconPending) {
  HWND list = ListView(kind);
  if (!list) return;
  auto row = static_cast<int>(Direct(list, LVM_GETITEMCOUNT, 0, 0));
  for (const ListEntry& entry : entries) {
    InsertRow(list, row++, entry, kind == kLinksKind ? 0 : entry.icon, iconPending ? kIconPending : 0, true);
  }
}

void SuspendListDrawing(int kind, bool suspend) {
  HWND list = ListView(kind);
  if (!list) return;
  SendMessageW(list, WM_SETREDRAW, suspend ? FALSE : TRUE, 0);
  if (!suspend) InvalidateRect(list, nullptr, FALSE);
}

void SetEntryName(int kind, int row, const std::wstring& name) {
  HWND list = ListView(kind);
  if (!list) return;
  LVITEMW item{};
  item.iSubItem = 0;
  item.pszText = const_cast<wchar_t*>(name.c_str());
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void RemoveEntry(int kind, int row) {
  if (HWND list = ListView(kind)) SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

bool SetIconIfPending(int kind, int row, const std::wstring& target, int icon) {
  HWND list = ListView(kind);
  if (!list || row < 0 || row >= static_cast<int>(Direct(list, LVM_GETITEMCOUNT, 0, 0))) return false;
  if (RowParam(list, row) != kIconPending || DirectRowText(list, row, 1) != target) return false;
  LVITEMW item{};
  item.mask = LVIF_IMAGE | LVIF_PARAM;
  item.iItem = row;
  item.iImage = ShownIcon(icon);
  item.lParam = 0;
  Direct(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return true;
}

void SetListHeader(int kind, const std::wstring& title) {
  HWND list = ListView(kind);
  if (!list) return;
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = const_cast<wchar_t*>(title.c_str());
  SendMessageW(list, LVM_SETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
}

std::wstring ListHeader(int kind) {
  HWND list = ListView(kind);
  if (!list) return {};
  wchar_t text[256] = {};
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = text;
  column.cchTextMax = 256;
  SendMessageW(list, LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  return text;
}

void ShowListCount(int kind) {
  if (ListView(kind)) SetListHeader(kind, ListCountHeader(kind, static_cast<size_t>(EntryCount(kind))));
}

bool FindEntryByName(const std::wstring& name, int kind) {
  HWND list = ListView(kind);
  if (!list) return false;
  const int count = EntryCount(kind);
  for (int row = 0; row < count; ++row) {
    if (SameNameIgnoringCase(RowText(list, row, 0), name)) return true;
  }
  return false;
}

std::wstring ListFilePath(int kind) { return App().dataFolder + std::wstring(ListFileName(kind)); }

std::wstring RecoveredListPath(int kind) {
  std::wstring path = ListFilePath(kind);
  path.insert(path.size() - 4, L".recovered");  // before ".txt"
  return path;
}

namespace {

struct SaveState {
  std::array<DWORD, 4> failure{};  // the last save's error, 0 when it worked
  std::array<bool, 4> toldBeside{};
};

SaveState& Saves() {
  static SaveState state;
  return state;
}

// Writes and reports: one message per failure (not again while the same
// error repeats), one when a list first goes beside its unreadable file.
bool WriteList(int kind, const std::wstring& path, const std::string& bytes, bool beside) {
  const auto k = static_cast<size_t>(kind);
  DWORD& failure = Saves().failure[k];
  unsigned long error = 0;
  if (SaveKeepingLastGood(path, bytes, IsUndamagedListFile, &error)) {
    failure = 0;
    if (beside && !Saves().toldBeside[k]) {
      Saves().toldBeside[k] = true;
      QueueListNotice(SavedBesideText(ListFilePath(kind), path));
    }
  } else {
    const DWORD previous = failure;
    failure = error ? error : ERROR_WRITE_FAULT;
    if (failure != previous) QueueListNotice(SaveFailedText(path, failure));
  }
  ShowListNotices();
  return failure == 0;
}

}  // namespace

bool SaveList(int kind) {
  if (!IsListKind(kind) || !ListView(kind)) return false;
  // Never write a list that is only partly there: wait for its load.
  if (!FinishListLoad(kind)) return false;
  const std::wstring path = ListFilePath(kind);
  const std::vector<ListEntry> entries = ReadEntries(kind);
  std::string bytes = SerializeList(entries);
  if (ListFileUnreadable(kind) && PathExists(path)) {
    // The file holds favourites that are only unreadable for now: it is left
    // alone, and what the user put in the list is written beside it.
    return entries.empty() || WriteList(kind, RecoveredListPath(kind), bytes, true);
  }
  if (const std::string* kept = ListKeptAsLoaded(kind); kept && *kept == bytes && PathExists(path)) return true;
  if (!DataFolderReadyFor(entries.empty())) return false;
  if (!WriteList(kind, path, bytes, false)) return false;
  ForgetListKeptAsLoaded(kind);
  NoteListInStep(kind, bytes);
  return true;
}

void AutoSaveList(int kind) {
  if (App().prefs.CheckSaveList == 1) SaveList(kind);
}

void SaveAllLists() {
  for (int kind : kListKinds) SaveList(kind);
}

std::wstring ListFilesNotSaved() {
  std::wstring names;
  for (int kind : kListKinds) {
    if (Saves().failure[static_cast<size_t>(kind)]) names += L"\n" + ListFilePath(kind);
  }
  return names;
}

bool StartTarget(const std::wstring& target) {
  if (target.empty()) return false;
  if (ShellStartRecorder record = ShellStartRecorderForTests()) return record({L"", target, L""});
  if (IsFullPath(target)) {
    std::wstring commandLine = QuotedCommandLine(target);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                       nullptr, &startup, &process)) {
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
      return true;
    }
  }
  const std::wstring folder = ShellWorkingFolderOf(target);
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_DDEWAIT;
  execute.lpFile = target.c_str();
  execute.lpDirectory = folder.empty() ? nullptr : folder.c_str();
  execute.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&execute)) return false;
  if (execute.hProcess) CloseHandle(execute.hProcess);
  return true;
}

}  // namespace kelvane
