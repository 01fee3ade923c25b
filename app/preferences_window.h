#pragma once
// PreferencesWindow (window 2): how the main window comes back at start,
// the start tab, the default folders, and how the lists are saved and
// backed up. Built anew at each opening (which reads the preferences file
// again) and destroyed when closed. The default folders, the backup folder
// and the auto-backup box act at once; the rest waits for "Enregistrer".
#include <windows.h>

#include "settings/preferences_form.h"
#include "catalog/ids.h"

namespace kelvane {

struct ProgramContext;

inline constexpr wchar_t kPreferencesWindowClass[] = L"KelvanePreferencesWindow";
inline constexpr wchar_t kChooseFolderTitle[] = L"Choix du répertoire";

// CmdGestionPrefs, and the backup commands without a backup folder. A
// window already open comes to the front instead.
void OpenPreferencesWindow(ProgramContext& context);
HWND PreferencesWindowHandle();  // null while closed
void ClosePreferencesWindow();   // without writing

// Reads the preferences file again into the record and shows it in the
// window's gadgets; without a file, nothing changes.
void LoadPreferencesIntoWindow();
// The gadgets into the record, and the file written; false when it could
// not be.
bool SavePreferencesFromWindow();

// Called after "Enregistrer" wrote the file: the hotkey may have changed.
void SetPreferencesSavedHook(void (*hook)());

// The gadgets' state as values, and back (for the two above and tests).
PreferencesForm ReadPreferencesForm();
void ShowPreferencesForm(const PreferencesForm& form);

// The handlers of the window's gadgets.
void OnChooseAppsFolder();
void OnChooseFilesFolder();
void OnChooseBackupFolder();
void OnBackupCheck();      // enables or disables the backup choices; off clears auto-backup
void OnAutoBackupCheck();  // PrefAutoBackup at once
void OnSavePreferences();  // "Enregistrer": a typed backup folder checked, save, then close

}  // namespace kelvane
