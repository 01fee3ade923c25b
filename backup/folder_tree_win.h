#pragma once
// CopyFolderTree and DeleteFolderTree on the real file system.
#include <string>

#include "backup/folder_tree.h"

namespace kelvane {

class Win32TreeFileSystem : public TreeFileSystem {
 public:
  std::optional<std::vector<TreeEntry>> List(const std::wstring& folder) override;
  bool IsFolder(const std::wstring& path) override;
  bool MakeFolder(const std::wstring& path) override;
  void ClearAttributes(const std::wstring& path) override;
  bool CopyOneFile(const std::wstring& from, const std::wstring& to) override;
  bool DeleteOneFile(const std::wstring& path) override;
  bool RemoveFolder(const std::wstring& path) override;
  bool Exists(const std::wstring& path) override;
  bool ReadFileBytes(const std::wstring& path, std::string* bytes) override;
  bool WriteFileBytes(const std::wstring& path, std::string_view bytes) override;
  bool RenameFolder(const std::wstring& from, const std::wstring& to) override;
};

bool CopyFolderTree(const std::wstring& source, const std::wstring& destination);
bool DeleteFolderTree(const std::wstring& folder);

// A directory is found at the path (a missing path or a file does not count).
bool ExistsAsFolder(const std::wstring& path);

}  // namespace kelvane
