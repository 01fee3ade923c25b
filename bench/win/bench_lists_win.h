#pragma once
// Favourite lists for the harnesses: entries pointing at the system's own
// files (so that icons are real), and a private data folder in the temporary
// folder that the program is started on and that goes away afterwards.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "lists/list_file.h"
#include "lists/list_rules.h"

namespace kelvane::bench {

inline bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(file);
  return ok;
}

// Files of a folder matching a pattern.
inline std::vector<std::wstring> FilesIn(const std::wstring& folder, const wchar_t* pattern) {
  std::vector<std::wstring> found;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return found;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) found.push_back(folder + data.cFileName);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return found;
}

// Applications are the system's programs; files a mix of documents of
// several types and folders.
struct Targets {
  std::vector<std::wstring> programs;
  std::vector<std::wstring> documents;
  bool Empty() const { return programs.empty() || documents.empty(); }
};

inline Targets SystemTargets() {
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring folder = std::wstring(system) + L"\\";
  Targets targets{FilesIn(folder, L"*.exe"), FilesIn(folder, L"*.dll")};
  for (const wchar_t* pattern : {L"*.txt", L"*.ini", L"*.inf", L"*.cpl", L"*.msc"}) {
    for (auto& path : FilesIn(folder, pattern)) targets.documents.push_back(path);
  }
  targets.documents.push_back(folder);
  targets.documents.push_back(folder + L"drivers\\");
  return targets;
}

// Deletes a folder with all it holds.
inline void RemoveTree(const std::wstring& folder) {
  std::wstring from = folder;
  if (!from.empty() && from.back() == L'\\') from.pop_back();
  from.push_back(L'\0');
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationW(&op);
}

// A list file of `count` entries of that kind; links are web addresses.
inline std::string ListBytes(int kind, int count, const Targets& targets) {
  std::vector<ListEntry> entries;
  entries.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    ListEntry entry;
    if (kind == kAppsKind) {
      entry.target = targets.programs[static_cast<size_t>(i) % targets.programs.size()];
      entry.name = L"Programme " + std::to_wstring(i);
    } else if (kind == kFilesKind) {
      entry.target = targets.documents[static_cast<size_t>(i) % targets.documents.size()];
      entry.name = L"Document \u00E9t\u00E9 " + std::to_wstring(i);
    } else {
      entry.target = L"https://www.example.org/page/" + std::to_wstring(i);
      entry.name = L"Site " + std::to_wstring(i);
    }
    entries.push_back(std::move(entry));
  }
  return SerializeList(entries);
}

// "%TEMP%\<name>-<tick>\", removed with all it holds at the end. The program
// is started on it with --data-folder, never on the user's own data.
class TempDataFolder {
 public:
  explicit TempDataFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + name + L"-" + std::to_wstring(GetTickCount()) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  TempDataFolder(const TempDataFolder&) = delete;
  TempDataFolder& operator=(const TempDataFolder&) = delete;
  ~TempDataFolder() { RemoveTree(path_); }

  const std::wstring& Path() const { return path_; }
  // The switch that points the program at this folder (without the trailing
  // backslash, which would escape the closing quote).
  std::wstring Switch() const { return L"--data-folder \"" + path_.substr(0, path_.size() - 1) + L"\""; }

  // `total` entries shared out among the three lists, written where the
  // program reads them.
  bool WriteLists(int total, const Targets& targets) const {
    bool ok = true;
    int left = total;
    for (int kind : kListKinds) {
      const int count = (left + (kLinksKind - kind)) / (kLinksKind - kind + 1);
      left -= count;
      ok = WriteBytes(path_ + std::wstring(ListFileName(kind)), ListBytes(kind, count, targets)) && ok;
    }
    return ok;
  }

 private:
  std::wstring path_;
};

}  // namespace kelvane::bench
