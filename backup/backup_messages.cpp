#include "backup/backup_messages.h"

#include "backup/backup_texts.h"

namespace kelvane {
namespace {

namespace t = backup_texts;

std::wstring With(std::wstring_view text, std::wstring_view why, std::wstring_view path) {
  std::wstring out(text);
  if (!out.empty()) out += L"\n\n";
  out += why;
  out += L"\n";
  out += path;
  return out;
}

}  // namespace

std::wstring BackupFailedText(const BackupResult& result) {
  switch (result.status) {
    case BackupStatus::kDamaged: return With(t::kBackupFailed, t::kFileDamaged, result.path);
    case BackupStatus::kNotABackup: return With(t::kBackupFailed, t::kFolderOfOtherFiles, result.path);
    case BackupStatus::kRefused: return With(t::kBackupFailed, t::kForbiddenFolder, result.path);
    case BackupStatus::kFailed: return With(t::kBackupFailed, t::kFileNotCopied, result.path);
    default: return t::kBackupFailed;  // no backup folder: the text says where to look
  }
}

std::wstring RestoreFailedText(const BackupResult& result) {
  switch (result.status) {
    case BackupStatus::kDamaged: return With(t::kRestoreFailed, t::kBackupDamaged, result.path);
    case BackupStatus::kRefused: return With(t::kRestoreFailed, t::kForbiddenFolder, result.path);
    case BackupStatus::kFailed: return With(t::kRestoreFailed, t::kFileNotRestored, result.path);
    default: return t::kRestoreFailed;
  }
}

std::wstring DeleteRefusedText(const BackupResult& result) {
  return With({}, result.status == BackupStatus::kRefused ? t::kNotDeletedForbidden : t::kNotDeletedNotABackup,
              result.path);
}

std::wstring DeleteQuestionText(std::wstring_view folder) {
  return std::wstring(t::kDeleteQuestion) + L"\n\n" + std::wstring(folder);
}

std::wstring BackupFolderProblemText(BackupFolderProblem problem, std::wstring_view typed) {
  switch (problem) {
    case BackupFolderProblem::kNotFullPath: return With({}, t::kFolderNotFullPath, typed);
    case BackupFolderProblem::kForbidden: return With({}, t::kForbiddenFolder, typed);
    case BackupFolderProblem::kIsAFile: return With({}, t::kFolderIsAFile, typed);
    case BackupFolderProblem::kCannotMake: return With({}, t::kFolderCreationFailed, typed);
    case BackupFolderProblem::kHoldsOtherFiles: return With({}, t::kFolderNotEmpty, typed);
    default: return {};
  }
}

}  // namespace kelvane
