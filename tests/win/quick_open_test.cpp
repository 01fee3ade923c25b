// The quick-open box on the real main window: the hotkey brings it and
// takes it away, typing finds entries of every list, Enter and Ctrl+Enter
// start the right thing (through the recording shell seam), each opening is
// counted in the data folder; and a hotkey already taken is told once.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/quick_hotkey.h"
#include "app/quick_open.h"
#include "quickopen/quick_box_win.h"
#include "quickopen/usage_file_win.h"
#include "toolkit/shell_start_win.h"
#include "toolkit/window_class_win.h"
#include "win/lists_fixture.h"

namespace kelvane::test {
namespace {

std::vector<ShellStart>& Started() {
  static std::vector<ShellStart> started;
  return started;
}

bool RecordStart(const ShellStart& start) {
  Started().push_back(start);
  return true;
}

HWND Field() { return GetDlgItem(QuickBoxWindow(), kQuickField); }
HWND Results() { return GetDlgItem(QuickBoxWindow(), kQuickResults); }

void Type(const std::wstring& text) {
  for (wchar_t c : text) SendMessageW(Field(), WM_CHAR, c, 0);
}

void Press(UINT key, bool control = false) {
  if (control) SetKeyDown(VK_CONTROL, true);
  SendMessageW(Field(), WM_KEYDOWN, key, 0);
  if (control) SetKeyDown(VK_CONTROL, false);
}

std::wstring Cell(int row, int column) {
  wchar_t text[260] = {};
  ListView_GetItemText(Results(), row, column, text, 260);
  return text;
}

class QuickOpenTest : public ListsTest {
 protected:
  void SetUp() override {
    ListsTest::SetUp();
    Started().clear();
    SetShellStartRecorderForTests(RecordStart);
    AppState& app = App();
    saved_[0] = app.recentFolder;
    saved_[1] = app.userDesktopFolder;
    saved_[2] = app.publicDesktopFolder;
    app.recentFolder = Made(L"recent\\");
    app.userDesktopFolder = Made(L"bureau\\");
    app.publicDesktopFolder = Made(L"public\\");
    app.tabFoldersFound = true;
    DeleteFileW(UsageFilePath(app.dataFolder).c_str());
    PrepareQuickOpen();
  }
  void TearDown() override {
    HideQuickBox();
    SetShellStartRecorderForTests(nullptr);
    AppState& app = App();
    app.recentFolder = saved_[0];
    app.userDesktopFolder = saved_[1];
    app.publicDesktopFolder = saved_[2];
    ShowWindow(window_, SW_HIDE);
    ListsTest::TearDown();
  }
  static std::wstring Made(const std::wstring& name) {
    const std::wstring path = folder_ + name;
    CreateDirectoryW(path.c_str(), nullptr);
    return path;
  }
  std::wstring File(const std::wstring& name) {
    const std::wstring path = folder_ + name;
    EXPECT_TRUE(WriteAll(path, "x"));
    return path;
  }
  std::wstring saved_[3];
};

TEST_F(QuickOpenTest, TypingFindsEveryListAndEnterOrCtrlEnterStartsTheChosenEntry) {
  const std::wstring app = File(L"bloc.exe");
  const std::wstring report = File(L"Rapport \u00E9t\u00E9.txt");
  AppendEntry(App().favourites, kAppsList, {L"Bloc-notes", app, -1});
  AppendEntry(App().favourites, kFilesList, {L"Rapport d'\u00E9t\u00E9", report, -1});
  AppendEntry(App().favourites, kLinksList, {L"M\u00E9t\u00E9o", L"https://meteo.example/", -1});
  AppendEntry(App().favourites, kFilesList, {L"Perdu", folder_ + L"disparu\\Perdu.txt", -1});
  const std::wstring recent = File(L"recent\\Rapport mensuel.txt.lnk");
  File(L"bureau\\Outils.lnk");
  File(L"public\\Partage.url");

  // The counts are read when the box first opens, not at start-up.
  const std::wstring appKey = UsageKey({L"Bloc-notes", app, QuickSource::Apps, -1});
  UsageCounts earlier;
  earlier.Record(appKey, 1);
  ASSERT_TRUE(WriteUsageFile(UsageFilePath(App().dataFolder), earlier));
  EXPECT_EQ(QuickBoxUsage().Of(appKey).count, 0u);

  ASSERT_FALSE(IsWindowVisible(window_));
  SendMessageW(window_, WM_HOTKEY, kQuickHotKeyId, 0);
  ASSERT_TRUE(QuickBoxVisible());
  EXPECT_EQ(QuickBoxUsage().Of(appKey).count, 1u);
  EXPECT_TRUE(IsWindowVisible(window_)) << "the main window comes out of the tray with the box";
  EXPECT_EQ(GetFocus(), Field());

  // Accents and case ignored; the shortcut shows without ".lnk".
  Type(L"RAPPORT");
  std::vector<QuickItem> found = QuickBoxResults();
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(ListView_GetItemCount(Results()), 2);
  EXPECT_EQ(Cell(0, 0) + L"|" + Cell(1, 0), L"Rapport d'\u00E9t\u00E9|Rapport mensuel.txt");
  EXPECT_EQ(Cell(0, 1), L"Fichier ou dossier");
  EXPECT_EQ(Cell(1, 1), L"\u00C9l\u00E9ment r\u00E9cent");
  EXPECT_EQ(Cell(1, 2), recent);

  // Down, then Enter: the recent entry is opened as its tab would open it.
  Press(VK_DOWN);
  Press(VK_RETURN);
  ASSERT_EQ(Started().size(), 1u);
  EXPECT_EQ(Started()[0].file, recent);
  EXPECT_FALSE(QuickBoxVisible());
  EXPECT_FALSE(IsWindowVisible(window_)) << "back to the tray, where the hotkey found it";
  EXPECT_NE(ReadAll(UsageFilePath(App().dataFolder)).find("\t3|"), std::string::npos) << "counted in its file";

  // Used once, it now comes first among equals; Ctrl+Enter shows it in its folder.
  SendMessageW(window_, WM_HOTKEY, kQuickHotKeyId, 0);
  EXPECT_EQ(GetWindowTextLengthW(Field()), 0);
  Type(L"rapport");
  EXPECT_EQ(Cell(0, 0), L"Rapport mensuel.txt");
  Press(VK_RETURN, true);
  ASSERT_EQ(Started().size(), 2u);
  EXPECT_EQ(Started()[1].file, L"explorer.exe");
  EXPECT_EQ(Started()[1].parameters, L"/select,\"" + recent + L"\"");
  EXPECT_EQ(QuickBoxUsage().Of(L"3|" + recent).count, 2u);
  // The counts come back at the next start.
  EXPECT_EQ(ReadUsageFile(UsageFilePath(App().dataFolder)).Of(L"3|" + recent).count, 2u);

  // Every source is searched; an application starts as its double click would.
  SendMessageW(window_, WM_HOTKEY, kQuickHotKeyId, 0);
  for (const auto& [typed, kind] : std::vector<std::pair<std::wstring, std::wstring>>{
           {L"bloc", L"Application"}, {L"meteo", L"Lien"}, {L"outils", L"Bureau"}, {L"partage", L"Bureau public"}}) {
    SetWindowTextW(Field(), typed.c_str());
    EXPECT_EQ(Cell(0, 1), kind) << typed;
  }
  SetWindowTextW(Field(), L"meteo");
  Press(VK_RETURN, true);
  EXPECT_EQ(Started().size(), 2u) << "an address has no folder to show";
  SendMessageW(window_, WM_HOTKEY, kQuickHotKeyId, 0);
  SetWindowTextW(Field(), L"bnt");  // letters in order
  EXPECT_EQ(Cell(0, 0), L"Bloc-notes");
  Press(VK_RETURN);
  ASSERT_EQ(Started().size(), 3u);
  EXPECT_EQ(Started()[2].file, app);

  // A target gone from the disk still shows the icon of its file type.
  SendMessageW(window_, WM_HOTKEY, kQuickHotKeyId, 0);
  SetWindowTextW(Field(), L"perdu");
  ASSERT_EQ(Cell(0, 0), L"Perdu");
  LVITEMW row{};
  row.mask = LVIF_IMAGE;
  ASSERT_TRUE(ListView_GetItem(Results(), &row));
  EXPECT_GE(row.iImage, 0);
}

TEST_F(QuickOpenTest, EscapeClearsThenHidesAndTheHotkeyTogglesTheBox) {
  SendMessageW(window_, WM_HOTKEY, kQuickHotKeyId, 0);
  ASSERT_TRUE(QuickBoxVisible());
  Type(L"zz");
  EXPECT_EQ(ListView_GetItemCount(Results()), 0);
  Press(VK_RETURN);
  EXPECT_TRUE(Started().empty()) << "nothing chosen, nothing started";
  Press(VK_ESCAPE);
  EXPECT_EQ(GetWindowTextLengthW(Field()), 0);
  EXPECT_TRUE(QuickBoxVisible());
  Press(VK_ESCAPE);
  EXPECT_FALSE(QuickBoxVisible());
  EXPECT_FALSE(IsWindowVisible(window_));

  // The hotkey again while the box is in front takes it away.
  SendMessageW(window_, WM_HOTKEY, kQuickHotKeyId, 0);
  ASSERT_TRUE(QuickBoxVisible());
  ASSERT_TRUE(PumpUntil([] { return QuickBoxInFront(); }, 5000));
  SendMessageW(window_, WM_HOTKEY, kQuickHotKeyId, 0);
  EXPECT_FALSE(QuickBoxVisible());
  EXPECT_FALSE(IsWindowVisible(window_));
}

TEST_F(QuickOpenTest, AHotkeyTakenElsewhereIsToldOnceAndTheProgramGoesOn) {
  // Another window of this process holds Ctrl+Alt+K first.
  RegisterWindowClassOnce(L"KelvaneHotKeyHolder", DefWindowProcW);
  HWND holder = CreateWindowExW(0, L"KelvaneHotKeyHolder", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(RegisterHotKey(holder, 7, MOD_CONTROL | MOD_ALT, 'K'));
  EXPECT_FALSE(RegisterQuickHotKey());
  EXPECT_FALSE(RegisterQuickHotKey());
  ASSERT_EQ(ask_.calls.size(), 1u);
  EXPECT_EQ(ask_.calls[0].text,
            L"Le raccourci Ctrl+Alt+K est d\u00E9j\u00E0 pris par un autre programme : Kelvane fonctionne sans.");

  // Another choice registers; none at all is no failure.
  App().prefs.QuickOpenHotKey = L"Ctrl+Alt+Maj+F11";
  EXPECT_TRUE(RegisterQuickHotKey());
  EXPECT_FALSE(RegisterHotKey(holder, 8, MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F11)) << "held by the main window";
  App().prefs.QuickOpenHotKey = L"Aucun";
  EXPECT_TRUE(RegisterQuickHotKey());
  EXPECT_TRUE(RegisterHotKey(holder, 8, MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F11)) << "released";
  EXPECT_EQ(ask_.calls.size(), 1u);
  DestroyWindow(holder);
}

}  // namespace
}  // namespace kelvane::test
