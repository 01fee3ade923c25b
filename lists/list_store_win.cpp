#include "lists/list_store_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <array>
#include <string>

#include "lists/favourite_store_win.h"
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

bool HasRow(FavouriteStore& store, int kind, int row) {
  return IsListKind(kind) && row >= 0 && static_cast<size_t>(row) < store.List(kind).Count();
}

// After a reset the data folder is gone until the next start, which begins
// from nothing. An empty list leaves it gone; entries added since then must
// not be lost at exit, so a list that holds some makes the folder again.
bool DataFolderReadyFor(FavouriteStore& store, bool emptyList) {
  const std::wstring& folder = store.Context().dataFolder;
  if (folder.empty()) return true;  // the files live in the current folder
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
  return !emptyList && CreateDirectoryW(folder.c_str(), nullptr) != 0;
}

}  // namespace

HWND ListView(int kind) { return IsListKind(kind) ? Gadget(kind) : nullptr; }

namespace {

// Until the shell's image list is built, a blank one of the same size gives
// the rows their height and the room of their icon, so that nothing moves
// when the icons come. Shared by the views, never destroyed (one per process).
HIMAGELIST BlankShellSizedImages() {
  static const HIMAGELIST blank = [] {
    const int side = GetSystemMetrics(SM_CXSMICON);
    return ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, 0, 0);
  }();
  return blank;
}

// Shared: the list view must never destroy the shell's image list, nor the
// blank stand-in.
void GiveSharedImages(HWND list, HIMAGELIST images) {
  SetWindowLongPtrW(list, GWL_STYLE, GetWindowLongPtrW(list, GWL_STYLE) | LVS_SHAREIMAGELISTS);
  SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
  InvalidateRect(list, nullptr, FALSE);
}

}  // namespace

void PrepareListImages(FavouriteStore& store, bool shellImagesReady) {
  for (int kind : {kAppsKind, kFilesKind}) {
    HWND list = ListView(kind);
    if (!list) continue;
    const auto held = reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    if (!shellImagesReady) {
      if (!held && BlankShellSizedImages()) GiveSharedImages(list, BlankShellSizedImages());
      continue;
    }
    if (held && held != BlankShellSizedImages()) continue;
    // Asked only for a view without it: each view's page calls this when complete.
    HIMAGELIST system = SystemImageList(false);
    if (!system) break;
    ShownIcon(kAppsKind, -1);  // the placeholder looked up once, before the rows are painted with it
    GiveSharedImages(list, system);
  }
  HWND links = ListView(kLinksKind);
  if (links && !SendMessageW(links, LVM_GETIMAGELIST, LVSIL_SMALL, 0)) {
    // Not shared: the links list destroys its own image list with itself.
    const int side = GetSystemMetrics(SM_CXSMICON);
    HIMAGELIST own = ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, 1, 0);
    if (own && store.Context().images.AddToImageList(own, kLinkImage, side) == 0) {
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

int EntryCount(FavouriteStore& store, int kind) { return IsListKind(kind) ? static_cast<int>(store.List(kind).Count()) : 0; }

ListEntry EntryAt(FavouriteStore& store, int kind, int row) {
  if (!HasRow(store, kind, row)) return {};
  ListEntry entry = store.List(kind).At(static_cast<size_t>(row));
  const int shown = ShownIcon(kind, entry.icon);
  entry.icon = shown == I_IMAGENONE ? -1 : shown;
  return entry;
}

std::vector<ListEntry> ReadEntries(FavouriteStore& store, int kind) {
  if (!IsListKind(kind)) return {};
  std::vector<ListEntry> entries = store.List(kind).Entries();
  for (ListEntry& entry : entries) entry.icon = -1;
  return entries;
}

bool IsRowSelected(int kind, int row) {
  HWND list = ListView(kind);
  return list && (SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED);
}

bool AppendEntry(FavouriteStore& store, int kind, const ListEntry& entry) {
  if (!IsListKind(kind) || store.List(kind).Add(entry) < 0) return false;
  store.ShowCount(kind);
  CheckListTargets(store, kind);
  return true;
}

void SetEntryName(FavouriteStore& store, int kind, int row, const std::wstring& name) {
  if (HasRow(store, kind, row) && store.List(kind).Rename(static_cast<size_t>(row), name)) {
    store.ShowRow(kind, row);
  }
}

void RemoveEntry(FavouriteStore& store, int kind, int row) {
  if (!HasRow(store, kind, row)) return;
  store.List(kind).Remove(static_cast<size_t>(row));
  NoteEntryRemoved(kind, row);
  // An owner-data list view takes a deletion as its count less one, its
  // selection shifted up past the row.
  if (HWND list = ListView(kind)) SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

void ClearEntries(FavouriteStore& store, int kind) {
  if (!IsListKind(kind)) return;
  store.List(kind).Clear();
  NoteEntriesCleared(kind);
  if (HWND list = ListView(kind)) SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
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
  return list ? ListColumnTitle(list) : std::wstring();
}

void ShowListCount(FavouriteStore& store, int kind) {
  if (ListView(kind)) SetListHeader(kind, ListCountHeader(kind, static_cast<size_t>(EntryCount(store, kind))));
}

bool FindEntryByName(FavouriteStore& store, const std::wstring& name, int kind) {
  return IsListKind(kind) && store.List(kind).FindName(name) >= 0;
}

std::wstring ListFilePath(FavouriteStore& store, int kind) { return store.Context().dataFolder + std::wstring(ListFileName(kind)); }

std::wstring RecoveredListPath(FavouriteStore& store, int kind) {
  std::wstring path = ListFilePath(store, kind);
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
bool WriteList(FavouriteStore& store, int kind, const std::wstring& path, const std::string& bytes, bool beside) {
  const auto k = static_cast<size_t>(kind);
  DWORD& failure = Saves().failure[k];
  unsigned long error = 0;
  if (SaveKeepingLastGood(path, bytes, IsUndamagedListFile, &error)) {
    failure = 0;
    if (beside && !Saves().toldBeside[k]) {
      Saves().toldBeside[k] = true;
      QueueListNotice(SavedBesideText(ListFilePath(store, kind), path));
    }
  } else {
    const DWORD previous = failure;
    failure = error ? error : ERROR_WRITE_FAULT;
    if (failure != previous) QueueListNotice(SaveFailedText(path, failure));
  }
  ShowListNotices(store.Context().mainWindow);
  return failure == 0;
}

}  // namespace

bool SaveList(FavouriteStore& store, int kind) {
  if (!IsListKind(kind) || !ListView(kind)) return false;
  // Never write a list that is only partly there: wait for its load.
  if (!FinishListLoad(kind)) return false;
  FavouriteList& list = store.List(kind);
  const std::wstring path = ListFilePath(store, kind);
  switch (list.SaveDecision()) {
    case FavouriteList::Save::NotYet:
      return false;
    case FavouriteList::Save::WriteBeside:
    case FavouriteList::Save::NotNeeded:
      // The file holds favourites that are only unreadable for now: it is
      // left alone, and what the user put in the list is written beside it.
      // A file kept as loaded is not written while the list is unchanged.
      if (!PathExists(path)) break;
      if (!list.FileUnreadable() || list.Empty()) return true;
      return WriteList(store, kind, RecoveredListPath(store, kind), list.Serialize(), true);
    case FavouriteList::Save::Write:
      break;
  }
  const std::string bytes = list.Serialize();
  if (!DataFolderReadyFor(store, list.Empty())) return false;
  if (!WriteList(store, kind, path, bytes, false)) return false;
  list.Saved();
  NoteListInStep(kind, bytes);
  return true;
}

void AutoSaveList(FavouriteStore& store, int kind) {
  if (store.Context().prefs.CheckSaveList == 1) SaveList(store, kind);
}

void SaveAllLists(FavouriteStore& store) {
  for (int kind : kListKinds) SaveList(store, kind);
}

std::wstring ListFilesNotSaved(FavouriteStore& store) {
  std::wstring names;
  for (int kind : kListKinds) {
    if (Saves().failure[static_cast<size_t>(kind)]) names += L"\n" + ListFilePath(store, kind);
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
  return StartWithDefaultAction(target, ShellWorkingFolderOf(target), true);
}

}  // namespace kelvane
