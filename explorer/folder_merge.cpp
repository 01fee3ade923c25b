#include "explorer/folder_merge.h"

namespace kelvane {
namespace {

// Deeper than any real tree; stops a loop the file system might show.
constexpr int kMaxDepth = 200;

bool Merge(const std::wstring& source, const std::wstring& target, MergeFileSystem& fs, int depth) {
  if (depth > kMaxDepth) return false;
  std::vector<FolderEntry> entries;
  if (!fs.List(source, &entries)) return false;
  bool whole = true;
  for (const FolderEntry& entry : entries) {
    const std::wstring from = source + entry.name;
    const std::wstring to = target + entry.name;
    const PathKind existing = fs.KindOf(to);
    if (existing == PathKind::None) {
      whole = fs.Move(from, to, false) && whole;
    } else if (entry.kind == PathKind::File && existing == PathKind::File) {
      whole = fs.Move(from, to, true) && whole;
    } else if (entry.kind == PathKind::Folder && existing == PathKind::Folder) {
      whole = Merge(from + L"\\", to + L"\\", fs, depth + 1) && whole;
    } else {
      whole = false;  // a file facing a folder, or a link: left where it is
    }
  }
  return whole && fs.RemoveEmptyFolder(source);
}

}  // namespace

bool MergeFolderInto(const std::wstring& source, const std::wstring& target, MergeFileSystem& fs) {
  return Merge(source, target, fs, 0);
}

}  // namespace kelvane
