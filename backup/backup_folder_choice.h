#pragma once
// The backup folder typed by hand in the preferences window, checked when
// the window saves, so that a backup never lands in, and a deletion never
// takes, a folder that is not meant for it.
#include <string_view>

#include "backup/folder_tree.h"

namespace kelvane {

enum class BackupFolderProblem {
  kNone,
  kNotFullPath,       // relative, "C:name", "\name", or with "." or ".." parts
  kForbidden,         // a volume root, the Windows, profile or data folder, or one holding the data folder
  kIsAFile,
  kCannotMake,        // missing, and its parent is not there to make it in
  kHoldsOtherFiles,   // neither empty nor a backup of the program
};

// A path that names one folder whatever the current folder and drive are:
// "X:\..." or "\\server\share\...", without "." or ".." parts.
bool IsFullFolderPath(std::wstring_view path);

// Checks the typed folder; a missing one is made (one level), as the folder
// button does. `protectedFolder`: IsProtectedFolder's answer for it.
BackupFolderProblem PrepareTypedBackupFolder(TreeFileSystem& fs, std::wstring_view typed, std::wstring_view dataFolder,
                                             bool protectedFolder);

}  // namespace kelvane
