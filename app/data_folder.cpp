#include "app/data_folder.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>

#include "toolkit/handle_win.h"
#include "toolkit/protected_folders_win.h"
#include "toolkit/special_folders_win.h"

namespace kelvane {

std::wstring DataFolderOverride() {
  // The C runtime has split a wide entry point's command line already; the
  // shell's splitter would load its DLL before the window shows.
  int count = __argc;
  wchar_t** args = __wargv;
  LPWSTR* split = nullptr;
  if (!args) args = split = CommandLineToArgvW(GetCommandLineW(), &count);
  std::wstring folder;
  for (int i = 1; args && i + 1 < count; ++i) {
    if (lstrcmpiW(args[i], kDataFolderSwitch) == 0) {
      folder = args[i + 1];
      break;
    }
  }
  if (split) LocalFree(split);
  if (!folder.empty()) return folder;
  const DWORD length = GetEnvironmentVariableW(kDataFolderVariable, nullptr, 0);
  if (length <= 1) return {};
  folder.resize(length);
  folder.resize(GetEnvironmentVariableW(kDataFolderVariable, folder.data(), length));
  return folder;
}

std::wstring PortableDataFolder() {
  const std::wstring program = ProgramFolder();
  if (program.empty()) return {};
  const DWORD attributes = GetFileAttributesW((program + kPortableMarkerName).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
  return program + kDataFolderName;
}

std::wstring EstablishDataFolder(const std::wstring& profileFolder, const std::wstring& overrideFolder) {
  std::wstring folder = profileFolder + kDataFolderName;
  if (!overrideFolder.empty()) {
    // A relative override is taken from the current directory at start, once.
    const DWORD length = GetFullPathNameW(overrideFolder.c_str(), 0, nullptr, nullptr);
    if (length == 0) return {};
    folder.resize(length);
    folder.resize(GetFullPathNameW(overrideFolder.c_str(), length, folder.data(), nullptr));
    while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
    // "Supprimer tout" deletes the data folder whole.
    if (IsProtectedFolder(folder)) return {};
  }
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
