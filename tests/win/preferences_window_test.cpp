// The preferences window built on the real main window: its gadgets as
// built and as filled from the file, what acts at once, and what
// "Enregistrer" and "Annuler" leave in the file.
#include <windows.h>
#include <commctrl.h>

#include "toolkit/placement_win.h"
#include "app/preferences_window.h"
#include "settings/preferences_win.h"
#include "theme/colour_layer_win.h"
#include "theme/dark_mode_win.h"
#include "toolkit/tool_button_win.h"
#include "toolkit/utf.h"
#include "win/lists_fixture.h"
#include "win/painted_pixels.h"

namespace kelvane::test {
namespace {

using Kind = ScriptedRequesters::Kind;

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

bool Checked(int gadget) { return SendMessageW(Gadget(gadget), BM_GETCHECK, 0, 0) == BST_CHECKED; }

// The three backup choices: 1 all enabled, 0 all disabled, -1 mixed.
int BackupChoicesEnabled() {
  int enabled = 0;
  for (int gadget : {kPrefBackupButton, kPrefBackupFolder, kPrefAutoBackup}) {
    enabled += IsWindowEnabled(Gadget(gadget)) ? 1 : 0;
  }
  return enabled == 3 ? 1 : enabled == 0 ? 0 : -1;
}

// A click as the mouse gives it: the box toggles and the window hears of it.
void Click(int gadget) { SendMessageW(Gadget(gadget), BM_CLICK, 0, 0); }

class PreferencesWindowTest : public ListsTest {
 protected:
  void SetUp() override {
    ListsTest::SetUp();
    App().windowTitle = L"Kelvane (x64) ";
    DeleteFileW(PreferencesPath(App()).c_str());
  }
  void TearDown() override {
    ClosePreferencesWindow();
    ListsTest::TearDown();
  }
  HWND Open() {
    OpenPreferencesWindow(App());
    return PreferencesWindowHandle();
  }
};

TEST_F(PreferencesWindowTest, BuiltWithItsDefaultsWhenThereIsNoFile) {
  App().prefs.PrefBackup = L"kept in memory";
  DispatchCommand(CmdGestionPrefs);
  HWND window = PreferencesWindowHandle();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(TextOf(window), L"Kelvane (x64)  - Pr\u00E9f\u00E9rences d'utilisation");
  RECT inner{};
  GetClientRect(window, &inner);
  EXPECT_EQ(inner.right, Scale(450, DpiOf(nullptr)));
  EXPECT_EQ(inner.bottom, Scale(600, DpiOf(nullptr)));
  EXPECT_FALSE(GetWindowLongPtrW(window, GWL_STYLE) & WS_THICKFRAME);

  EXPECT_TRUE(Checked(kPrefStartTab1));
  for (int gadget : std::initializer_list<int>{kPrefKeepSize, kPrefKeepPosition, kPrefPin, kPrefSaveLists,
                                              kPrefBackupCheck, kPrefAutoBackup, kPrefStartTab1 + 1, kPrefStartTab6}) {
    EXPECT_FALSE(Checked(gadget)) << gadget;
  }
  EXPECT_EQ(TextOf(Gadget(kPrefAppsFolder)), L"C:\\Program Files\\");
  EXPECT_EQ(TextOf(Gadget(kPrefFilesFolder)), L"C:\\users\\");
  EXPECT_EQ(TextOf(Gadget(kPrefBackupFolder)), L"");
  EXPECT_EQ(BackupChoicesEnabled(), 0);
  EXPECT_EQ(App().prefs.PrefBackup, L"kept in memory") << "no file: the record is left alone";

  EXPECT_EQ(TextOf(Gadget(kPrefSave)), L"  Enregistrer");
  EXPECT_EQ(GadgetToolTipText(Gadget(kPrefBackupButton)), L"S\u00E9lection d'un r\u00E9pertoire de sauvegarde");
  // The size check box stands at 20, 20 in the frame at 5, 40.
  const RECT box = RectIn(Gadget(kPrefKeepSize), window);
  EXPECT_EQ(box.left, Scale(25, DpiOf(nullptr)));
  EXPECT_EQ(box.top, Scale(60, DpiOf(nullptr)));
  HWND status = Gadget(kPrefStatusBar);
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(SendMessageW(status, SB_GETPARTS, 0, 0), 2);
  EXPECT_NE(SendMessageW(status, SB_GETICON, 0, 0), 0);

  // A second opening brings the same window forward.
  DispatchCommand(CmdGestionPrefs);
  EXPECT_EQ(PreferencesWindowHandle(), window);
  // Closed, its gadgets are forgotten.
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(PreferencesWindowHandle(), nullptr);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(Gadget(kPrefSave), nullptr);
}

TEST_F(PreferencesWindowTest, EachOpeningReadsTheFileIntoTheRecordAndTheGadgets) {
  ASSERT_TRUE(WriteAll(PreferencesPath(App()),
                       "\xEF\xBB\xBF\r\nKeepWindowSize = Ok\r\nKeepWindowPos = No\r\nStickyWindow = 1\r\n"
                       "Panel = Explorer\r\nPrefDirFichiers = D:\\Fichiers\\\r\nCheckSaveList = 0\r\n"
                       "CheckBackup = 1\r\nPrefBackup = E:\\KelvaneSave\\\r\nPrefAutoBackup = 1\r\n"));
  App().prefs.CheckSaveList = 1;  // changed in memory, never saved
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(App().prefs.CheckSaveList, 0);
  EXPECT_EQ(App().prefs.PrefBackup, L"E:\\KelvaneSave\\");
  EXPECT_TRUE(Checked(kPrefKeepSize));
  EXPECT_FALSE(Checked(kPrefKeepPosition));
  EXPECT_TRUE(Checked(kPrefPin));
  EXPECT_TRUE(Checked(kPrefStartTab1 + 4));
  EXPECT_FALSE(Checked(kPrefStartTab1));
  EXPECT_EQ(TextOf(Gadget(kPrefAppsFolder)), L"C:\\Program Files\\") << "empty in the file: the field keeps its own";
  EXPECT_EQ(TextOf(Gadget(kPrefFilesFolder)), L"D:\\Fichiers\\");
  EXPECT_TRUE(Checked(kPrefBackupCheck));
  EXPECT_EQ(TextOf(Gadget(kPrefBackupFolder)), L"E:\\KelvaneSave\\");
  EXPECT_TRUE(Checked(kPrefAutoBackup));
  EXPECT_EQ(BackupChoicesEnabled(), 1);

  // The backup box enables and disables the three backup choices; backups
  // turned off leave no automatic backup behind, in the window or the file.
  Click(kPrefBackupCheck);
  EXPECT_EQ(BackupChoicesEnabled(), 0);
  EXPECT_FALSE(Checked(kPrefAutoBackup));
  Click(kPrefBackupCheck);
  EXPECT_EQ(BackupChoicesEnabled(), 1);
  Click(kPrefAutoBackup);
  Click(kPrefBackupCheck);
  Click(kPrefSave);
  EXPECT_EQ(PreferencesWindowHandle(), nullptr);
  EXPECT_NE(ReadAll(PreferencesPath(App())).find("CheckBackup = 0\r\nPrefBackup = E:\\KelvaneSave\\\r\nPrefAutoBackup = 0\r\n"),
            std::string::npos);
  EXPECT_EQ(App().prefs.PrefAutoBackup, 0);

  // A start tab in the wrong case names no tab: the first option stays.
  ASSERT_TRUE(WriteAll(PreferencesPath(App()), "\xEF\xBB\xBF\r\nPanel = bureau\r\n"));
  ASSERT_NE(Open(), nullptr);
  EXPECT_TRUE(Checked(kPrefStartTab1));
  EXPECT_FALSE(Checked(kPrefStartTab6));
}

TEST_F(PreferencesWindowTest, SaveWritesEveryKeyAndCancelWritesNothing) {
  ASSERT_NE(Open(), nullptr);
  Click(kPrefPin);
  Click(kPrefStartTab1 + 2);
  Click(kPrefSaveLists);
  Click(kPrefCancel);
  EXPECT_EQ(PreferencesWindowHandle(), nullptr);
  EXPECT_FALSE(FileExists(PreferencesPath(App())));
  EXPECT_EQ(App().prefs.StickyWindow, 0);

  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(SendMessageW(Gadget(kPrefHotKey), HKM_GETHOTKEY, 0, 0), (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | 'K')
      << "the default hotkey shows";
  Click(kPrefStartTab1 + 2);
  Click(kPrefSaveLists);
  SendMessageW(Gadget(kPrefHotKey), HKM_SETHOTKEY, HOTKEYF_SHIFT << 8 | VK_F5, 0);
  static int saves = 0;
  SetPreferencesSavedHook([] { ++saves; });
  Click(kPrefSave);
  SetPreferencesSavedHook(nullptr);
  EXPECT_EQ(saves, 1) << "the hotkey is registered again";
  EXPECT_EQ(PreferencesWindowHandle(), nullptr);
  EXPECT_EQ(ReadAll(PreferencesPath(App())),
            "\xEF\xBB\xBF\r\nKeepWindowSize = No\r\nWindowHeight = 0\r\nWindowWidth = 0\r\nKeepWindowPos = No\r\n"
            "WindowPosX = 0\r\nWindowPosY = 0\r\nStickyWindow = 0\r\nPanel = Internet\r\n"
            "PrefDirApplis = C:\\Program Files\\\r\nPrefDirFichiers = C:\\users\\\r\nCheckSaveList = 1\r\n"
            "CheckBackup = 0\r\nPrefBackup = \r\nPrefAutoBackup = 0\r\nQuickOpenHotKey = Maj+F5\r\n");
  EXPECT_EQ(App().prefs.QuickOpenHotKey, L"Maj+F5");
  EXPECT_EQ(App().prefs.CheckSaveList, 1) << "governs the running program at once";

  // Size and position ticked: taken from the main window.
  ASSERT_NE(Open(), nullptr);
  Click(kPrefKeepSize);
  Click(kPrefKeepPosition);
  Click(kPrefSave);
  const SIZE size = InnerSize(App().mainWindow);
  const POINT place = OuterPosition(App().mainWindow);
  EXPECT_EQ(App().prefs.KeepWindowSize, L"Ok");
  EXPECT_EQ(App().prefs.WindowWidth, size.cx);
  EXPECT_EQ(App().prefs.WindowPosY, place.y);
  EXPECT_NE(ReadAll(PreferencesPath(App())).find("WindowWidth = " + std::to_string(size.cx) + "\r\n"), std::string::npos);
}

TEST_F(PreferencesWindowTest, FolderButtonsActAtOnceAndCancelledBackupChoiceEmptiesOnlyTheRecord) {
  const std::wstring parent = MakeTempFolder();
  ask_.folderAnswers = {L"D:\\Apps", L"", parent, L"", parent + L"missing\\deeper"};
  ASSERT_NE(Open(), nullptr);
  Click(kPrefAppsButton);
  ASSERT_EQ(ask_.calls.size(), 1u);
  ExpectDialog(ask_.calls[0], Kind::BrowseFolder, L"Choix du r\u00E9pertoire", L"C:\\Program Files\\");
  EXPECT_EQ(TextOf(Gadget(kPrefAppsFolder)), L"D:\\Apps");
  EXPECT_EQ(App().defaultAppsFolder, L"D:\\Apps");
  Click(kPrefFilesButton);  // cancelled: nothing changes
  EXPECT_EQ(ask_.calls[1].initial, L"C:\\users\\");
  EXPECT_EQ(App().defaultFilesFolder, L"C:\\users\\");

  Click(kPrefBackupCheck);
  Click(kPrefBackupButton);
  const std::wstring backup = parent + L"KelvaneSave\\";
  EXPECT_EQ(App().prefs.PrefBackup, backup);
  EXPECT_EQ(TextOf(Gadget(kPrefBackupFolder)), backup);
  EXPECT_TRUE(IsDirectory(backup));
  Click(kPrefAutoBackup);
  EXPECT_EQ(App().prefs.PrefAutoBackup, 1) << "at once";

  Click(kPrefBackupButton);  // cancelled
  EXPECT_EQ(ask_.calls[3].initial, backup);
  EXPECT_EQ(App().prefs.PrefBackup, L"");
  EXPECT_EQ(TextOf(Gadget(kPrefBackupFolder)), backup);

  // A folder that cannot be made: said, and kept all the same.
  Click(kPrefBackupButton);
  ASSERT_EQ(ask_.calls.size(), 6u);
  ExpectBox(ask_.calls[5], L"Cr\u00E9ation dossier de Sauvegarde",
            L"Le dossier de sauvegarde n'a pu \u00EAtre cr\u00E9\u00E9!",
            static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(App().prefs.PrefBackup, parent + L"missing\\deeper\\KelvaneSave\\");

  // Cancel keeps what acted at once; save takes the backup field again.
  Click(kPrefCancel);
  EXPECT_EQ(App().defaultAppsFolder, L"D:\\Apps");
  EXPECT_EQ(App().prefs.PrefAutoBackup, 1);
  ASSERT_NE(Open(), nullptr);
  SetWindowTextW(Gadget(kPrefBackupFolder), backup.c_str());
  App().prefs.PrefBackup.clear();
  Click(kPrefSave);
  EXPECT_EQ(App().prefs.PrefBackup, backup);
  EXPECT_NE(ReadAll(PreferencesPath(App())).find("PrefBackup = " + WideToUtf8(backup) + "\r\n"), std::string::npos);

  // A typed folder is checked when the window saves: a relative path, a
  // drive, the data folder, a folder that cannot be made and a folder of
  // other files are refused with a message, and the window stays open.
  ASSERT_NE(Open(), nullptr);
  for (const std::wstring& typed : {std::wstring(L"Sauvegardes\\KelvaneSave\\"), std::wstring(L"C:\\"),
                                    App().dataFolder, parent + L"missing\\deeper\\", parent}) {
    SetWindowTextW(Gadget(kPrefBackupFolder), typed.c_str());
    const size_t before = ask_.calls.size();
    Click(kPrefSave);
    ASSERT_EQ(ask_.calls.size(), before + 1) << WideToUtf8(typed);
    EXPECT_EQ(ask_.calls.back().type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_NE(ask_.calls.back().text.find(typed), std::wstring::npos) << WideToUtf8(ask_.calls.back().text);
    EXPECT_NE(PreferencesWindowHandle(), nullptr);
  }
  SetWindowTextW(Gadget(kPrefBackupFolder), (parent + L"Nouvelle\\").c_str());
  Click(kPrefSave);
  EXPECT_EQ(PreferencesWindowHandle(), nullptr);
  EXPECT_TRUE(IsDirectory(parent + L"Nouvelle\\")) << "made at once, as by the folder button";

  RemovePath(parent.substr(0, parent.size() - 1));
}

// Every folder field and label reads, the disabled backup folder too, which
// still looks dimmer than the others.
void ExpectReadableFields(const char* mode) {
  SetWindowTextW(Gadget(kPrefBackupFolder), L"D:\\Sauvegardes\\");
  ASSERT_FALSE(IsWindowEnabled(Gadget(kPrefBackupFolder)));
  for (int gadget : {kPrefAppsFolder, kPrefFilesFolder, kPrefBackupFolder, kPrefAppsLabel, kPrefStartTabLabel}) {
    EXPECT_GE(PaintedTextContrast(Gadget(gadget)), kReadableContrast) << mode << " " << gadget;
  }
  EXPECT_LT(PaintedTextContrast(Gadget(kPrefBackupFolder)), PaintedTextContrast(Gadget(kPrefAppsFolder))) << mode;
}

TEST_F(PreferencesWindowTest, DarkLookOnItsGadgetsAndTitleBarWhenWindowsIsDark) {
  SetWindowsMajorVersionForTests(10);
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kPersonalizeKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const DWORD dark = 0;
  RegSetValueExW(key, kAppsUseLightTheme, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dark), sizeof dark);
  HWND window = Open();
  RegDeleteValueW(key, kAppsUseLightTheme);
  RegCloseKey(key);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WindowColour(window), DarkBase);
  for (int gadget : {kPrefWindowFrame, kPrefKeepSize, kPrefStartTab6, kPrefAppsFolder, kPrefBackupFolder,
                     kPrefButtonsFrame, kPrefSave, kPrefCancel}) {
    EXPECT_EQ(GetgadgetColorEx(gadget, BackColor), DarkSurface()) << gadget;
  }
  EXPECT_EQ(GetgadgetColorEx(kPrefStartTabLabel, FrontColor), DarkText);
  EXPECT_EQ(GetgadgetColorEx(kPrefAppsLabel, FrontColor), DarkText);
  ExpectReadableFields("dark");
  ClosePreferencesWindow();

  // Windows in light mode: the palette all the same, the system background.
  window = Open();
  ASSERT_NE(window, nullptr);
  EXPECT_NE(WindowColour(window), DarkBase);
  EXPECT_EQ(GetgadgetColorEx(kPrefSave, BackColor), DarkSurface());
  ExpectReadableFields("light");
  SetWindowsMajorVersionForTests(0);
}

}  // namespace
}  // namespace kelvane::test
