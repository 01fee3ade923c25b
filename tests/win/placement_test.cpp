// The running program's window: start placement from the preferences file,
// the pin toggle, the tray menu's entries and the resize layout.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <utility>

#include "catalog/ids.h"
#include "win/kelvane_process.h"

namespace kelvane::test {
namespace {

class RunningKelvane : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(FindMainWindow(), nullptr) << "another Kelvane is running";
    RemovePath(DataFolderPath());
  }
  void TearDown() override {
    if (window_) {
      PostMessageW(window_, WM_COMMAND, CmdQuitter, 0);
      DWORD code = 1234;
      EXPECT_TRUE(kelvane_.WaitForExit(15000, &code));
      EXPECT_EQ(code, 0u);
    }
    RemovePath(DataFolderPath());
  }

  // Starts the program, with a preferences file when one is given (UTF-8
  // with its byte-order mark and empty first line, as the program writes).
  void Start(const std::string& preferenceLines = "") {
    if (!preferenceLines.empty()) {
      ASSERT_TRUE(CreateDirectoryW(DataFolderPath().c_str(), nullptr));
      ASSERT_TRUE(WriteAll(DataFolderPath() + L"\\Kelvane.prefs", "\xEF\xBB\xBF\r\n" + preferenceLines));
    }
    ASSERT_TRUE(kelvane_.Start());
    window_ = kelvane_.WaitForMainWindow();
    ASSERT_NE(window_, nullptr);
  }

  HWND Tabs() { return FindGadgetWindow(window_, kPanelTabs, WC_TABCONTROLW); }
  int CurrentTab() { return static_cast<int>(SendMessageW(Tabs(), TCM_GETCURSEL, 0, 0)); }
  SIZE Inner() {
    RECT r{};
    GetClientRect(window_, &r);
    return {r.right, r.bottom};
  }
  bool Topmost() { return (GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
  // The whole window on the work area: nothing off the screen or under the task bar.
  bool WholeOnWorkArea() {
    RECT work{}, outer{}, both{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(window_, &outer);
    return IntersectRect(&both, &outer, &work) && EqualRect(&both, &outer);
  }
  void Quit() {
    PostMessageW(std::exchange(window_, nullptr), WM_COMMAND, CmdQuitter, 0);
    DWORD code = 1234;
    ASSERT_TRUE(kelvane_.WaitForExit(15000, &code));
  }

  KelvaneProcess kelvane_;
  HWND window_ = nullptr;
};

TEST_F(RunningKelvane, WithoutPreferencesOpensBottomRightOnTheFirstTabUnpinned) {
  Start();
  EXPECT_EQ(CurrentTab(), 0);
  EXPECT_FALSE(Topmost());
  const SIZE inner = Inner();
  EXPECT_EQ(inner.cx, 400);
  EXPECT_EQ(inner.cy, 300);
  RECT outer{};
  GetWindowRect(window_, &outer);
  EXPECT_EQ(outer.left, GetSystemMetrics(SM_CXSCREEN) - 410);
  EXPECT_EQ(outer.top, GetSystemMetrics(SM_CYSCREEN) - 370);
}

TEST_F(RunningKelvane, StoredSizeWithoutPositionIsRestoredAndStartTabMatchesAfterTrimming) {
  Start("KeepWindowSize = No\r\nWindowHeight = 420\r\nWindowWidth = 480\r\nWindowPosX = 0\r\n"
        "WindowPosY = 0\r\npanel = Bureau \r\n");
  EXPECT_EQ(Inner().cx, 480);
  EXPECT_EQ(Inner().cy, 420);
  EXPECT_TRUE(WholeOnWorkArea()) << "a size taller than the default runs off the screen's corner";
  EXPECT_EQ(CurrentTab(), 5);
}

TEST_F(RunningKelvane, MinimisedOrMaximisedWindowSavesTheRestoredPlacement) {
  const std::string stored =
      "KeepWindowSize = Ok\r\nWindowHeight = 350\r\nWindowWidth = 450\r\nKeepWindowPos = Ok\r\n"
      "WindowPosX = 40\r\nWindowPosY = 30\r\nCheckBackup = 1\r\nPrefAutoBackup = 1\r\n";
  const std::wstring prefs = DataFolderPath() + L"\\Kelvane.prefs";
  for (const WPARAM command : {SC_MINIMIZE, SC_MAXIMIZE}) {
    RemovePath(DataFolderPath());
    Start(stored);
    PostMessageW(window_, WM_SYSCOMMAND, command, 0);
    ASSERT_TRUE(WaitFor([&] { return (command == SC_MINIMIZE ? IsIconic(window_) : IsZoomed(window_)) != FALSE; },
                        5000));
    if (command == SC_MAXIMIZE) {
      EXPECT_TRUE(WholeOnWorkArea()) << "the maximised window covers the task bar";
    }
    Quit();
    const std::string written = ReadAll(prefs);
    for (const char* line : {"WindowHeight = 350\r\n", "WindowWidth = 450\r\n", "WindowPosX = 40\r\n",
                             "WindowPosY = 30\r\n"}) {
      EXPECT_NE(written.find(line), std::string::npos) << line << " after " << command << ":\n" << written;
    }
  }
}

TEST_F(RunningKelvane, PositionWithXZeroRestoresNeitherPlaceNorSize) {
  Start("WindowHeight = 420\r\nWindowWidth = 480\r\nWindowPosX = 0\r\nWindowPosY = 50\r\nPanel = bureau\r\n");
  EXPECT_EQ(Inner().cx, 400);
  EXPECT_EQ(Inner().cy, 300);
  RECT outer{};
  GetWindowRect(window_, &outer);
  EXPECT_EQ(outer.left, GetSystemMetrics(SM_CXSCREEN) - 410);
  EXPECT_EQ(CurrentTab(), 0) << "a lower-case word selects no tab";
}

TEST_F(RunningKelvane, FullPlacementAndPinAreRestored) {
  Start("WindowHeight = 350\r\nWindowWidth = 450\r\nWindowPosX = 40\r\nWindowPosY = 30\r\n"
        "StickyWindow = 1\r\nPanel = Internet\r\n");
  RECT outer{};
  GetWindowRect(window_, &outer);
  EXPECT_EQ(outer.left, 40);
  EXPECT_EQ(outer.top, 30);
  EXPECT_EQ(Inner().cx, 450);
  EXPECT_EQ(Inner().cy, 350);
  EXPECT_TRUE(Topmost());
  EXPECT_EQ(CurrentTab(), 2);
  HWND toolbar = FindGadgetWindow(window_, kMainToolBar, TOOLBARCLASSNAMEW);
  EXPECT_TRUE(SendMessageW(toolbar, TB_ISBUTTONCHECKED, CmdEpingler, 0));
}

TEST_F(RunningKelvane, PositionOffEveryMonitorIsNotRestored) {
  Start("WindowPosX = 9000\r\nWindowPosY = -7000\r\nPanel = Fichiers\r\n");
  RECT outer{};
  GetWindowRect(window_, &outer);
  EXPECT_NE(MonitorFromRect(&outer, MONITOR_DEFAULTTONULL), nullptr) << "the window is out of reach";
  EXPECT_EQ(CurrentTab(), 1);
}

TEST_F(RunningKelvane, KeysAfterAGroupLineAreIgnored) {
  Start("[Fenetre]\r\nPanel = Bureau\r\nStickyWindow = 1\r\nWindowHeight = 420\r\nWindowWidth = 480\r\n");
  EXPECT_EQ(CurrentTab(), 0);
  EXPECT_FALSE(Topmost());
  EXPECT_EQ(Inner().cx, 400);
}

TEST_F(RunningKelvane, PinToggleSetsAndClearsTopmostButWritesNoPreference) {
  Start();
  HWND toolbar = FindGadgetWindow(window_, kMainToolBar, TOOLBARCLASSNAMEW);
  ASSERT_NE(toolbar, nullptr);
  SendMessageW(toolbar, TB_CHECKBUTTON, CmdEpingler, TRUE);
  SendMessageW(window_, WM_COMMAND, CmdEpingler, 0);
  EXPECT_TRUE(Topmost());
  SendMessageW(toolbar, TB_CHECKBUTTON, CmdEpingler, FALSE);
  SendMessageW(window_, WM_COMMAND, CmdEpingler, 0);
  EXPECT_FALSE(Topmost());
  EXPECT_FALSE(FileExists(DataFolderPath() + L"\\Kelvane.prefs"));
}

TEST_F(RunningKelvane, TrayEntriesSelectTheirTabAndShowTheWindowAlsoFromHidden) {
  Start();
  const std::pair<int, int> entries[] = {{CmdTrayLiensWeb, 2}, {CmdTrayExplorateur, 4}, {CmdTrayDesktop, 5},
                                         {CmdTrayRecents, 3},  {CmdTrayFichiersDossiers, 1},
                                         {CmdTrayMesApplis, 0}};
  for (const auto& [command, tab] : entries) {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(window_); }, 5000));
    SendMessageW(window_, WM_COMMAND, command, 0);
    EXPECT_TRUE(IsWindowVisible(window_)) << command;
    EXPECT_EQ(CurrentTab(), tab) << command;
  }
  // Also on a shown window, and from minimised.
  SendMessageW(window_, WM_COMMAND, CmdTrayLiensWeb, 0);
  EXPECT_EQ(CurrentTab(), 2);
  ShowWindow(window_, SW_MINIMIZE);
  SendMessageW(window_, WM_COMMAND, CmdTrayAfficher, 0);
  EXPECT_FALSE(IsIconic(window_));
  EXPECT_TRUE(IsWindowVisible(window_));
}

TEST_F(RunningKelvane, LayoutAtTheSmallestSizeKeepsPathAtBottomAndRecentBelowButtons) {
  Start("WindowHeight = 500\r\nWindowWidth = 480\r\n");
  RECT r{0, 0, 400, 300};
  AdjustWindowRectEx(&r, GetWindowLongW(window_, GWL_STYLE), FALSE, GetWindowLongW(window_, GWL_EXSTYLE));
  SetWindowPos(window_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
  ASSERT_EQ(Inner().cx, 400);
  ASSERT_EQ(Inner().cy, 300);

  HWND path = FindGadgetWindow(window_, kExplorerPath);
  HWND explorer = FindGadgetWindow(window_, kExplorerList);
  HWND recent = FindGadgetWindow(window_, kRecentList);
  HWND purge = FindGadgetWindow(window_, kPurgeDate);
  ASSERT_TRUE(path && explorer && recent && purge);
  HWND page = GetParent(path);
  RECT pageRect{};
  GetClientRect(page, &pageRect);
  const RECT pathRect = RectIn(path, page);
  RECT pathOuter{};
  GetWindowRect(path, &pathOuter);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&pathOuter), 2);
  EXPECT_EQ(pathOuter.bottom, pageRect.bottom) << "ExplorerPath ends at the bottom of its tab";
  RECT explorerOuter{};
  GetWindowRect(explorer, &explorerOuter);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&explorerOuter), 2);
  EXPECT_LE(explorerOuter.bottom, pathOuter.top) << "the list does not cover the path";
  (void)pathRect;

  HWND recentPage = GetParent(recent);
  RECT recentOuter{}, purgeOuter{};
  GetWindowRect(recent, &recentOuter);
  GetWindowRect(purge, &purgeOuter);
  EXPECT_GE(recentOuter.top, purgeOuter.bottom) << "RecentList starts below the history buttons";
  RECT recentPageRect{};
  GetClientRect(recentPage, &recentPageRect);
  MapWindowPoints(nullptr, recentPage, reinterpret_cast<POINT*>(&recentOuter), 2);
  EXPECT_EQ(recentOuter.bottom, recentPageRect.bottom);
}

}  // namespace
}  // namespace kelvane::test
