#pragma once
// Writing, checking, restoring and deleting a backup of the data folder,
// so that nothing the user has is lost on the way:
// - a backup is written into a new folder beside the backup folder, checked
//   (every file read back against what was read from the data folder, the
//   list files whole), and only then put in place of the previous backup;
// - a restore checks the backup first and changes nothing when it is
//   damaged; each data file is then replaced in one step;
// - only a folder holding a backup the program wrote is replaced or deleted.
//
// The backup folder keeps its name (usually "...\KelvaneSave\"). While a
// backup is written, "<folder> (en cours)" and, for a moment,
// "<folder> (précédente)" stand beside it.
#include <string>
#include <string_view>

#include "backup/folder_tree.h"

namespace kelvane {

enum class BackupStatus {
  kDone,
  kFailed,        // a file or folder could not be read, written or renamed
  kNoBackup,      // no folder, or a folder that holds no backup
  kDamaged,       // a file of the backup differs from what was written
  kNotABackup,    // a folder that holds other files than a backup: left alone
  kRefused,       // a folder that must never be replaced or deleted
};

struct BackupResult {
  BackupStatus status = BackupStatus::kDone;
  std::wstring path;  // the file or folder concerned, when there is one

  bool ok() const { return status == BackupStatus::kDone; }
};

std::wstring WritingFolderFor(std::wstring_view backupFolder);   // "... (en cours)"
std::wstring PreviousFolderFor(std::wstring_view backupFolder);  // "... (précédente)"

// Whose folder this is: one holding the marker of a backup the program wrote,
// or one written before the marker existed (named "KelvaneSave" and holding
// only the program's own files: the list files, the preferences, temporary
// files of saves; no subfolder). An empty folder named so counts as well.
bool IsProgramBackupFolder(TreeFileSystem& fs, std::wstring_view folder);

// A folder no backup may replace, and no command delete: a volume root, the
// data folder or a folder holding it (the Windows side adds the Windows and
// profile folders through `protectedFolder`).
bool IsForbiddenBackupFolder(std::wstring_view folder, std::wstring_view dataFolder, bool protectedFolder);

// The data folder into the backup folder, which must exist. Temporary files
// of saves and folder links are left out, and so is the backup itself when
// it lies inside the data folder. Files found only in the previous backup are
// carried into the new one. On any failure the previous backup is whole.
BackupResult WriteBackup(TreeFileSystem& fs, std::wstring_view dataFolder, std::wstring_view backupFolder);

// kDone when the folder holds a backup whose files are as written: those the
// marker lists, with their size and checksum, and each list file whole. A
// backup written before the marker existed is checked by its list files.
BackupResult CheckBackup(TreeFileSystem& fs, std::wstring_view backupFolder);

// Checks the backup, then writes each of its files over the data folder's,
// one file at a time and each in one step. Nothing is written when the check
// fails; on a failed write the other files are still restored.
BackupResult RestoreBackupFiles(TreeFileSystem& fs, std::wstring_view backupFolder, std::wstring_view dataFolder);

// Deletes the backup folder, only when it holds a backup of the program and
// is not forbidden (kNotABackup, kRefused otherwise; kFailed when some file
// stayed).
BackupResult DeleteBackupFolder(TreeFileSystem& fs, std::wstring_view backupFolder, std::wstring_view dataFolder,
                                bool protectedFolder);

}  // namespace kelvane
