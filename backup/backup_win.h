#pragma once
// Backup of the data folder to the folder chosen in the preferences
// (PrefBackup), restore from it, and its removal; the backup made at exit.
// User-interface thread only.

#include "settings/program_context_win.h"

namespace kelvane {

class FavouriteStore;

// Writes the three lists and the preferences, then backs the data folder up
// into PrefBackup when that is an existing folder (WriteBackup: a new folder
// beside it, checked, then put in its place). True when the backup was made
// whole; false without a backup folder, or with the previous one kept.
bool SaveAllAndBackup(ProgramContext& context, FavouriteStore& store);

// Checks the backup in PrefBackup, then writes its files over the data
// folder's (each in one step) and reloads the lists from them. A damaged
// backup is said and changes nothing. The lists are emptied only once every
// file was restored, just before the reload: after a failure they keep what
// they showed, so that no later save writes empty lists over the files.
void RestoreBackup(ProgramContext& context, FavouriteStore& store);

// The commands of MenuSauvegarde; the main window is disabled meanwhile.
void BackupNow(ProgramContext& context, FavouriteStore& store);          // CmdCreerSauvegarde
void RestoreFromBackup(ProgramContext& context, FavouriteStore& store);  // CmdRecupSauvegarde
void DeleteBackup(ProgramContext& context);       // CmdSupprSauvegarde: only a backup the program wrote

// At exit: with PrefAutoBackup and CheckBackup at 1, SaveAllAndBackup (its
// result is not reported); otherwise the three lists.
void SaveAtShutdown(ProgramContext& context, FavouriteStore& store);

}  // namespace kelvane
