#include "backup/backup_win.h"

#include <windows.h>
#include <commctrl.h>

#include <array>

#include "app/app_state.h"
#include "backup/backup_messages.h"
#include "backup/backup_set.h"
#include "backup/backup_texts.h"
#include "backup/folder_tree_win.h"
#include "lists/list_loader_win.h"
#include "lists/list_rules.h"
#include "lists/list_store_win.h"
#include "settings/preferences_win.h"
#include "settings/preferences_window_win.h"
#include "toolkit/protected_folders_win.h"
#include "toolkit/requesters_win.h"
#include "toolkit/utf_win.h"

namespace kelvane {
namespace {

namespace t = backup_texts;

// The main window ignores input while a backup or restore runs.
class MainWindowDisabled {
 public:
  MainWindowDisabled() : window_(App().mainWindow) {
    if (window_) EnableWindow(window_, FALSE);
  }
  ~MainWindowDisabled() {
    if (window_ && IsWindow(window_)) EnableWindow(window_, TRUE);
  }
  MainWindowDisabled(const MainWindowDisabled&) = delete;
  MainWindowDisabled& operator=(const MainWindowDisabled&) = delete;

 private:
  HWND window_;
};

HWND Owner() { return App().mainWindow; }

// Without a backup folder, the backup and restore commands offer to choose one.
bool OfferToChooseBackupFolder() {
  if (!App().prefs.PrefBackup.empty()) return false;
  if (Ask(Owner(), t::kTitleBackup, t::kNoBackupFolder, MB_YESNO | MB_ICONINFORMATION)) OpenPreferencesWindow(App());
  return true;
}

// The backup folder, refused where no backup may stand (a volume root, the
// Windows or profile folder, the data folder or a folder holding it).
bool IsForbidden(const std::wstring& backup) {
  return IsForbiddenBackupFolder(backup, App().dataFolder, IsProtectedFolder(WithoutTrailingBackslash(backup)));
}

BackupResult SaveAllAndWriteBackup() {
  SaveAllLists();
  SavePreferences();
  const std::wstring& backup = App().prefs.PrefBackup;
  if (backup.empty()) return {BackupStatus::kNoBackup, backup};
  if (IsForbidden(backup)) return {BackupStatus::kRefused, backup};
  Win32TreeFileSystem fs;
  return WriteBackup(fs, App().dataFolder, backup);
}

}  // namespace

bool SaveAllAndBackup() { return SaveAllAndWriteBackup().ok(); }

void RestoreBackup() {
  AppState& app = App();
  const std::wstring& backup = app.prefs.PrefBackup;
  Win32TreeFileSystem fs;
  // Checked before anything changes: a damaged backup is never restored.
  BackupResult result = IsForbidden(backup) ? BackupResult{BackupStatus::kRefused, backup} : CheckBackup(fs, backup);
  if (result.status == BackupStatus::kNoBackup) {
    ShowMessage(Owner(), t::kTitleRestore, t::kNoBackupFound, kWarningBox);
    return;
  }
  if (!result.ok()) {
    ShowMessage(Owner(), t::kTitleRestore, RestoreFailedText(result), kErrorBox);
    return;
  }
  // The lists whose file is there now are the ones the restore replaces; a
  // list whose file is missing keeps its entries and gets the restored ones
  // appended by the reload. Rows still on their way from a load go in first.
  std::array<bool, 4> replaced{};
  for (int kind : kListKinds) {
    FinishListLoad(kind);
    replaced[static_cast<size_t>(kind)] = PathExists(ListFilePath(kind));
  }
  result = RestoreBackupFiles(fs, backup, app.dataFolder);
  if (!result.ok()) {
    // The lists keep their entries: the next save writes them whole, never
    // an empty list over a file.
    ShowMessage(Owner(), t::kTitleRestore, RestoreFailedText(result), kErrorBox);
    return;
  }
  for (int kind : kListKinds) {
    if (!replaced[static_cast<size_t>(kind)]) continue;
    if (HWND list = ListView(kind)) ListView_DeleteAllItems(list);
  }
  StartListLoader();
  ShowMessage(Owner(), t::kTitleRestore, t::kRestoreDone, kInformationBox);
}

void BackupNow() {
  if (OfferToChooseBackupFolder()) return;
  MainWindowDisabled disabled;
  const BackupResult result = SaveAllAndWriteBackup();
  if (result.ok()) {
    ShowMessage(Owner(), t::kTitleBackup, t::kBackupDone, kInformationBox);
  } else {
    ShowMessage(Owner(), t::kTitleBackup, BackupFailedText(result), kErrorBox);
  }
}

void RestoreFromBackup() {
  if (OfferToChooseBackupFolder()) return;
  if (!Ask(Owner(), t::kTitleRestore, t::kRestoreQuestion, MB_YESNO | MB_ICONWARNING)) return;
  MainWindowDisabled disabled;
  RestoreBackup();
}

void DeleteBackup() {
  const std::wstring backup = App().prefs.PrefBackup;
  if (!ExistsAsFolder(backup)) return;
  // Only a folder holding a backup the program wrote, whatever was typed.
  Win32TreeFileSystem fs;
  if (IsForbidden(backup) || !IsProgramBackupFolder(fs, backup)) {
    const BackupStatus why = IsForbidden(backup) ? BackupStatus::kRefused : BackupStatus::kNotABackup;
    ShowMessage(Owner(), t::kTitleDeleteQuestion, DeleteRefusedText({why, backup}), kWarningBox);
    return;
  }
  if (!Ask(Owner(), t::kTitleDeleteQuestion, DeleteQuestionText(backup), MB_YESNO | MB_ICONWARNING)) return;
  // PrefBackup keeps its value: backups fail until the folder is chosen again.
  const BackupResult result =
      DeleteBackupFolder(fs, backup, App().dataFolder, IsProtectedFolder(WithoutTrailingBackslash(backup)));
  if (result.ok()) {
    ShowMessage(Owner(), t::kTitleDeleteDone, t::kDeleteDone, kInformationBox);
  } else {
    ShowMessage(Owner(), t::kTitleDeleteFailed, t::kDeleteFailed, kErrorBox);
  }
}

void SaveAtShutdown() {
  // Backups turned off in the preferences leave no automatic backup, whatever
  // the auto-backup value kept in the file.
  if (App().prefs.PrefAutoBackup == 1 && App().prefs.CheckBackup == 1) {
    SaveAllAndBackup();
  } else {
    SaveAllLists();
  }
}

}  // namespace kelvane
