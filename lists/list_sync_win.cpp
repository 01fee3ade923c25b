#include "lists/list_sync_win.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "lists/favourite_store_win.h"
#include "lists/list_commands_win.h"
#include "lists/list_file.h"
#include "lists/list_loader_win.h"
#include "lists/list_notices_win.h"
#include "lists/list_rules.h"
#include "lists/list_store_win.h"
#include "toolkit/checksum.h"
#include "toolkit/requesters_win.h"
#include "toolkit/safe_save_win.h"
#include "toolkit/utf_win.h"

namespace kelvane {
namespace {

struct SyncState {
  // Checksum of the list as written (SerializeList) when it was last in step
  // with its file; 0 before that.
  std::array<std::uint64_t, 4> inStep{};
  // Size and last write of each file when it was last read here: most
  // notifications are for other files (the program's own temporary and
  // last-good copies), and those leave the lists unread.
  std::array<std::pair<std::uint64_t, std::uint64_t>, 4> seen{};
  HANDLE change = INVALID_HANDLE_VALUE;
  bool tryWatch = true;  // set again by each load and save
};

SyncState& Sync() {
  static SyncState state;
  return state;
}

std::uint64_t ListChecksum(const FavouriteStore& store, int kind) { return ContentChecksum(store.List(kind).Serialize()); }

std::wstring DataFolder(FavouriteStore& store) {
  const std::wstring path = ListFilePath(store, kAppsKind);
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

std::wstring ConflictText(const std::wstring& file) {
  return L"Le fichier " + file + L" a \u00E9t\u00E9 modifi\u00E9 par un autre programme, et cette liste a des "
         L"changements qui ne sont pas encore enregistr\u00E9s.\n\n"
         L"Oui : charger la version du fichier (la v\u00F4tre est gard\u00E9e dans " + file + L".local).\n"
         L"Non : garder votre version (celle du fichier est gard\u00E9e dans " + file + L".remote).";
}

void BringInStep(FavouriteStore& store, int kind) {
  std::uint64_t& inStep = Sync().inStep[static_cast<size_t>(kind)];
  // Only lists fully loaded from a readable file take part.
  if (inStep == 0 || !ListView(kind) || ListLoadRunning(kind) || ListFileUnreadable(kind)) return;
  const std::wstring path = ListFilePath(store, kind);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return;
  const std::pair<std::uint64_t, std::uint64_t> stamp{
      (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
      (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime};
  auto& seen = Sync().seen[static_cast<size_t>(kind)];
  if (stamp == seen) return;
  std::string bytes;
  // Gone, held, or half written by the other program: its next change tells.
  if (!ReadWholeFile(path, &bytes)) return;
  seen = stamp;
  if (!IsUndamagedListFile(bytes)) return;
  const std::string theirs = SerializeList(ParseListFile(bytes, AnsiToWide).entries);
  const std::uint64_t fileSum = ContentChecksum(theirs);
  if (fileSum == inStep) return;  // our own save, or a change of form only
  const std::uint64_t listSum = ListChecksum(store, kind);
  if (listSum == fileSum) {
    inStep = fileSum;  // both sides made the same change
    return;
  }
  if (listSum != inStep) {
    const std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    if (!Ask(ListOwner(store), kListNoticeTitle, ConflictText(name), MB_YESNO | MB_ICONQUESTION)) {
      if (!SaveFileAtomically(path + L".remote", bytes)) return;  // asked again at the next change
      SaveList(store, kind);
      return;
    }
    if (!SaveFileAtomically(path + L".local", store.List(kind).Serialize())) return;
  }
  inStep = 0;  // until the new load is in
  StartListLoader(store, ListLoaderOptions{true, kind});
}

}  // namespace

void NoteListInStep(const FavouriteStore& store, int kind) {
  if (IsListKind(kind)) NoteListInStep(kind, store.List(kind).Serialize());
}

void NoteListInStep(int kind, std::string_view written) { NoteListChecksumInStep(kind, ContentChecksum(written)); }

void NoteListChecksumInStep(int kind, std::uint64_t checksum) {
  if (IsListKind(kind)) Sync().inStep[static_cast<size_t>(kind)] = checksum;
  Sync().tryWatch = true;
}

HANDLE ListFolderChange(FavouriteStore& store) {
  SyncState& sync = Sync();
  if (sync.change == INVALID_HANDLE_VALUE && sync.tryWatch) {
    sync.tryWatch = false;
    const std::wstring folder = DataFolder(store);
    if (folder.empty() || !PathExists(folder)) return nullptr;
    sync.change = FindFirstChangeNotificationW(
        folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE);
    if (sync.change == INVALID_HANDLE_VALUE) return nullptr;
  }
  return sync.change == INVALID_HANDLE_VALUE ? nullptr : sync.change;
}

void StopWatchingListFolder() {
  if (Sync().change != INVALID_HANDLE_VALUE) FindCloseChangeNotification(Sync().change);
  Sync().change = INVALID_HANDLE_VALUE;
}

void OnListFolderChanged(FavouriteStore& store) {
  // A folder removed (a reset) is watched again once a save makes it anew.
  if (!FindNextChangeNotification(Sync().change) || !PathExists(DataFolder(store))) StopWatchingListFolder();
  for (int kind : kListKinds) BringInStep(store, kind);
}

}  // namespace kelvane
