#pragma once
// Backup of the data folder to the folder chosen in the preferences
// (PrefBackup), restore from it, and its removal; the backup made at exit.
// User-interface thread only.

namespace kelvane {

// Writes the three lists and the preferences, then copies the data folder
// into PrefBackup when that is an existing folder. True when the copy was
// made whole; false without a backup folder.
bool SaveAllAndBackup();

// Copies PrefBackup back into the data folder and reloads the lists from it.
// The lists are emptied only once the whole copy has succeeded, just before
// the reload: after a failed copy they keep what they showed, so that no
// later save writes empty lists over the files.
void RestoreBackup();

// The commands of MenuSauvegarde; the main window is disabled meanwhile.
void BackupNow();          // CmdCreerSauvegarde
void RestoreFromBackup();  // CmdRecupSauvegarde
void DeleteBackup();       // CmdSupprSauvegarde

// At exit: with PrefAutoBackup at 1, SaveAllAndBackup (its result is not
// reported); otherwise the three lists.
void SaveAtShutdown();

}  // namespace kelvane
