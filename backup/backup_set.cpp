#include "backup/backup_set.h"

#include <utility>
#include <vector>

#include "backup/backup_marker.h"
#include "lists/list_rules.h"
#include "settings/preferences.h"
#include "toolkit/path_compare.h"

namespace kelvane {
namespace {

std::wstring_view LastName(std::wstring_view path) {
  const size_t cut = path.find_last_of(L"\\/");
  return cut == std::wstring_view::npos ? path : path.substr(cut + 1);
}

bool IsDrive(std::wstring_view path) { return !path.empty() && path.back() == L':'; }

bool IsMarker(std::wstring_view relative) { return SamePath(relative, kBackupMarkerName); }

bool HasMarker(TreeFileSystem& fs, const std::wstring& folder) {
  std::string text;
  if (!fs.ReadFileBytes(JoinPath(folder, kBackupMarkerName), &text)) return false;
  // Known by its first line, even when the rest is damaged.
  return text.rfind(BackupMarkerText({}), 0) == 0;
}

// Only what the program itself puts in a backup, and no subfolder.
bool HoldsOnlyProgramFiles(TreeFileSystem& fs, const std::wstring& folder) {
  const auto entries = fs.List(folder);
  if (!entries) return false;
  for (const TreeEntry& entry : *entries) {
    if (entry.folder) return false;
    if (!IsProgramDataFileName(entry.name) && !IsTemporaryFileName(entry.name) && !IsMarker(entry.name)) {
      return false;
    }
  }
  return true;
}

bool IsEmptyFolder(TreeFileSystem& fs, const std::wstring& folder) {
  const auto entries = fs.List(folder);
  return entries && entries->empty();
}

// What a backup left beside the backup folder when it was cut short.
bool IsLeftoverOfABackup(TreeFileSystem& fs, const std::wstring& folder) {
  return HasMarker(fs, folder) || HoldsOnlyProgramFiles(fs, folder);
}

// Copies files by reading each whole and writing it whole, recording what
// was read: the check then compares the copy with that, not with a source
// that may change meanwhile.
class Copier {
 public:
  Copier(TreeFileSystem& fs, std::vector<std::wstring> leftOut) : fs_(fs), leftOut_(std::move(leftOut)) {}

  // `onlyMissing`: files already in the destination stay as they are.
  bool Copy(const std::wstring& from, const std::wstring& to, const std::wstring& relative, bool onlyMissing) {
    const auto entries = fs_.List(from);
    if (!entries) return Fail(BackupStatus::kFailed, from);
    if (!fs_.IsFolder(to) && !fs_.MakeFolder(to)) return Fail(BackupStatus::kFailed, to);
    for (const TreeEntry& entry : *entries) {
      const std::wstring source = JoinPath(from, entry.name);
      const std::wstring target = JoinPath(to, entry.name);
      const std::wstring inner = relative.empty() ? entry.name : JoinPath(relative, entry.name);
      if (entry.folder) {
        if (entry.link || IsLeftOut(source)) continue;
        if (onlyMissing && fs_.Exists(target) && !fs_.IsFolder(target)) continue;
        if (!Copy(source, target, inner, onlyMissing)) return false;
        continue;
      }
      if (IsTemporaryFileName(entry.name) || (relative.empty() && IsMarker(entry.name))) continue;
      if (onlyMissing && fs_.Exists(target)) continue;
      std::string bytes;
      if (!fs_.ReadFileBytes(source, &bytes)) return Fail(BackupStatus::kFailed, source);
      // A list file cut short is never copied over a backup that holds it whole.
      if (relative.empty() && IsListFileName(entry.name) && !ListFileIsWhole(bytes)) {
        return Fail(BackupStatus::kDamaged, source);
      }
      if (!fs_.WriteFileBytes(target, bytes)) return Fail(BackupStatus::kFailed, target);
      records_.push_back(RecordOf(inner, bytes));
    }
    return true;
  }

  const std::vector<BackupFileRecord>& records() const { return records_; }
  const BackupResult& failure() const { return failure_; }

 private:
  bool IsLeftOut(const std::wstring& folder) const {
    for (const std::wstring& out : leftOut_) {
      if (SamePath(folder, out)) return true;
    }
    return false;
  }
  bool Fail(BackupStatus status, const std::wstring& path) {
    failure_ = {status, path};
    return false;
  }

  TreeFileSystem& fs_;
  std::vector<std::wstring> leftOut_;
  std::vector<BackupFileRecord> records_;
  BackupResult failure_;
};

// The new backup in place of the previous one: two renames, undone when the
// second fails. What stays of the previous one is removed now or by the next
// backup.
BackupResult PutInPlace(TreeFileSystem& fs, const std::wstring& writing, const std::wstring& target,
                        const std::wstring& previous) {
  if (!fs.RenameFolder(target, previous)) return {BackupStatus::kFailed, target};
  if (!fs.RenameFolder(writing, target)) {
    fs.RenameFolder(previous, target);
    return {BackupStatus::kFailed, target};
  }
  DeleteFolderTree(fs, previous);
  return {};
}

// The files of a backup, read whole before anything is written.
bool CollectFiles(TreeFileSystem& fs, const std::wstring& folder, const std::wstring& relative,
                  std::vector<std::wstring>* folders, std::vector<std::pair<std::wstring, std::string>>* files,
                  BackupResult* failure) {
  const auto entries = fs.List(folder);
  if (!entries) {
    *failure = {BackupStatus::kFailed, folder};
    return false;
  }
  for (const TreeEntry& entry : *entries) {
    const std::wstring path = JoinPath(folder, entry.name);
    const std::wstring inner = relative.empty() ? entry.name : JoinPath(relative, entry.name);
    if (entry.folder) {
      if (entry.link) continue;
      folders->push_back(inner);
      if (!CollectFiles(fs, path, inner, folders, files, failure)) return false;
      continue;
    }
    if (IsTemporaryFileName(entry.name) || (relative.empty() && IsMarker(entry.name))) continue;
    std::string bytes;
    if (!fs.ReadFileBytes(path, &bytes)) {
      *failure = {BackupStatus::kFailed, path};
      return false;
    }
    files->emplace_back(inner, std::move(bytes));
  }
  return true;
}

}  // namespace

std::wstring WritingFolderFor(std::wstring_view backupFolder) {
  return WithoutTrailingBackslash(backupFolder) + L" (en cours)";
}

std::wstring PreviousFolderFor(std::wstring_view backupFolder) {
  return WithoutTrailingBackslash(backupFolder) + L" (pr\u00E9c\u00E9dente)";
}

bool IsProgramBackupFolder(TreeFileSystem& fs, std::wstring_view folder) {
  const std::wstring path = WithoutTrailingBackslash(folder);
  if (path.empty() || !fs.IsFolder(path)) return false;
  if (HasMarker(fs, path)) return true;
  // Backups written before the marker existed.
  return SamePath(LastName(path), kBackupFolderName) && HoldsOnlyProgramFiles(fs, path);
}

bool IsForbiddenBackupFolder(std::wstring_view folder, std::wstring_view dataFolder, bool protectedFolder) {
  const std::wstring path = WithoutTrailingBackslash(folder);
  if (protectedFolder || path.empty() || IsVolumeRootPath(path) || IsDrive(path)) return true;
  // Replacing or deleting it would take the data folder along.
  return !dataFolder.empty() && IsSameOrInsideFolder(dataFolder, path);
}

BackupResult WriteBackup(TreeFileSystem& fs, std::wstring_view dataFolder, std::wstring_view backupFolder) {
  const std::wstring data = WithoutTrailingBackslash(dataFolder);
  const std::wstring target = WithoutTrailingBackslash(backupFolder);
  if (data.empty() || IsForbiddenBackupFolder(target, data, false)) return {BackupStatus::kRefused, target};
  const std::wstring writing = WritingFolderFor(target);
  const std::wstring previous = PreviousFolderFor(target);
  // A backup cut short between its two renames left the previous one aside.
  if (!fs.IsFolder(target) && fs.IsFolder(previous) && IsLeftoverOfABackup(fs, previous)) {
    fs.RenameFolder(previous, target);
  }
  if (!fs.IsFolder(target)) return {BackupStatus::kNoBackup, target};
  if (!IsProgramBackupFolder(fs, target) && !IsEmptyFolder(fs, target)) return {BackupStatus::kNotABackup, target};
  for (const std::wstring& leftover : {writing, previous}) {
    if (!fs.Exists(leftover)) continue;
    if (!fs.IsFolder(leftover) || !IsLeftoverOfABackup(fs, leftover)) return {BackupStatus::kNotABackup, leftover};
    if (!DeleteFolderTree(fs, leftover)) return {BackupStatus::kFailed, leftover};
  }
  if (!fs.MakeFolder(writing)) return {BackupStatus::kFailed, writing};

  // Marked at once, so that a backup cut short is known as a leftover of ours.
  const std::wstring marker = JoinPath(writing, kBackupMarkerName);
  BackupResult result;
  Copier copier(fs, {target, writing, previous});
  if (!fs.WriteFileBytes(marker, BackupMarkerText({}))) {
    result = {BackupStatus::kFailed, marker};
  } else if (!copier.Copy(data, writing, L"", false) || !copier.Copy(target, writing, L"", true)) {
    result = copier.failure();
  } else if (!fs.WriteFileBytes(marker, BackupMarkerText(copier.records()))) {
    result = {BackupStatus::kFailed, marker};
  } else if (const BackupResult check = CheckBackup(fs, writing); !check.ok()) {
    result = {BackupStatus::kDamaged, check.path};
  } else {
    result = PutInPlace(fs, writing, target, previous);
  }
  if (!result.ok()) DeleteFolderTree(fs, writing);
  return result;
}

BackupResult CheckBackup(TreeFileSystem& fs, std::wstring_view backupFolder) {
  const std::wstring folder = WithoutTrailingBackslash(backupFolder);
  if (folder.empty() || !fs.IsFolder(folder)) return {BackupStatus::kNoBackup, folder};
  const std::wstring marker = JoinPath(folder, kBackupMarkerName);
  const bool marked = fs.Exists(marker);
  if (marked) {
    std::string text;
    const auto files = fs.ReadFileBytes(marker, &text) ? ParseBackupMarker(text) : std::nullopt;
    if (!files) return {BackupStatus::kDamaged, marker};
    for (const BackupFileRecord& file : *files) {
      const std::wstring path = JoinPath(folder, file.path);
      std::string bytes;
      if (!fs.ReadFileBytes(path, &bytes) || RecordOf(file.path, bytes) != file) {
        return {BackupStatus::kDamaged, path};
      }
    }
  }
  bool found = fs.Exists(JoinPath(folder, kPreferencesFileName));
  for (int kind : kListKinds) {
    const std::wstring path = JoinPath(folder, ListFileName(kind));
    if (!fs.Exists(path)) continue;
    found = true;
    std::string bytes;
    if (!fs.ReadFileBytes(path, &bytes) || !ListFileIsWhole(bytes)) return {BackupStatus::kDamaged, path};
  }
  if (!marked && !found) return {BackupStatus::kNoBackup, folder};
  return {};
}

BackupResult RestoreBackupFiles(TreeFileSystem& fs, std::wstring_view backupFolder, std::wstring_view dataFolder) {
  const std::wstring backup = WithoutTrailingBackslash(backupFolder);
  const std::wstring data = WithoutTrailingBackslash(dataFolder);
  if (data.empty()) return {BackupStatus::kFailed, data};
  if (BackupResult check = CheckBackup(fs, backup); !check.ok()) return check;
  std::vector<std::wstring> folders;
  std::vector<std::pair<std::wstring, std::string>> files;
  BackupResult result;
  if (!CollectFiles(fs, backup, L"", &folders, &files, &result)) return result;
  if (!fs.IsFolder(data) && !IsDrive(data) && !fs.MakeFolder(data)) return {BackupStatus::kFailed, data};
  for (const std::wstring& folder : folders) {
    const std::wstring path = JoinPath(data, folder);
    if (!fs.IsFolder(path) && !fs.MakeFolder(path)) result = {BackupStatus::kFailed, path};
  }
  // Each file in one step; the others are still restored after a failure.
  for (const auto& [file, bytes] : files) {
    const std::wstring path = JoinPath(data, file);
    fs.ClearAttributes(path);
    if (!fs.WriteFileBytes(path, bytes)) result = {BackupStatus::kFailed, path};
  }
  return result;
}

BackupResult DeleteBackupFolder(TreeFileSystem& fs, std::wstring_view backupFolder, std::wstring_view dataFolder,
                                bool protectedFolder) {
  const std::wstring folder = WithoutTrailingBackslash(backupFolder);
  if (IsForbiddenBackupFolder(folder, dataFolder, protectedFolder)) return {BackupStatus::kRefused, folder};
  if (!IsProgramBackupFolder(fs, folder)) return {BackupStatus::kNotABackup, folder};
  if (!DeleteFolderTree(fs, folder)) return {BackupStatus::kFailed, folder};
  return {};
}

}  // namespace kelvane
