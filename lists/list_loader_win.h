#pragma once
// The list loader: fills the three favourite lists from their files without
// holding up the window.
//
// A thread of its own reads and parses "MyApps.txt", "MyFiles.txt" and
// "MyLinks.txt" in that order and hands each list over in one piece, packed
// (see PackedEntries); the user-interface thread, which owns every window,
// takes it into the list's model between other messages, gives the list view
// its new count and rewrites the list's count header. Rows come first with
// no icon; once they are all in the lists, the thread asks the shell for the
// icons of the applications and files and hands those over in batches, so
// the lists are complete long before the last icon is in.
//
// Ordering with the rest of the program:
// - A list's rows wait in the queue until ListViewReady() says that its
//   view exists (or ListViewsReady() that the three do); the thread itself
//   may start earlier.
// - A list is never written while its load runs: SaveList finishes the load
//   of that list first (FinishListLoad), so a partly loaded list cannot be
//   written over a complete file. The commands of the tabs do the same before
//   they read or change a list, so they never meet a half-filled list and the
//   loader's rows never mix with theirs.
// - A file that exists but cannot be read (locked by another program even
//   after a few retries) leaves its list empty and marked: SaveList then
//   leaves that file alone rather than write the empty list over it, and
//   writes what the user adds beside it (RecoveredListPath).
// - A file whose first line is not a count is read from its name and target
//   pairs and kept as loaded (FavouriteList::LoadEnd::KeptAsLoaded): SaveList
//   does not write it over until the list changes.
// Either is told to the user once, when the rows are in.
// All functions are called on the user-interface thread.
#include <windows.h>

#include <string>

namespace kelvane {

class FavouriteStore;

struct ListLoaderOptions {
  bool icons = true;  // fetch the shell icons of applications and files
  int onlyKind = 0;   // one list to load again (its rows cleared first); 0: all three
  // The start's load: a damaged file (a save cut short) comes back from its
  // last good copy before it is used, and the user is told.
  bool restoreDamaged = false;
};

// Starts loading the three files into the store's lists (appending to what
// they hold). A load still running is finished first.
void StartListLoader(FavouriteStore& store);
void StartListLoader(FavouriteStore& store, const ListLoaderOptions& options);

// The list view of `kind` exists: its rows read so far may be applied from
// now on.
void ListViewReady(FavouriteStore& store, int kind);
// The three list views exist.
void ListViewsReady(FavouriteStore& store);
// The rows of `kind` read so far, and no more, go into its view now (which
// must be ready): before the window shows, while a new count costs the
// hidden view little. The list's end and the rest come as usual.
void TakeRowsReadSoFar(int kind);

// Waits for the rows of one list to be read and appends all of them now.
// True when the list holds its whole file (or no load was running); false
// when the rows cannot be applied yet (the list views do not exist).
bool FinishListLoad(int kind);
// True while the rows of that list are still to come.
bool ListLoadRunning(int kind);
// The list's file existed at its last load but could not be read.
bool ListFileUnreadable(int kind);
// The store tells the loader of entries gone while icons are still to come,
// so that each icon still finds its entry.
void NoteEntryRemoved(int kind, int row);
void NoteEntriesCleared(int kind);

// While held, the icons wait even once the rows are all in: under Wine the
// shell's icon lookups slow down every call the window's thread makes, and
// the start-up still builds the other tabs. Not held unless asked.
void HoldListIcons(bool held);
// While held, the shell's image list (which the icons and the folder lists
// need) is not built, for the same reason: at start-up, until the first
// paint is done. Not held unless asked.
void HoldShellImages(bool held);
// The shell's image list is built (by the loader's thread, or there is none
// running): asking for it now costs nothing.
bool ShellImagesBuilt();

// True while rows or icons are still to come (for tests and benchmarks).
bool ListLoaderBusy();

// Asks the thread to stop fetching icons and waits a little for its end
// (shutdown). Rows already read are not lost: FinishListLoad still applies them.
void StopListLoader();

// Hook run on the user-interface thread once the rows of all three lists are
// in. The recent-files tab sets it to point RecentList at the recent folder
// and write that list's header, which the loader does after the three lists.
using ListsLoadedHook = void (*)();
void SetListsLoadedHook(ListsLoadedHook hook);

}  // namespace kelvane
