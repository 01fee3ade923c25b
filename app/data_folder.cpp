#include "app/data_folder.h"

#include <windows.h>

#include "toolkit/handle_win.h"

namespace kelvane {

std::wstring EstablishDataFolder(const std::wstring& profileFolder) {
  const std::wstring folder = profileFolder + kDataFolderName;
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    if (!CreateDirectoryW(folder.c_str(), nullptr)) return {};
  } else if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return {};
  }
  return folder + L"\\";
}

void CreateMissingListFiles(const std::wstring& dataFolder) {
  for (const wchar_t* name : kListFileNames) {
    const std::wstring path = dataFolder + name;
    // CREATE_NEW never touches a file that is already there.
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  }
}

}  // namespace kelvane
