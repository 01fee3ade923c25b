#pragma once
// The texts shown when a backup, a restore or a deletion of the backup did
// not take place, and when a typed backup folder is refused: the fixed text
// of the program first, then why, with the path concerned.
#include <string>
#include <string_view>

#include "backup/backup_folder_choice.h"
#include "backup/backup_set.h"

namespace kelvane {

std::wstring BackupFailedText(const BackupResult& result);
std::wstring RestoreFailedText(const BackupResult& result);
// kNotABackup or kRefused.
std::wstring DeleteRefusedText(const BackupResult& result);
std::wstring DeleteQuestionText(std::wstring_view folder);
std::wstring BackupFolderProblemText(BackupFolderProblem problem, std::wstring_view typed);

}  // namespace kelvane
