#pragma once
// What the preferences window shows, as plain values: filled from the
// preferences record when the window opens, and taken back into it by
// "Enregistrer". The Win32 window only moves these values to and from its
// gadgets.
#include <cstdint>
#include <string>

#include "settings/preferences.h"

namespace kelvane {

struct PreferencesForm {
  bool keepSize = false;      // "Se rappeler des dimensions courantes de la fenêtre"
  bool keepPosition = false;  // "Se rappeler de la position courante de la fenêtre"
  bool pinned = false;        // "Toujours garder la fenêtre au premier plan"
  int startTab = 0;           // option selected, 0-5; -1 for none
  std::wstring appsFolder;    // the two default-folder fields
  std::wstring filesFolder;
  bool saveOnChange = false;  // "Enregistrer les listes à chaque modification..."
  bool backup = false;        // "Créer une sauvegarde...": enables the three below
  std::wstring backupFolder;
  bool autoBackup = false;    // "Sauvegarder automatiquement à la fermeture du programme"
  std::wstring hotKey = L"Ctrl+Alt+K";  // the quick-open box's global hotkey, as the file writes it

  bool operator==(const PreferencesForm&) const = default;
};

// The window as built, before the file is read: the first option, the
// current default folders, everything else clear and the backup choices
// disabled.
PreferencesForm InitialPreferencesForm(const std::wstring& appsFolder, const std::wstring& filesFolder);

// Sets the form from a record read from the file. Only what the record says
// is changed: "Ok" ticks and "No" clears a keep box (other words leave it),
// the pin, save and backup boxes are ticked by 1 (the auto-backup box only
// with backups on), a start tab that names no tab and empty folders leave
// the form's own.
void FillPreferencesForm(const Preferences& prefs, PreferencesForm* form);

// "Enregistrer": the form into the record. The size and position come from
// the main window when their boxes are ticked ("Ok"), else "No" and zeros;
// with no option selected the start tab keeps its word; with backups turned
// off there is no automatic backup.
void TakePreferencesForm(const PreferencesForm& form, int32_t innerWidth, int32_t innerHeight, int32_t outerX,
                         int32_t outerY, Preferences* prefs);

// The window's caption: the program's title (which ends with a blank), then
// " - Préférences d'utilisation".
std::wstring PreferencesWindowTitle(const std::wstring& programTitle);

}  // namespace kelvane
