#include "lists/list_recovery_win.h"

#include <windows.h>

#include "lists/list_file.h"
#include "lists/list_notices_win.h"
#include "lists/list_rules.h"
#include "settings/preferences.h"
#include "toolkit/safe_save_win.h"
#include "toolkit/utf_win.h"

namespace kelvane {
namespace {

// Recovers `path` from its temporary file when that is the only whole copy
// of the list; otherwise removes the temporary file, unless it may be the
// only trace of the list.
void RecoverOrDropTemporary(const std::wstring& path, const std::wstring& name) {
  const std::wstring temp = TempPathFor(path);
  if (!PathExists(temp)) return;
  std::string saved;
  std::string current;
  const bool listThere = PathExists(path);
  if (listThere && !ReadWholeFile(path, &current)) return;  // held by another program: decide next time
  const bool tempWhole = ReadWholeFile(temp, &saved) && IsCompleteListFile(saved);
  const bool listEmpty = !listThere || ParseListFile(current).entries.empty();
  if (tempWhole && listEmpty && !ParseListFile(saved).entries.empty()) {
    if (MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      QueueListNotice(RecoveredAtStartText(name, name + L".tmp"));
    }
    return;  // if the rename failed, the next start tries again
  }
  if (!listThere && !tempWhole) return;  // cut short, but the only trace: leave it to the user
  DeleteFileW(temp.c_str());
}

}  // namespace

void RecoverListFilesAtStart(const std::wstring& dataFolder) {
  for (int kind : kListKinds) {
    const std::wstring name(ListFileName(kind));
    RecoverOrDropTemporary(dataFolder + name, name);
    DeleteFileW(TempPathFor(LastGoodPathFor(dataFolder + name)).c_str());  // a copy cut short
    // A damaged list is checked for by the start's load, which reads it anyway.
  }
  // What an interrupted save of the preferences left, once they are there.
  const std::wstring prefs = dataFolder + std::wstring(kPreferencesFileName);
  if (PathExists(prefs)) DeleteFileW(TempPathFor(prefs).c_str());
  if (RestoreLastGoodIfDamaged(prefs, IsUndamagedPreferencesFile)) {
    QueueListNotice(RestoredFromLastGoodText(std::wstring(kPreferencesFileName)));
  }
  WIN32_FIND_DATAW found{};
  const std::wstring pattern = dataFolder + L"rf*.tmp";
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((dataFolder + found.cFileName).c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace kelvane
