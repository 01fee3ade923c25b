#pragma once
// The loops over the selected rows that the three tabs share. The lists
// allow one selected row, but the commands act on every selected row: open,
// rename and properties from the last row to the first, removal from the
// first to the last. User-interface thread only.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <span>
#include <string>

#include "lists/list_file.h"
#include "lists/list_rules.h"

namespace kelvane {

class FavouriteStore;

// Message boxes of the favourite tabs: information and warning boxes with
// OK, and the question before a removal with Yes and No and the warning icon.
inline constexpr UINT kListQuestionBox = MB_YESNO | MB_ICONWARNING;

// The main window, owner of the tabs' requesters.
HWND ListOwner(const FavouriteStore& store);

// The one way an entry joins a favourite list: the whole list loaded first
// (the duplicate test must see all of it, not the part read so far), a name
// the list has already refused with the duplicate box for `what`, otherwise
// the entry appended with the shell's icon of its target, the count in the
// header, then AutoSaveList. True when added.
bool AddEntryUnlessDuplicate(FavouriteStore& store, int kind, const ListEntry& entry, DuplicateOf what);
// The same for many entries at once (an import): the duplicates are left out
// without a word, the header and the save follow once. How many were added.
std::size_t AddEntriesUnlessDuplicate(FavouriteStore& store, int kind, std::span<const ListEntry> entries);

// Calls `act` for each selected row, from the last row to the first.
void ForEachSelectedFromLast(FavouriteStore& store, int kind, const std::function<void(int row, const ListEntry& entry)>& act);

// Rename: a one-line input box titled "Renommer" with `prompt` and the name;
// a non-empty answer becomes the name, then AutoSaveList. Empty or cancelled
// changes nothing; no duplicate test.
void RenameSelectedEntries(FavouriteStore& store, int kind, const std::wstring& prompt);

// The shell's properties sheet of each selected target.
void ShowPropertiesOfSelected(FavouriteStore& store, int kind);

// Removal, first row to last: the question titled "Suppression" with the
// text `question(entry)`; on Yes the row goes, `afterRemoval` runs (it
// rewrites the header), then AutoSaveList.
void RemoveSelectedEntries(FavouriteStore& store, int kind, const std::function<std::wstring(const ListEntry&)>& question,
                           const std::function<void()>& afterRemoval);

}  // namespace kelvane
