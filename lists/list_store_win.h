#pragma once
// The operations on the three favourite lists (gadgets 1, 2, 3, whose
// numbers are the list kinds): each changes the model (FavouriteStore) and
// tells its list view. User-interface thread only.
//
// Icons. Applications and files show the shell's own small icons: the two
// list views take the shell's system image list (shared, LVS_SHAREIMAGELISTS,
// never destroyed by them) and each entry holds only an index into it, so an
// entry costs no icon handle and identical icons are stored once. Links all
// show image 16 of the program, which is not in the system image list: the
// links list has a small image list of its own holding just that image
// (index 0). Only the shell adds to the system image list, as it meets new
// icons; the program never changes it.
#include <windows.h>

#include <string>
#include <vector>

#include "lists/list_file.h"
#include "lists/list_rules.h"
#include "toolkit/shell_icons_win.h"  // the rows' icons (SmallShellIcon)

namespace kelvane {

class FavouriteStore;

inline constexpr int kLinkImage = 16;  // the single link image

// The list view of a kind; null for another number or before it exists.
HWND ListView(int kind);

// Gives the three list views that exist their image lists; before the
// shell's is built (`shellImagesReady` false), applications and files get a
// blank one of its size.
void PrepareListImages(FavouriteStore& store, bool shellImagesReady = true);

// Gives a favourite list the line shown in its body while it is empty,
// telling how to add the first entry. Called as the list is made, before
// its colours.
void GiveEmptyListHint(HWND list);

int EntryCount(FavouriteStore& store, int kind);
// The entry with the icon its row shows (-1 for none); an empty entry for
// a row that is not there.
ListEntry EntryAt(FavouriteStore& store, int kind, int row);
// The entries as their file holds them (no icons).
std::vector<ListEntry> ReadEntries(FavouriteStore& store, int kind);
bool IsRowSelected(int kind, int row);

// Appends at the end unless the list has that name already (letter case
// ignored); the icon as given. True when appended.
bool AppendEntry(FavouriteStore& store, int kind, const ListEntry& entry);
void SetEntryName(FavouriteStore& store, int kind, int row, const std::wstring& name);
void RemoveEntry(FavouriteStore& store, int kind, int row);
// Empties the list (a reset, a restore, a load again).
void ClearEntries(FavouriteStore& store, int kind);

// The first column's title.
void SetListHeader(int kind, const std::wstring& title);
std::wstring ListHeader(int kind);
// The count followed by the kind's suffix.
void ShowListCount(FavouriteStore& store, int kind);

// True when a row's name equals `name` as a whole, letter case ignored
// (SameNameIgnoringCase), searching from the first row.
bool FindEntryByName(FavouriteStore& store, const std::wstring& name, int kind);

// DataFolder + the kind's file name.
std::wstring ListFilePath(FavouriteStore& store, int kind);

// Writes the list to its file in one step (written beside it, then put in
// its place), after the list's load has finished. True when nothing is lost:
// the file was written, or needed no writing. A list whose file has no count
// line is not written until it changes; a list whose file existed but could
// not be read leaves that file alone and goes to RecoveredListPath when it
// holds entries. A missing data folder (gone after a reset) is made again
// only for a list that holds entries. False for another kind, when the
// load could not finish, and when writing failed: the previous file is then
// whole, the entries stay in the list, the user is told the file and the
// system's reason (once while the same error repeats), and the next save
// tries again.
bool SaveList(FavouriteStore& store, int kind);
// SaveList when the preference CheckSaveList is 1.
void AutoSaveList(FavouriteStore& store, int kind);
// Applications, files, links in that order (CmdEnregistrerListes, shutdown).
// A failure shows in ListFilesNotSaved.
void SaveAllLists(FavouriteStore& store);
// The files (each after a line break) whose last save failed; empty when none.
std::wstring ListFilesNotSaved(FavouriteStore& store);
// Beside the list's file: "MyApps.recovered.txt" for "MyApps.txt".
std::wstring RecoveredListPath(FavouriteStore& store, int kind);

// Opens a target: a full path is first run as a program (quoted, no
// arguments, inheriting the current folder); when that fails, or for
// anything else, the shell opens it with its default action. True on success.
bool StartTarget(const std::wstring& target);

}  // namespace kelvane
