#include "backup/folder_tree_win.h"

#include <windows.h>

#include "toolkit/safe_save_win.h"
#include "toolkit/utf_win.h"

namespace kelvane {

std::optional<std::vector<TreeEntry>> Win32TreeFileSystem::List(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(JoinPath(folder, L"*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    // A drive root holds no "." and "..": empty, it finds nothing at all.
    if (GetLastError() == ERROR_FILE_NOT_FOUND && IsFolder(folder)) return std::vector<TreeEntry>{};
    return std::nullopt;
  }
  std::vector<TreeEntry> entries;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const bool folderEntry = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const bool link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    entries.push_back({name, folderEntry, folderEntry && link});
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return entries;
}

bool Win32TreeFileSystem::IsFolder(const std::wstring& path) { return ExistsAsFolder(path); }

bool Win32TreeFileSystem::MakeFolder(const std::wstring& path) { return CreateDirectoryW(path.c_str(), nullptr) != 0; }

void Win32TreeFileSystem::ClearAttributes(const std::wstring& path) {
  // Fails harmlessly for a missing path; a folder keeps its directory bit.
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

bool Win32TreeFileSystem::CopyOneFile(const std::wstring& from, const std::wstring& to) {
  return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0;
}

bool Win32TreeFileSystem::DeleteOneFile(const std::wstring& path) { return DeleteFileW(path.c_str()) != 0; }

bool Win32TreeFileSystem::RemoveFolder(const std::wstring& path) { return RemoveDirectoryW(path.c_str()) != 0; }

bool Win32TreeFileSystem::Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32TreeFileSystem::ReadFileBytes(const std::wstring& path, std::string* bytes) {
  return ReadWholeFile(path, bytes);
}

bool Win32TreeFileSystem::WriteFileBytes(const std::wstring& path, std::string_view bytes) {
  return SaveFileAtomically(path, bytes);
}

bool Win32TreeFileSystem::RenameFolder(const std::wstring& from, const std::wstring& to) {
  // Same volume: one rename, the folder's content untouched. A virus scanner
  // or an indexer holding a file inside for a moment makes it fail: try
  // again for about a second.
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExW(from.c_str(), to.c_str(), 0)) return true;
    const DWORD error = GetLastError();
    if (attempt == 10 || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)) return false;
    Sleep(100);
  }
}

bool CopyFolderTree(const std::wstring& source, const std::wstring& destination) {
  Win32TreeFileSystem fs;
  return CopyFolderTree(fs, source, destination);
}

bool DeleteFolderTree(const std::wstring& folder) {
  Win32TreeFileSystem fs;
  return DeleteFolderTree(fs, folder);
}

bool ExistsAsFolder(const std::wstring& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace kelvane
