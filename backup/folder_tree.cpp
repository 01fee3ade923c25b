#include "backup/folder_tree.h"

#include "backup/backup_marker.h"
#include "toolkit/path_compare.h"

namespace kelvane {
namespace {

bool IsDrive(std::wstring_view path) { return !path.empty() && path.back() == L':'; }

// A destination folder that exists, or was made (one level).
bool EnsureFolder(TreeFileSystem& fs, const std::wstring& folder) {
  if (fs.IsFolder(folder) || IsDrive(folder)) return true;
  return fs.MakeFolder(folder);
}

// `top`: the destination of the whole copy. A backup folder chosen inside
// the folder it backs up is left out of its own copy; it would otherwise be
// copied into itself, one level deeper at each pass.
bool CopyTree(TreeFileSystem& fs, const std::wstring& source, const std::wstring& destination,
              const std::wstring& top) {
  const auto entries = fs.List(source);
  if (!entries) return false;
  if (!EnsureFolder(fs, destination)) return false;
  bool all = true;
  for (const TreeEntry& entry : *entries) {
    const std::wstring from = JoinPath(source, entry.name);
    const std::wstring to = JoinPath(destination, entry.name);
    if (entry.folder) {
      if (entry.link || SamePath(from, top)) continue;
      if (!CopyTree(fs, from, to, top)) all = false;
      continue;
    }
    fs.ClearAttributes(to);
    if (!fs.CopyOneFile(from, to)) all = false;
  }
  return all;
}

bool DeleteTree(TreeFileSystem& fs, const std::wstring& folder) {
  const auto entries = fs.List(folder);
  if (!entries) return false;
  bool all = true;
  const TreeEntry* marker = nullptr;
  for (const TreeEntry& entry : *entries) {
    const std::wstring path = JoinPath(folder, entry.name);
    if (!entry.folder && SamePath(entry.name, kBackupMarkerName)) {
      marker = &entry;
    } else if (entry.folder && !entry.link) {
      all = DeleteTree(fs, path) && all;
    } else if (entry.folder) {
      fs.ClearAttributes(path);
      all = fs.RemoveFolder(path) && all;
    } else {
      fs.ClearAttributes(path);
      all = fs.DeleteOneFile(path) && all;
    }
  }
  if (marker && all) {
    const std::wstring path = JoinPath(folder, marker->name);
    fs.ClearAttributes(path);
    fs.DeleteOneFile(path);
  }
  fs.ClearAttributes(folder);
  return fs.RemoveFolder(folder);
}

}  // namespace

std::wstring WithoutTrailingBackslash(std::wstring_view path) {
  while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.remove_suffix(1);
  return std::wstring(path);
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
  std::wstring path = WithoutTrailingBackslash(folder);
  path += L'\\';
  path += name;
  return path;
}

bool CopyFolderTree(TreeFileSystem& fs, std::wstring_view source, std::wstring_view destination) {
  const std::wstring from = WithoutTrailingBackslash(source);
  const std::wstring to = WithoutTrailingBackslash(destination);
  if (from.empty() || to.empty()) return false;
  return CopyTree(fs, from, to, to);
}

bool DeleteFolderTree(TreeFileSystem& fs, std::wstring_view folder) {
  const std::wstring path = WithoutTrailingBackslash(folder);
  // An empty path, or a bare drive, is never a tree to delete.
  if (path.empty() || IsDrive(path)) return false;
  return DeleteTree(fs, path);
}

std::wstring BackupFolderFor(std::wstring_view chosenParent) {
  std::wstring folder(chosenParent);
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  folder += kBackupFolderName;
  folder += L'\\';
  return folder;
}

}  // namespace kelvane
