#include "backup/backup_folder_choice.h"

#include <string>

#include "backup/backup_set.h"

namespace kelvane {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

bool IsFullFolderPath(std::wstring_view path) {
  size_t start = 0;
  if (path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    start = 2;  // "\\server\share\..."
  } else if (path.size() >= 3 && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
             path[1] == L':' && IsSeparator(path[2])) {
    start = 3;
  } else {
    return false;
  }
  while (start < path.size()) {
    size_t end = start;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    const std::wstring_view part = path.substr(start, end - start);
    if (part == L"." || part == L"..") return false;
    start = end + 1;
  }
  return true;
}

BackupFolderProblem PrepareTypedBackupFolder(TreeFileSystem& fs, std::wstring_view typed, std::wstring_view dataFolder,
                                             bool protectedFolder) {
  if (!IsFullFolderPath(typed)) return BackupFolderProblem::kNotFullPath;
  const std::wstring folder = WithoutTrailingBackslash(typed);
  if (IsForbiddenBackupFolder(folder, dataFolder, protectedFolder)) return BackupFolderProblem::kForbidden;
  if (fs.IsFolder(folder)) {
    const auto entries = fs.List(folder);
    if (entries && !entries->empty() && !IsProgramBackupFolder(fs, folder)) return BackupFolderProblem::kHoldsOtherFiles;
    return BackupFolderProblem::kNone;
  }
  if (fs.Exists(folder)) return BackupFolderProblem::kIsAFile;
  return fs.MakeFolder(folder) ? BackupFolderProblem::kNone : BackupFolderProblem::kCannotMake;
}

}  // namespace kelvane
