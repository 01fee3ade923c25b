#include "settings/preferences_form.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

PreferencesForm Built() { return InitialPreferencesForm(L"C:\\Program Files\\", L"C:\\Docs\\"); }

TEST(PreferencesForm, FillChangesOnlyWhatTheFileSays) {
  PreferencesForm form = Built();
  Preferences prefs;
  prefs.Panel = L"bureau";  // wrong case: no tab
  FillPreferencesForm(prefs, &form);
  EXPECT_EQ(form, Built());

  prefs.KeepWindowSize = L"Ok";
  prefs.KeepWindowPos = L"Maybe";
  prefs.StickyWindow = 1;
  prefs.Panel = L"Historique";
  prefs.PrefDirFichiers = L"D:\\Files";
  prefs.CheckBackup = 1;
  prefs.PrefBackup = L"E:\\KelvaneSave\\";
  prefs.PrefAutoBackup = 2;  // only 1 ticks
  FillPreferencesForm(prefs, &form);
  EXPECT_TRUE(form.keepSize);
  EXPECT_FALSE(form.keepPosition);
  EXPECT_TRUE(form.pinned);
  EXPECT_EQ(form.startTab, 3);
  EXPECT_EQ(form.appsFolder, L"C:\\Program Files\\");
  EXPECT_EQ(form.filesFolder, L"D:\\Files");
  EXPECT_FALSE(form.saveOnChange);
  EXPECT_TRUE(form.backup);
  EXPECT_EQ(form.backupFolder, L"E:\\KelvaneSave\\");
  EXPECT_FALSE(form.autoBackup);

  prefs.KeepWindowSize = L"No";
  FillPreferencesForm(prefs, &form);
  EXPECT_FALSE(form.keepSize);
}

TEST(PreferencesForm, TakeWritesEveryKeyWithNoAndZerosForUntickedPlacement) {
  Preferences prefs;
  prefs.Panel = L"Internet";
  prefs.StickyWindow = 1;
  PreferencesForm form = Built();
  form.startTab = -1;
  form.backupFolder = L"E:\\KelvaneSave\\";
  form.saveOnChange = true;
  TakePreferencesForm(form, 400, 300, 50, 60, &prefs);
  EXPECT_EQ(prefs.KeepWindowSize, L"No");
  EXPECT_EQ(prefs.WindowWidth, 0);
  EXPECT_EQ(prefs.WindowHeight, 0);
  EXPECT_EQ(prefs.KeepWindowPos, L"No");
  EXPECT_EQ(prefs.WindowPosX, 0);
  EXPECT_EQ(prefs.StickyWindow, 0);
  EXPECT_EQ(prefs.Panel, L"Internet");  // no option selected: kept
  EXPECT_EQ(prefs.PrefDirApplis, L"C:\\Program Files\\");
  EXPECT_EQ(prefs.PrefBackup, L"E:\\KelvaneSave\\");
  EXPECT_EQ(prefs.CheckSaveList, 1);
  EXPECT_EQ(prefs.CheckBackup, 0);
  // Backups off: no automatic backup, whatever the greyed box shows; and a
  // file that says otherwise does not tick it.
  form.autoBackup = true;
  TakePreferencesForm(form, 400, 300, 50, 60, &prefs);
  EXPECT_EQ(prefs.PrefAutoBackup, 0);
  prefs.PrefAutoBackup = 1;
  PreferencesForm shown = Built();
  FillPreferencesForm(prefs, &shown);
  EXPECT_FALSE(shown.autoBackup);
  form.autoBackup = false;

  form.keepSize = form.keepPosition = true;
  form.startTab = 5;
  TakePreferencesForm(form, 400, 300, 50, 60, &prefs);
  EXPECT_EQ(prefs.KeepWindowSize, L"Ok");
  EXPECT_EQ(prefs.WindowWidth, 400);
  EXPECT_EQ(prefs.WindowHeight, 300);
  EXPECT_EQ(prefs.KeepWindowPos, L"Ok");
  EXPECT_EQ(prefs.WindowPosX, 50);
  EXPECT_EQ(prefs.WindowPosY, 60);
  EXPECT_EQ(prefs.Panel, L"Bureau");
}

TEST(PreferencesForm, RoundTripThroughTheRecord) {
  PreferencesForm form = Built();
  form.pinned = true;
  form.startTab = 4;
  form.backup = form.autoBackup = true;
  form.backupFolder = L"F:\\Sauve\\KelvaneSave\\";
  form.hotKey = L"Win+Maj+F9";
  Preferences prefs;
  TakePreferencesForm(form, 1, 2, 3, 4, &prefs);
  PreferencesForm again = Built();
  FillPreferencesForm(ParsePreferences(SerializePreferences(prefs), nullptr), &again);
  EXPECT_EQ(again, form);
}

TEST(PreferencesForm, TitleHasTwoBlanksBeforeTheHyphen) {
  EXPECT_EQ(PreferencesWindowTitle(L"Kelvane (x64) "), L"Kelvane (x64)  - Préférences d'utilisation");
}

}  // namespace
}  // namespace kelvane
