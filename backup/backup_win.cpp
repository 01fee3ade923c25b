#include "backup/backup_win.h"

#include <windows.h>
#include <commctrl.h>

#include <array>

#include "backup/backup_messages.h"
#include "backup/backup_set.h"
#include "backup/backup_texts.h"
#include "backup/folder_tree_win.h"
#include "lists/list_loader_win.h"
#include "lists/list_rules.h"
#include "lists/list_store_win.h"
#include "settings/preferences_win.h"
#include "toolkit/protected_folders_win.h"
#include "toolkit/requesters_win.h"
#include "toolkit/utf_win.h"

namespace kelvane {
namespace {

namespace t = backup_texts;

// The main window ignores input while a backup or restore runs.
class MainWindowDisabled {
 public:
  explicit MainWindowDisabled(HWND window) : window_(window) {
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

HWND Owner(const ProgramContext& context) { return context.mainWindow; }

// Without a backup folder, the backup and restore commands offer to choose one.
bool OfferToChooseBackupFolder(ProgramContext& context) {
  if (!context.prefs.PrefBackup.empty()) return false;
  if (Ask(Owner(context), t::kTitleBackup, t::kNoBackupFolder, MB_YESNO | MB_ICONINFORMATION) && context.window) {
    context.window->OpenPreferencesWindow();
  }
  return true;
}

// The backup folder, refused where no backup may stand (a volume root, the
// Windows or profile folder, the data folder or a folder holding it).
bool IsForbidden(ProgramContext& context, const std::wstring& backup) {
  return IsForbiddenBackupFolder(backup, context.dataFolder, IsProtectedFolder(WithoutTrailingBackslash(backup)));
}

BackupResult SaveAllAndWriteBackup(ProgramContext& context, FavouriteStore& store) {
  SaveAllLists(store);
  SavePreferences(context);
  const std::wstring& backup = context.prefs.PrefBackup;
  if (backup.empty()) return {BackupStatus::kNoBackup, backup};
  if (IsForbidden(context, backup)) return {BackupStatus::kRefused, backup};
  Win32TreeFileSystem fs;
  return WriteBackup(fs, context.dataFolder, backup);
}

}  // namespace

bool SaveAllAndBackup(ProgramContext& context, FavouriteStore& store) { return SaveAllAndWriteBackup(context, store).ok(); }

void RestoreBackup(ProgramContext& context, FavouriteStore& store) {
  const std::wstring& backup = context.prefs.PrefBackup;
  Win32TreeFileSystem fs;
  // Checked before anything changes: a damaged backup is never restored.
  BackupResult result = IsForbidden(context, backup) ? BackupResult{BackupStatus::kRefused, backup} : CheckBackup(fs, backup);
  if (result.status == BackupStatus::kNoBackup) {
    ShowMessage(Owner(context), t::kTitleRestore, t::kNoBackupFound, kWarningBox);
    return;
  }
  if (!result.ok()) {
    ShowMessage(Owner(context), t::kTitleRestore, RestoreFailedText(result), kErrorBox);
    return;
  }
  // The lists whose file is there now are the ones the restore replaces; a
  // list whose file is missing keeps its entries and gets the restored ones
  // appended by the reload. Rows still on their way from a load go in first.
  std::array<bool, 4> replaced{};
  for (int kind : kListKinds) {
    FinishListLoad(kind);
    replaced[static_cast<size_t>(kind)] = PathExists(ListFilePath(store, kind));
  }
  result = RestoreBackupFiles(fs, backup, context.dataFolder);
  if (!result.ok()) {
    // The lists keep their entries: the next save writes them whole, never
    // an empty list over a file.
    ShowMessage(Owner(context), t::kTitleRestore, RestoreFailedText(result), kErrorBox);
    return;
  }
  for (int kind : kListKinds) {
    if (!replaced[static_cast<size_t>(kind)]) continue;
    ClearEntries(store, kind);
  }
  StartListLoader(store);
  ShowMessage(Owner(context), t::kTitleRestore, t::kRestoreDone, kInformationBox);
}

void BackupNow(ProgramContext& context, FavouriteStore& store) {
  if (OfferToChooseBackupFolder(context)) return;
  MainWindowDisabled disabled(context.mainWindow);
  const BackupResult result = SaveAllAndWriteBackup(context, store);
  if (result.ok()) {
    ShowMessage(Owner(context), t::kTitleBackup, t::kBackupDone, kInformationBox);
  } else {
    ShowMessage(Owner(context), t::kTitleBackup, BackupFailedText(result), kErrorBox);
  }
}

void RestoreFromBackup(ProgramContext& context, FavouriteStore& store) {
  if (OfferToChooseBackupFolder(context)) return;
  if (!Ask(Owner(context), t::kTitleRestore, t::kRestoreQuestion, MB_YESNO | MB_ICONWARNING)) return;
  MainWindowDisabled disabled(context.mainWindow);
  RestoreBackup(context, store);
}

void DeleteBackup(ProgramContext& context) {
  const std::wstring backup = context.prefs.PrefBackup;
  if (!ExistsAsFolder(backup)) return;
  // Only a folder holding a backup the program wrote, whatever was typed.
  Win32TreeFileSystem fs;
  if (IsForbidden(context, backup) || !IsProgramBackupFolder(fs, backup)) {
    const BackupStatus why = IsForbidden(context, backup) ? BackupStatus::kRefused : BackupStatus::kNotABackup;
    ShowMessage(Owner(context), t::kTitleDeleteQuestion, DeleteRefusedText({why, backup}), kWarningBox);
    return;
  }
  if (!Ask(Owner(context), t::kTitleDeleteQuestion, DeleteQuestionText(backup), MB_YESNO | MB_ICONWARNING)) return;
  // PrefBackup keeps its value: backups fail until the folder is chosen again.
  const BackupResult result =
      DeleteBackupFolder(fs, backup, context.dataFolder, IsProtectedFolder(WithoutTrailingBackslash(backup)));
  if (result.ok()) {
    ShowMessage(Owner(context), t::kTitleDeleteDone, t::kDeleteDone, kInformationBox);
  } else {
    ShowMessage(Owner(context), t::kTitleDeleteFailed, t::kDeleteFailed, kErrorBox);
  }
}

void SaveAtShutdown(ProgramContext& context, FavouriteStore& store) {
  // Backups turned off in the preferences leave no automatic backup, whatever
  // the auto-backup value kept in the file.
  if (context.prefs.PrefAutoBackup == 1 && context.prefs.CheckBackup == 1) {
    SaveAllAndBackup(context, store);
  } else {
    SaveAllLists(store);
  }
}

}  // namespace kelvane
