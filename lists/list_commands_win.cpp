#include "lists/list_commands_win.h"

#include "lists/favourite_store_win.h"
#include "lists/list_loader_win.h"
#include "lists/list_store_win.h"
#include "toolkit/requesters_win.h"

namespace kelvane {

HWND ListOwner() { return Favourites().Context().mainWindow; }

namespace {

bool AppendUnlessDuplicate(int kind, const ListEntry& entry) {
  if (FindEntryByName(entry.name, kind)) return false;
  AppendEntry(kind, {entry.name, entry.target, kind == kLinksKind ? 0 : SmallShellIcon(entry.target)});
  return true;
}

}  // namespace

bool AddEntryUnlessDuplicate(int kind, const ListEntry& entry, DuplicateOf what) {
  FinishListLoad(kind);
  if (!AppendUnlessDuplicate(kind, entry)) {
    ShowMessage(ListOwner(), kDuplicateTitle, DuplicateText(what, entry.name), kInformationBox);
    return false;
  }
  ShowListCount(kind);
  AutoSaveList(kind);
  return true;
}

std::size_t AddEntriesUnlessDuplicate(int kind, std::span<const ListEntry> entries) {
  FinishListLoad(kind);
  std::size_t added = 0;
  for (const ListEntry& entry : entries) added += AppendUnlessDuplicate(kind, entry);
  if (added == 0) return 0;
  ShowListCount(kind);
  AutoSaveList(kind);
  return added;
}

void ForEachSelectedFromLast(int kind, const std::function<void(int row, const ListEntry& entry)>& act) {
  for (int row = EntryCount(kind) - 1; row >= 0; --row) {
    if (IsRowSelected(kind, row)) act(row, EntryAt(kind, row));
  }
}

void RenameSelectedEntries(int kind, const std::wstring& prompt) {
  FinishListLoad(kind);
  ForEachSelectedFromLast(kind, [&](int row, const ListEntry& entry) {
    const std::wstring name = TheRequesters().InputText(ListOwner(), L"Renommer", prompt, entry.name).value_or(L"");
    if (name.empty()) return;
    SetEntryName(kind, row, name);
    AutoSaveList(kind);
  });
}

void ShowPropertiesOfSelected(int kind) {
  ForEachSelectedFromLast(kind, [](int, const ListEntry& entry) { ShowProperties(entry.target); });
}

void RemoveSelectedEntries(int kind, const std::function<std::wstring(const ListEntry&)>& question,
                           const std::function<void()>& afterRemoval) {
  FinishListLoad(kind);
  for (int row = 0; row < EntryCount(kind);) {
    if (IsRowSelected(kind, row) &&
        Ask(ListOwner(), L"Suppression", question(EntryAt(kind, row)), kListQuestionBox)) {
      RemoveEntry(kind, row);
      afterRemoval();
      AutoSaveList(kind);
      continue;  // the next row has moved up to this index
    }
    ++row;
  }
}

}  // namespace kelvane
