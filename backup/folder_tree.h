#pragma once
// Copying and deleting a folder tree (the backup folder and the data
// folder), over a small file-system interface so that the walk itself, its
// failures and what it leaves in place can be exercised without a disk.
//
// Paths use backslashes. A trailing backslash of a folder path is ignored.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

struct TreeEntry {
  std::wstring name;
  bool folder = false;
  // A folder that is a link (junction, symbolic link): never walked into.
  // Walking it could copy or delete what lies outside the tree, or loop.
  bool link = false;
};

class TreeFileSystem {
 public:
  virtual ~TreeFileSystem() = default;
  // The entries of a folder, without "." and ".."; nothing when the listing
  // cannot start (no such folder, no access).
  virtual std::optional<std::vector<TreeEntry>> List(const std::wstring& folder) = 0;
  virtual bool IsFolder(const std::wstring& path) = 0;
  // One level: the parent must exist.
  virtual bool MakeFolder(const std::wstring& path) = 0;
  // Clears read-only, hidden and system; nothing happens for a missing path.
  virtual void ClearAttributes(const std::wstring& path) = 0;
  // Replaces an existing file of the same name.
  virtual bool CopyOneFile(const std::wstring& from, const std::wstring& to) = 0;
  virtual bool DeleteOneFile(const std::wstring& path) = 0;
  // An empty folder, or a folder link itself (not what it points to).
  virtual bool RemoveFolder(const std::wstring& path) = 0;
  // A file or a folder is found at the path.
  virtual bool Exists(const std::wstring& path) = 0;
  // The whole content of a file; false when it cannot be read.
  virtual bool ReadFileBytes(const std::wstring& path, std::string* bytes) = 0;
  // The file's whole new content, written beside it and swapped in at once:
  // on failure the file is as it was.
  virtual bool WriteFileBytes(const std::wstring& path, std::string_view bytes) = 0;
  // Renames a folder in place (same parent); false when `to` exists.
  virtual bool RenameFolder(const std::wstring& from, const std::wstring& to) = 0;
};

// The path without its trailing backslashes.
std::wstring WithoutTrailingBackslash(std::wstring_view path);
// folder + "\" + name.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

// Copies every file of the source tree into the destination tree, replacing
// files of the same name (their attributes cleared first, so read-only and
// hidden copies are replaced too). Destination folders are made as needed,
// one level at a time; a drive ("E:") is never made. Goes on after a failed
// file or folder; true only when everything was copied. The destination is
// never emptied: files found only there stay. False at once for an empty
// path, a source that cannot be listed or a destination that cannot be made.
bool CopyFolderTree(TreeFileSystem& fs, std::wstring_view source, std::wstring_view destination);

// Deletes every file and subfolder of the folder, then the folder itself
// (attributes cleared first). Goes on after a failure; true when the folder
// itself is gone. Nothing is deleted when the folder cannot be listed. A
// backup's marker file goes last, so that a backup only partly deleted is
// still known as one.
bool DeleteFolderTree(TreeFileSystem& fs, std::wstring_view folder);

// The backup folder for a parent folder chosen by the user: the parent with
// one backslash, "KelvaneSave" and a backslash.
std::wstring BackupFolderFor(std::wstring_view chosenParent);
inline constexpr wchar_t kBackupFolderName[] = L"KelvaneSave";

}  // namespace kelvane
