#include "settings/preferences_form.h"

namespace kelvane {

PreferencesForm InitialPreferencesForm(const std::wstring& appsFolder, const std::wstring& filesFolder) {
  PreferencesForm form;
  form.appsFolder = appsFolder;
  form.filesFolder = filesFolder;
  return form;
}

void FillPreferencesForm(const Preferences& p, PreferencesForm* form) {
  if (p.KeepWindowSize == L"Ok") form->keepSize = true;
  if (p.KeepWindowSize == L"No") form->keepSize = false;
  if (p.KeepWindowPos == L"Ok") form->keepPosition = true;
  if (p.KeepWindowPos == L"No") form->keepPosition = false;
  if (p.StickyWindow == 1) form->pinned = true;
  if (const int tab = PanelTabIndex(p.Panel); tab >= 0) form->startTab = tab;
  if (!p.PrefDirApplis.empty()) form->appsFolder = p.PrefDirApplis;
  if (!p.PrefDirFichiers.empty()) form->filesFolder = p.PrefDirFichiers;
  if (p.CheckSaveList == 1) form->saveOnChange = true;
  if (p.CheckBackup == 1) form->backup = true;
  if (!p.PrefBackup.empty()) form->backupFolder = p.PrefBackup;
  // Backups turned off leave no automatic backup ticked.
  if (p.PrefAutoBackup == 1 && p.CheckBackup == 1) form->autoBackup = true;
  form->hotKey = p.QuickOpenHotKey;
}

void TakePreferencesForm(const PreferencesForm& form, int32_t innerWidth, int32_t innerHeight, int32_t outerX,
                         int32_t outerY, Preferences* p) {
  p->KeepWindowSize = form.keepSize ? L"Ok" : L"No";
  p->WindowWidth = form.keepSize ? innerWidth : 0;
  p->WindowHeight = form.keepSize ? innerHeight : 0;
  p->KeepWindowPos = form.keepPosition ? L"Ok" : L"No";
  p->WindowPosX = form.keepPosition ? outerX : 0;
  p->WindowPosY = form.keepPosition ? outerY : 0;
  p->StickyWindow = form.pinned ? 1 : 0;
  if (form.startTab >= 0 && form.startTab < static_cast<int>(kPanelWords.size())) {
    p->Panel = std::wstring(kPanelWords[static_cast<size_t>(form.startTab)]);
  }
  p->PrefDirApplis = form.appsFolder;
  p->PrefDirFichiers = form.filesFolder;
  p->CheckSaveList = form.saveOnChange ? 1 : 0;
  p->CheckBackup = form.backup ? 1 : 0;
  p->PrefBackup = form.backupFolder;
  p->PrefAutoBackup = form.backup && form.autoBackup ? 1 : 0;
  p->QuickOpenHotKey = form.hotKey;
}

std::wstring PreferencesWindowTitle(const std::wstring& programTitle) {
  return programTitle + L" - Préférences d'utilisation";
}

}  // namespace kelvane
