// The Windows setting for dark applications read from the registry (the
// test prefix's HKCU value, restored afterwards), the dark title bar and
// background, and the palette on the main window's gadgets.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/app_state.h"
#include "app/folder_lists.h"
#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "app/main_window_contents.h"
#include "app/panel_tabs.h"
#include "assets/image_ids.h"
#include "catalog/catalog.h"
#include "recent/recent_texts.h"
#include "theme/colour_layer_win.h"
#include "theme/dark_mode_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/fonts_win.h"
#include "win/kelvane_process.h"
#include "win/main_window_fixture.h"
#include "win/painted_pixels.h"

namespace kelvane {
namespace {

// Keeps "AppsUseLightTheme" as it was before the test.
class PersonalizeValue {
 public:
  PersonalizeValue() {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kPersonalizeKey, kAppsUseLightTheme, RRF_RT_REG_DWORD, nullptr, &value,
                     &size) == ERROR_SUCCESS) {
      saved_ = value;
    }
  }
  ~PersonalizeValue() {
    if (saved_) {
      Set(*saved_);
    } else {
      RemoveValue();
    }
  }
  static void Set(DWORD value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kPersonalizeKey, kAppsUseLightTheme, REG_DWORD, &value, sizeof value);
  }
  static void SetQword(std::uint64_t value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kPersonalizeKey, kAppsUseLightTheme, REG_QWORD, &value, sizeof value);
  }
  static void RemoveValue() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kPersonalizeKey, kAppsUseLightTheme); }
  static bool RemoveKey() { return RegDeleteKeyW(HKEY_CURRENT_USER, kPersonalizeKey) == ERROR_SUCCESS; }

 private:
  std::optional<DWORD> saved_;
};

TEST(DarkMode, SystemSettingComesFromAppsUseLightTheme) {
  PersonalizeValue keep;
  PersonalizeValue::Set(0);
  EXPECT_EQ(SystemUsesDarkApps(), 1);
  PersonalizeValue::Set(1);
  EXPECT_EQ(SystemUsesDarkApps(), 0);
  PersonalizeValue::Set(2);  // |2 - 1| = 1
  EXPECT_EQ(SystemUsesDarkApps(), 1);
  PersonalizeValue::SetQword(0);
  EXPECT_EQ(SystemUsesDarkApps(), 1);
  PersonalizeValue::RemoveValue();
  EXPECT_EQ(SystemUsesDarkApps(), 0);  // missing value: light
  ASSERT_TRUE(PersonalizeValue::RemoveKey());
  EXPECT_EQ(SystemUsesDarkApps(), 0);  // missing key: light
}

struct ShowLog {
  std::vector<BOOL> shows;  // wParam of each WM_SHOWWINDOW
};

LRESULT CALLBACK LoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SHOWWINDOW) {
    if (auto* log = reinterpret_cast<ShowLog*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
      log->shows.push_back(static_cast<BOOL>(wParam));
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeTopLevel(ShowLog* log, bool visible) {
  test::RegisterTestClass(L"ThemeDarkModeTestWindow", LoggingProc);
  HWND window = CreateWindowExW(0, L"ThemeDarkModeTestWindow", L"dark", WS_OVERLAPPEDWINDOW, 10, 10, 200, 150,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(log));
  if (visible) {
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
  }
  log->shows.clear();
  return window;
}

TEST(DarkMode, TitleBarAndBackgroundFollowTheSettingOnWindows10) {
  PersonalizeValue keep;
  SetWindowsMajorVersionForTests(10);
  const auto face = static_cast<Colour>(GetSysColor(COLOR_BTNFACE));

  ShowLog lightLog;
  HWND light = MakeTopLevel(&lightLog, true);
  PersonalizeValue::Set(1);
  EXPECT_EQ(ApplyDarkTitleBar(light), 0);
  EXPECT_EQ(WindowColour(light), face);
  EXPECT_TRUE(lightLog.shows.empty());

  PersonalizeValue::Set(0);
  ShowLog hiddenLog;
  HWND hidden = MakeTopLevel(&hiddenLog, false);
  ApplyDarkTitleBar(hidden);
  EXPECT_EQ(WindowColour(hidden), DarkBase);
  EXPECT_TRUE(hiddenLog.shows.empty());  // a window not shown yet is not shown by it
  EXPECT_FALSE(IsWindowVisible(hidden));

  ShowLog visibleLog;
  HWND visible = MakeTopLevel(&visibleLog, true);
  ApplyDarkTitleBar(visible);
  EXPECT_EQ(WindowColour(visible), DarkBase);
  EXPECT_EQ(visibleLog.shows, (std::vector<BOOL>{FALSE, TRUE}));  // hidden and shown again: the frame redraws
  EXPECT_TRUE(IsWindowVisible(visible));
  // Its background is painted in DarkBase.
  RedrawWindow(visible, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HDC dc = GetDC(visible);
  EXPECT_EQ(GetPixel(dc, 20, 20), static_cast<COLORREF>(DarkBase));
  ReleaseDC(visible, dc);

  SetWindowsMajorVersionForTests(6);  // Windows 8 and 8.1
  ShowLog oldLog;
  HWND old = MakeTopLevel(&oldLog, true);
  ApplyDarkTitleBar(old);
  EXPECT_EQ(WindowColour(old), face);
  EXPECT_EQ(ApplyDarkTitleBar(nullptr), 0);

  SetWindowsMajorVersionForTests(0);
  for (HWND window : {light, hidden, visible, old}) DestroyWindow(window);
}

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && HandlePanelTabsNotify(reinterpret_cast<const NMHDR*>(lParam))) return 0;
  return DefWindowProcW(window, message, wParam, lParam);
}

// The main window's gadgets as start-up colours them: the first screen
// before the window shows, the other pages once they are built.
TEST(DarkMode, MainWindowGadgetsTakeThePaletteInTwoSteps) {
  PersonalizeValue keep;
  PersonalizeValue::Set(1);
  test::PrepareTestProcess();
  AppState& app = App();
  app.fonts[0] = CreatePointFont(L"Tahoma", 11, FW_NORMAL, DpiOf(nullptr));
  app.fonts[1] = CreatePointFont(L"Tahoma", 9, FW_BOLD, DpiOf(nullptr));
  test::RegisterTestClass(L"ThemeMainStandIn", StandInProc);
  RECT outer{0, 0, Scale(400, DpiOf(nullptr)), Scale(300, DpiOf(nullptr))};
  AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
  HWND main = CreateWindowExW(0, L"ThemeMainStandIn", L"stand-in", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                              outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(main);
  app.mainWindow = main;

  BuildMainWindowContents(main);
  // As start-up does: the tab pages, which the layer does not paint, follow.
  ASSERT_TRUE(ApplyMainWindowDarkLook(main));
  SetPanelPageColor(DarkBase);
  const Colour surface = DarkSurface();
  ASSERT_TRUE(FindColourRecord(kAppsList));
  EXPECT_EQ(FindColourRecord(kAppsList)->back, surface);
  EXPECT_EQ(FindColourRecord(kPanelTabs)->front, DarkText);
  EXPECT_EQ(FindColourRecord(kDesktopList), nullptr);  // its page is not built yet
  EXPECT_EQ(WindowNumberOf(main), kMainWindow);
  EXPECT_EQ(WindowColour(main), static_cast<Colour>(GetSysColor(COLOR_BTNFACE)));  // light setting

  ShowWindow(main, SW_SHOW);
  UpdateWindow(main);
  // As at start-up: the pages when first shown, before a command, or a step
  // at a time from the message loop, each coloured as it is built.
  FollowLaterPages();
  EXPECT_EQ(FindColourRecord(kFilesList), nullptr) << "nothing more before the loop";
  SelectTab(4);
  ASSERT_TRUE(FindColourRecord(kExplorerList)) << "coloured before it shows";
  FinishListPages();
  ASSERT_TRUE(FindColourRecord(kLinksList));
  EXPECT_EQ(FindColourRecord(kDesktopList), nullptr);
  FollowListsLoaded();  // short lists: in before the history page exists
  int steps = 0;
  while (CompleteMainWindowContentsStep(main)) ASSERT_LT(++steps, 20);
  EXPECT_EQ(steps, 15) << "drops, the tool bar's and the tabs' tooltips, the tray icon, then the history (5 parts) "
                          "and desktop (4 parts) pages, "
                          "each page's window and each part a step";
  wchar_t title[128] = L"";
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = title;
  column.cchTextMax = 128;
  HWND recent = FindWindowExW(Gadget(kRecentList), nullptr, WC_LISTVIEWW, nullptr);
  ASSERT_TRUE(recent && SendMessageW(recent, LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)));
  EXPECT_EQ(std::wstring(title), RecentCountHeader(FolderList(kRecentList)->RowCount())) << "pointed once built";
  struct Expected {
    int gadget;
    Colour back;
    Colour front;
  };
  const Colour automatic = MakeColour(220, 220, 220);
  for (const Expected& e : {Expected{kExplorerList, surface, automatic}, Expected{kExplorerPath, surface, DarkText},
                            Expected{kRecentList, surface, automatic}, Expected{kAppsList, surface, automatic},
                            Expected{kFilesList, surface, automatic}, Expected{kLinksList, surface, automatic},
                            Expected{kPanelTabs, DarkBase, DarkText}, Expected{kPurgeDate, DarkBase, DarkText},
                            Expected{kDesktopTitle, DarkBase, DarkText},
                            Expected{kDesktopHomeButton, DarkBase, automatic},
                            Expected{kDesktopViewCombo, DarkBase, automatic},
                            Expected{kDesktopSourceCombo, DarkBase, automatic},
                            Expected{kDesktopList, kDesktopListBack, kDesktopListText}}) {
    const ColourRecord* record = FindColourRecord(e.gadget);
    ASSERT_TRUE(record) << e.gadget;
    EXPECT_EQ(record->back, e.back) << e.gadget;
    EXPECT_EQ(record->front, e.front) << e.gadget;
  }
  // Shown through the layer, not in the list's own colours.
  EXPECT_EQ(SendMessageW(FolderList(kDesktopList)->Hwnd(), LVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(GetSysColor(COLOR_WINDOW)));
  EXPECT_EQ(OwnGadgetColour(Gadget(kExplorerPath), FrontColor), DarkText);
  EXPECT_EQ(OwnGadgetColour(Gadget(kDesktopTitle), BackColor), DarkBase);
  SetWindowTextW(Gadget(kExplorerPath), L"C:\\Users\\Public\\");
  for (int gadget : {kExplorerPath, kDesktopTitle}) {
    EXPECT_GE(test::PaintedTextContrast(Gadget(gadget)), kReadableContrast) << gadget;
  }

  // Each tab comes up dark: no light area anywhere on its page.
  for (int tab = 0; tab < kTabCount; ++tab) {
    SelectTab(tab);
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const std::vector<uint32_t> pixels = test::ScreenPixels(TabPage(tab));
    ASSERT_FALSE(pixels.empty());
    const auto light = std::count_if(pixels.begin(), pixels.end(), [](uint32_t p) {
      return (p & 0xFF) > 200 && ((p >> 8) & 0xFF) > 200 && ((p >> 16) & 0xFF) > 200;
    });
    EXPECT_LT(light, static_cast<std::ptrdiff_t>(pixels.size() / 50)) << "tab " << tab;
  }
  DestroyWindow(main);
  app.mainWindow = nullptr;
}

}  // namespace
}  // namespace kelvane
