#include "backup/backup_win.h"

#include <windows.h>
#include <commctrl.h>

#include <array>

#include "app/app_state.h"
#include "backup/backup_texts.h"
#include "backup/folder_tree_win.h"
#include "lists/list_loader_win.h"
#include "lists/list_rules.h"
#include "lists/list_store_win.h"
#include "settings/preferences_win.h"
#include "settings/preferences_window_win.h"
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
  if (Ask(Owner(), t::kTitleBackup, t::kNoBackupFolder, MB_YESNO | MB_ICONINFORMATION)) OpenPreferencesWindow();
  return true;
}

}  // namespace

bool SaveAllAndBackup() {
  SaveAllLists();
  SavePreferences();
  const std::wstring& backup = App().prefs.PrefBackup;
  if (!ExistsAsFolder(backup)) return false;
  return CopyFolderTree(App().dataFolder, backup);
}

void RestoreBackup() {
  AppState& app = App();
  if (!ExistsAsFolder(app.prefs.PrefBackup)) {
    ShowMessage(Owner(), t::kTitleRestore, t::kNoBackupFound, kWarningBox);
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
  if (!CopyFolderTree(app.prefs.PrefBackup, app.dataFolder)) {
    // The lists keep their entries: the next save writes them whole, never
    // an empty list over a file.
    ShowMessage(Owner(), t::kTitleRestore, t::kRestoreFailed, kErrorBox);
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
  if (SaveAllAndBackup()) {
    ShowMessage(Owner(), t::kTitleBackup, t::kBackupDone, kInformationBox);
  } else {
    ShowMessage(Owner(), t::kTitleBackup, t::kBackupFailed, kErrorBox);
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
  if (!Ask(Owner(), t::kTitleDeleteQuestion, t::kDeleteQuestion, MB_YESNO | MB_ICONWARNING)) return;
  // PrefBackup keeps its value: backups fail until the folder is chosen again.
  if (DeleteFolderTree(backup)) {
    ShowMessage(Owner(), t::kTitleDeleteDone, t::kDeleteDone, kInformationBox);
  } else {
    ShowMessage(Owner(), t::kTitleDeleteFailed, t::kDeleteFailed, kErrorBox);
  }
}

void SaveAtShutdown() {
  if (App().prefs.PrefAutoBackup == 1) {
    SaveAllAndBackup();
  } else {
    SaveAllLists();
  }
}

}  // namespace kelvane
