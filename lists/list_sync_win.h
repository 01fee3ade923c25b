#pragma once
// The favourite lists kept in step with their files when another program
// changes them: a sync client bringing a change from another computer, a
// second computer on a shared data folder. The message loop waits on the
// data folder's change notification along with its messages, so watching
// adds no thread and no timer.
//
// A file changed elsewhere is loaded again when its list holds nothing
// unsaved. When it does, the user chooses which side to keep, and the other
// side is written beside the file ("<file>.local" for this program's,
// "<file>.remote" for the file's): nothing is ever lost silently.
// All functions are called on the user-interface thread.
#include <windows.h>

#include <cstdint>
#include <string_view>

namespace kelvane {

class FavouriteStore;

// The list now holds what its file holds: after its load and after a save.
void NoteListInStep(const FavouriteStore& store, int kind);
// The same after a save that wrote `written` (SerializeList of the list).
void NoteListInStep(int kind, std::string_view written);
// The same with the checksum of those bytes (ContentChecksum), as the loader's
// thread works it out, sparing the user-interface thread a serialisation.
void NoteListChecksumInStep(int kind, std::uint64_t checksum);

// The data folder's change notification, made once the folder exists; null
// while it cannot be watched.
HANDLE ListFolderChange(FavouriteStore& store);
// The notification fired: re-arms it and brings every list in step.
void OnListFolderChanged(FavouriteStore& store);
// Lets go of the data folder (which cannot be removed while it is watched)
// until the next load or save.
void StopWatchingListFolder();

}  // namespace kelvane
