#include "settings/preferences.h"

#include "settings/hotkey.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

Preferences Parse(std::string_view bytes) { return ParsePreferences(bytes, Cp1252ToWide); }

TEST(Preferences, AllKeysRoundTripByteForByte) {
  Preferences p;
  p.KeepWindowSize = L"Ok";
  p.WindowHeight = 540;
  p.WindowWidth = 960;
  p.KeepWindowPos = L"No";
  p.WindowPosX = -1200;
  p.WindowPosY = 35;
  p.StickyWindow = 1;
  p.Panel = L"Historique";
  p.PrefDirApplis = L"C:\\Program Files\\";
  p.PrefDirFichiers = L"D:\\Donn\u00E9es \u20AC\\";
  p.CheckSaveList = 1;
  p.CheckBackup = 1;
  p.PrefBackup = L"E:\\";
  p.PrefAutoBackup = 1;
  p.QuickOpenHotKey = L"Maj+F5";
  const std::string expected =
      "\xEF\xBB\xBF\r\n"
      "KeepWindowSize = Ok\r\n"
      "WindowHeight = 540\r\n"
      "WindowWidth = 960\r\n"
      "KeepWindowPos = No\r\n"
      "WindowPosX = -1200\r\n"
      "WindowPosY = 35\r\n"
      "StickyWindow = 1\r\n"
      "Panel = Historique\r\n"
      "PrefDirApplis = C:\\Program Files\\\r\n"
      "PrefDirFichiers = D:\\Donn\xC3\xA9\x65s \xE2\x82\xAC\\\r\n"
      "CheckSaveList = 1\r\n"
      "CheckBackup = 1\r\n"
      "PrefBackup = E:\\\r\n"
      "PrefAutoBackup = 1\r\n"
      "QuickOpenHotKey = Maj+F5\r\n";
  EXPECT_EQ(SerializePreferences(p), expected);
  EXPECT_EQ(Parse(expected), p);
  EXPECT_EQ(SerializePreferences(Parse(expected)), expected);

  // The defaults are written too, as empty strings and zeros.
  EXPECT_EQ(SerializePreferences(Preferences{}),
            "\xEF\xBB\xBF\r\nKeepWindowSize = \r\nWindowHeight = 0\r\nWindowWidth = 0\r\n"
            "KeepWindowPos = \r\nWindowPosX = 0\r\nWindowPosY = 0\r\nStickyWindow = 0\r\n"
            "Panel = \r\nPrefDirApplis = \r\nPrefDirFichiers = \r\nCheckSaveList = 0\r\n"
            "CheckBackup = 0\r\nPrefBackup = \r\nPrefAutoBackup = 0\r\nQuickOpenHotKey = Ctrl+Alt+K\r\n");

  // A file of an older version, without the hotkey, keeps the default one
  // and its other keys.
  const Preferences older = Parse("\xEF\xBB\xBF\r\nPanel = Bureau\r\nPrefAutoBackup = 1\r\n");
  EXPECT_EQ(older.QuickOpenHotKey, L"Ctrl+Alt+K");
  EXPECT_EQ(older.Panel, L"Bureau");
  EXPECT_EQ(older.PrefAutoBackup, 1);
  EXPECT_EQ(Parse(SerializePreferences(Preferences{})), Preferences{});
}

TEST(Preferences, HandEditedAndDamagedFiles) {
  // Another editor: no byte-order mark (ANSI), CR only, other case, blanks.
  const Preferences edited =
      Parse("panel = Bureau \rPREFDIRAPPLIS=\tC:\\Outils\xE9\r  windowwidth = 0800px\r");
  EXPECT_EQ(edited.Panel, L"Bureau");
  EXPECT_EQ(edited.PrefDirApplis, L"C:\\Outils\u00E9");
  EXPECT_EQ(edited.WindowWidth, 800);

  EXPECT_EQ(Parse("[Window]\nWindowWidth = 800\nPanel = Bureau\n"), Preferences{});
  EXPECT_EQ(Parse(""), Preferences{});
  EXPECT_EQ(Parse(std::string(200, '\0')), Preferences{});
  constexpr char kBinary[] = "\x00\xFF\xFE=\x01\r\n=\n\x89PNG\r\n\x1A\n";
  EXPECT_EQ(Parse(std::string_view(kBinary, sizeof kBinary - 1)), Preferences{});

  // Only an emptied or zero-filled file counts as damaged: hand edits do not.
  EXPECT_TRUE(IsUndamagedPreferencesFile("panel = Bureau"));
  EXPECT_FALSE(IsUndamagedPreferencesFile(""));
  EXPECT_FALSE(IsUndamagedPreferencesFile(std::string(200, '\0')));
}

TEST(StartPlacement, SizeAndPositionOnlyFromCompletePairs) {
  const struct {
    int32_t w, h, x, y;
    bool size, pos;
  } cases[] = {
      {800, 600, 0, 0, true, false},    {0, 0, 10, 20, false, true},
      {800, 600, 10, 20, true, true},   {800, 600, 0, 20, false, false},  // left edge: no restore
      {800, 0, 10, 20, false, false},   {0, 0, 0, 0, false, false},
      {800, 600, -1920, 5, true, true}, {0, 600, 0, 0, false, false},
  };
  for (const auto& c : cases) {
    Preferences p;
    p.KeepWindowSize = L"No";  // the numbers alone decide
    p.WindowWidth = c.w, p.WindowHeight = c.h, p.WindowPosX = c.x, p.WindowPosY = c.y;
    const StartPlacement s = DecideStartPlacement(p, L"C:\\Docs\\");
    EXPECT_EQ(s.applySize, c.size) << c.w << 'x' << c.h << '@' << c.x << ',' << c.y;
    EXPECT_EQ(s.applyPosition, c.pos) << c.w << 'x' << c.h << '@' << c.x << ',' << c.y;
    if (s.applySize) {
      EXPECT_TRUE(s.width == c.w && s.height == c.h);
    }
    if (s.applyPosition) {
      EXPECT_TRUE(s.x == c.x && s.y == c.y);
    }
  }
}

TEST(StartPlacement, PinTabAndFolders) {
  Preferences p;
  p.StickyWindow = 1;
  p.Panel = L"Bureau";
  p.PrefDirFichiers = L"D:\\Mes fichiers\\";
  StartPlacement s = DecideStartPlacement(p, L"C:\\Docs\\");
  EXPECT_TRUE(s.pinned);
  EXPECT_EQ(s.startTab, 5);
  EXPECT_EQ(s.appsFolder, L"C:\\Docs\\");
  EXPECT_EQ(s.filesFolder, L"D:\\Mes fichiers\\");

  p.StickyWindow = 2;
  p.Panel = L"bureau";
  s = DecideStartPlacement(p, L"C:\\Docs\\");
  EXPECT_FALSE(s.pinned);
  EXPECT_EQ(s.startTab, -1);

  for (int tab = 0; tab < 6; ++tab) EXPECT_EQ(PanelTabIndex(kPanelWords[tab]), tab);
  EXPECT_EQ(DecideStartPlacement(Parse("panel = Bureau \r\n"), L"").startTab, 5);
}

TEST(Preferences, PlacementTakenForSaveOnlyWhenKept) {
  Preferences p;
  p.WindowWidth = 1, p.WindowHeight = 2, p.WindowPosX = 3, p.WindowPosY = 4;
  p.KeepWindowSize = L"Ok";
  p.KeepWindowPos = L"ok";  // the exact word only
  TakeWindowPlacementForSave(p, 800, 600, 50, 60);
  EXPECT_TRUE(p.WindowWidth == 800 && p.WindowHeight == 600);
  EXPECT_TRUE(p.WindowPosX == 3 && p.WindowPosY == 4);
}

TEST(QuickOpenHotKey, TextAndControlValueBothWays) {
  EXPECT_EQ(HotKeyText(kDefaultHotKey), L"Ctrl+Alt+K");
  EXPECT_EQ(ParseHotKeyText(L"Ctrl+Alt+K"), kDefaultHotKey);
  const HotKey all{kHotKeyWin | kHotKeyCtrl | kHotKeyAlt | kHotKeyShift, 0x20};
  EXPECT_EQ(HotKeyText(all), L"Win+Ctrl+Alt+Maj+Espace");
  for (const HotKey key : {all, HotKey{kHotKeyShift, 0x74}, HotKey{kHotKeyCtrl, '7'}, HotKey{kHotKeyAlt, 0x21},
                           HotKey{kHotKeyCtrl, 0xBA}, HotKey{}}) {
    EXPECT_EQ(ParseHotKeyText(HotKeyText(key)), key) << HotKeyText(key);
  }
  // Edited by hand: any case and order, blanks around, "Shift" too.
  EXPECT_EQ(ParseHotKeyText(L" alt+SHIFT+ctrl+f12 "), (HotKey{kHotKeyAlt | kHotKeyShift | kHotKeyCtrl, 0x7B}));
  EXPECT_EQ(ParseHotKeyText(L"aucun"), HotKey{});
  for (const wchar_t* bad : {L"", L"Ctrl+", L"+K", L"Ctrl+Alt", L"Hyper+K", L"Ctrl+F25", L"Ctrl+é", L"#999"}) {
    EXPECT_EQ(ParseHotKeyText(bad), std::nullopt) << bad;
  }

  // The hotkey control's value: key in the low byte, its own flag order above.
  EXPECT_EQ(HotKeyToControl(kDefaultHotKey), 0x0600 | 'K');
  EXPECT_EQ(HotKeyFromControl(0x0100 | 0x74), (HotKey{kHotKeyShift, 0x74}));
  EXPECT_EQ(HotKeyFromControl(HotKeyToControl(kDefaultHotKey)), kDefaultHotKey);
  EXPECT_EQ(HotKeyFromControl(0x0600), HotKey{}) << "modifiers alone are no hotkey";
}

}  // namespace
}  // namespace kelvane
