#include "lists/list_commands_win.h"

#include "lists/favourite_store_win.h"
#include "lists/list_loader_win.h"
#include "lists/list_store_win.h"
#include "toolkit/requesters_win.h"

namespace kelvane {

HWND ListOwner(const FavouriteStore& store) { return store.Context().mainWindow; }

namespace {

bool AppendUnlessDuplicate(FavouriteStore& store, int kind, const ListEntry& entry) {
  if (FindEntryByName(store, entry.name, kind)) return false;
  AppendEntry(store, kind, {entry.name, entry.target, kind == kLinksKind ? 0 : SmallShellIcon(entry.target)});
  return true;
}

}  // namespace

bool AddEntryUnlessDuplicate(FavouriteStore& store, int kind, const ListEntry& entry, DuplicateOf what) {
  FinishListLoad(kind);
  if (!AppendUnlessDuplicate(store, kind, entry)) {
    ShowMessage(ListOwner(store), kDuplicateTitle, DuplicateText(what, entry.name), kInformationBox);
    return false;
  }
  ShowListCount(store, kind);
  AutoSaveList(store, kind);
  return true;
}

std::size_t AddEntriesUnlessDuplicate(FavouriteStore& store, int kind, std::span<const ListEntry> entries) {
  FinishListLoad(kind);
  std::size_t added = 0;
  for (const ListEntry& entry : entries) added += AppendUnlessDuplicate(store, kind, entry);
  if (added == 0) return 0;
  ShowListCount(store, kind);
  AutoSaveList(store, kind);
  return added;
}

void ForEachSelectedFromLast(FavouriteStore& store, int kind, const std::function<void(int row, const ListEntry& entry)>& act) {
  for (int row = EntryCount(store, kind) - 1; row >= 0; --row) {
    if (IsRowSelected(kind, row)) act(row, EntryAt(store, kind, row));
  }
}

void RenameSelectedEntries(FavouriteStore& store, int kind, const std::wstring& prompt) {
  FinishListLoad(kind);
  ForEachSelectedFromLast(store, kind, [&](int row, const ListEntry& entry) {
    const std::wstring name = TheRequesters().InputText(ListOwner(store), L"Renommer", prompt, entry.name).value_or(L"");
    if (name.empty()) return;
    SetEntryName(store, kind, row, name);
    AutoSaveList(store, kind);
  });
}

void ShowPropertiesOfSelected(FavouriteStore& store, int kind) {
  ForEachSelectedFromLast(store, kind, [](int, const ListEntry& entry) { ShowProperties(entry.target); });
}

void RemoveSelectedEntries(FavouriteStore& store, int kind, const std::function<std::wstring(const ListEntry&)>& question,
                           const std::function<void()>& afterRemoval) {
  FinishListLoad(kind);
  for (int row = 0; row < EntryCount(store, kind);) {
    if (IsRowSelected(kind, row) &&
        Ask(ListOwner(store), L"Suppression", question(EntryAt(store, kind, row)), kListQuestionBox)) {
      RemoveEntry(store, kind, row);
      afterRemoval();
      AutoSaveList(store, kind);
      continue;  // the next row has moved up to this index
    }
    ++row;
  }
}

}  // namespace kelvane
