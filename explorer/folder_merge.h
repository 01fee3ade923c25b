#pragma once
// Merging a dropped folder into an existing folder of the same name, after
// the user agreed to have it replace that folder. Nothing is lost that the
// user did not agree to lose:
//   - an item of the dropped folder missing from the target is moved in;
//   - a file of the same name in both is replaced by the dropped one (the
//     user's Yes covered exactly that);
//   - folders of the same name in both are merged the same way, level by
//     level;
//   - a file facing a folder of the same name (or a link facing anything)
//     cannot be merged: it stays where it is, the merge reports failure;
//   - files only in the target stay untouched;
//   - a dropped folder is removed only once it is empty.
// Links (junctions, symbolic links to folders) are moved as they are, never
// entered: their contents belong to another place.
#include <string>
#include <vector>

namespace kelvane {

enum class PathKind { None, File, Folder, Link };

struct FolderEntry {
  std::wstring name;
  PathKind kind = PathKind::None;
};

// The file system as the merge needs it; the program gives the real one,
// tests a fake. Folders given to List and RemoveEmptyFolder end with a
// backslash; every other path has none at its end.
class MergeFileSystem {
 public:
  virtual ~MergeFileSystem() = default;
  virtual PathKind KindOf(const std::wstring& path) = 0;
  // The entries of a folder other than "." and ".."; false when it cannot be read.
  virtual bool List(const std::wstring& folder, std::vector<FolderEntry>* entries) = 0;
  // Moves a file, folder or link to a path that does not exist; with
  // `replaceFile` a file onto an existing file, which it replaces.
  virtual bool Move(const std::wstring& from, const std::wstring& to, bool replaceFile) = 0;
  // Removes a folder that is empty; false otherwise.
  virtual bool RemoveEmptyFolder(const std::wstring& folder) = 0;
};

// Moves the contents of `source` into `target` (both existing folders,
// paths ending with a backslash) as described above. True when everything
// was moved and `source` is gone; false when something stayed behind (it is
// then still in `source`, whole).
bool MergeFolderInto(const std::wstring& source, const std::wstring& target, MergeFileSystem& fs);

}  // namespace kelvane
