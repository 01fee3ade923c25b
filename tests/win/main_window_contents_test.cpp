// The main window's contents built on a stand-in main window: gadgets at
// their numbers, places and set-ups, the tool bar, the menus, the tool
// buttons' clicks and looks, the tray messages and the resize layout.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <oleacc.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/folder_lists.h"
#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "app/layout.h"
#include "app/list_keys.h"
#include "app/main_toolbar.h"
#include "app/main_window_contents.h"
#include "app/panel_tabs.h"
#include "app/popup_menus.h"
#include "app/tray_icon.h"
#include "assets/image_ids.h"
#include "catalog/catalog.h"
#include "explorer/explorer_tab_win.h"
#include "lists/list_store_win.h"
#include "toolkit/accessible_buttons_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/fonts_win.h"
#include "toolkit/label_fit_win.h"
#include "toolkit/tool_button_win.h"
#include "win/kelvane_process.h"
#include "win/main_window_fixture.h"
#include "win/painted_pixels.h"

namespace kelvane {
namespace {

struct CommandSeen {
  int id;
  int code;
  HWND from;
};

std::vector<CommandSeen>& Commands() {
  static std::vector<CommandSeen> seen;
  return seen;
}

// What the real main window does with these messages once the contents are
// wired in: WM_SIZE lays out, WM_NOTIFY goes to the tabs first, tray
// messages to the tray handler; commands are recorded here.
LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      Commands().push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
      return 0;
    case WM_NOTIFY:
      if (HandlePanelTabsNotify(reinterpret_cast<const NMHDR*>(lParam))) return 0;
      break;
    case WM_SIZE:
      LayoutMainWindow(window);
      return 0;
    case kTrayCallbackMessage:
      HandleTrayMessage(wParam, lParam);
      return 0;
    default:
      if (HandleTaskbarCreated(message)) return 0;
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

constexpr DWORD kStandInStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

void SetInnerSize(HWND window, int width, int height) {
  RECT outer{0, 0, width, height};
  AdjustWindowRectEx(&outer, kStandInStyle, FALSE, 0);
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

RECT RectInParent(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

using test::PumpMessages;

// Wine refuses to move the pointer while another client holds a pointer grab
// for a moment, and then reports where the pointer still is: ask again until
// the cursor is there.
bool MoveCursorTo(POINT to) {
  for (const ULONGLONG end = GetTickCount64() + 5000; GetTickCount64() < end;) {
    SetCursorPos(to.x, to.y);
    PumpMessages();
    POINT now{};
    if (GetCursorPos(&now) && now.x == to.x && now.y == to.y) return true;
    Sleep(20);
  }
  return false;
}

// The menu's entries as command numbers, 0 for a separator.
std::vector<int> MenuIds(HMENU menu) {
  std::vector<int> ids;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_ID;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item);
    ids.push_back(item.fType & MFT_SEPARATOR ? 0 : static_cast<int>(item.wID));
  }
  return ids;
}

std::wstring MenuText(HMENU menu, int command) {
  wchar_t text[128] = {};
  GetMenuStringW(menu, static_cast<UINT>(command), text, 128, MF_BYCOMMAND);
  return text;
}

HBITMAP MenuImage(HMENU menu, int command) {
  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_BITMAP;
  GetMenuItemInfoW(menu, static_cast<UINT>(command), FALSE, &item);
  return item.hbmpItem;
}

bool MenuChecked(HMENU menu, int command) {
  return (GetMenuState(menu, static_cast<UINT>(command), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

std::wstring ColumnTitle(HWND list, int column, int* width = nullptr) {
  wchar_t text[128] = {};
  LVCOLUMNW info{};
  info.mask = LVCF_TEXT | LVCF_WIDTH;
  info.pszText = text;
  info.cchTextMax = 128;
  if (!SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&info))) return L"<none>";
  if (width) *width = info.cx;
  return text;
}

std::wstring ToolBarTip(HWND tip, HWND toolBar, int command) {
  TTTOOLINFOW info{};
  info.cbSize = sizeof info;
  info.hwnd = toolBar;
  info.uId = static_cast<UINT_PTR>(command);
  wchar_t text[128] = {};
  info.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&info));
  return text;
}

// The text of the tooltip standing on screen for one of the window's tools; empty when none shows.
struct TipSearch {
  HWND owner;
  std::wstring text;
};

BOOL CALLBACK FindShownTip(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TipSearch*>(param);
  if (ClassOf(window) != TOOLTIPS_CLASSW || GetWindow(window, GW_OWNER) != search->owner || !IsWindowVisible(window)) {
    return TRUE;
  }
  wchar_t text[128] = {};
  TTTOOLINFOW info{};
  info.cbSize = sizeof info;
  info.lpszText = text;
  if (SendMessageW(window, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&info))) search->text = text;
  return search->text.empty();
}

std::wstring ShownToolTip(HWND owner) {
  TipSearch search{owner, {}};
  EnumThreadWindows(GetCurrentThreadId(), FindShownTip, reinterpret_cast<LPARAM>(&search));
  return search.text;
}

int ColumnCount(HWND list) {
  return static_cast<int>(SendMessageW(ListView_GetHeader(list), HDM_GETITEMCOUNT, 0, 0));
}

// What a list's columns share: its client width, less a vertical scroll
// bar's while it has no rows and no bar (the bar its first rows bring then
// changes no column).
int SharedWidth(HWND list) {
  RECT client{};
  GetClientRect(list, &client);
  const bool room = ListView_GetItemCount(list) == 0 && !(GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL);
  return client.right - (room ? VerticalScrollBarWidth(list) : 0);
}

bool Near(uint32_t bgra, COLORREF colour, int tolerance = 4) {
  const int b = bgra & 0xFF, g = (bgra >> 8) & 0xFF, r = (bgra >> 16) & 0xFF;
  return std::abs(r - GetRValue(colour)) <= tolerance && std::abs(g - GetGValue(colour)) <= tolerance &&
         std::abs(b - GetBValue(colour)) <= tolerance;
}

class MainWindowContents : public ::testing::Test {
 protected:
  static inline HWND window_ = nullptr;
  static inline UINT dpi_ = 96;

  static void SetUpTestSuite() {
    test::PrepareTestProcess();
    AppState& app = App();
    test::UseProgramFonts(app);
    test::RegisterTestClass(L"KelvaneContentsStandIn", StandInProc);
    window_ = CreateWindowExW(0, L"KelvaneContentsStandIn", L"Kelvane contents", kStandInStyle, 100, 100, 420, 360,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    // Each test's SetUp fails without it: a failure here would make gtest
    // report every test of the suite as skipped, which CTest counts as such.
    if (!window_) return;
    dpi_ = DpiOf(window_);
    SetInnerSize(window_, S(400), S(300));
    app.mainWindow = window_;
    BuildMainWindowContents(window_);
    CompleteMainWindowContents(window_);
  }

  static void TearDownTestSuite() { test::CloseTestMainWindow(window_); }

  void SetUp() override {
    ASSERT_NE(window_, nullptr);
    SetInnerSize(window_, S(400), S(300));
    SelectTab(0);
    Commands().clear();
  }

  static int S(int units) { return Scale(units, dpi_); }
};

struct Placement {
  int gadget;
  const wchar_t* cls;
  int tab;
  int x, y, w, h;  // w, h <= 0: page size plus that value
};

TEST_F(MainWindowContents, EveryGadgetStandsOnItsTabWithItsClassPlaceAndSize) {
  int pw = 0, ph = 0;
  GetPageInnerSize(&pw, &ph);
  ASSERT_GT(pw, 0);
  ASSERT_GT(ph, S(60));
  std::vector<Placement> placements = {
      {kAppsList, WC_LISTVIEWW, 0, 0, 0, 0, 0},
      {kFilesList, WC_LISTVIEWW, 1, 0, 0, 0, 0},
      {kLinksList, WC_LISTVIEWW, 2, 0, 0, 0, 0},
      {kPurgeDate, DATETIMEPICK_CLASSW, 3, 0, 0, 100, 25},
      {kRecentList, kExplorerListClass, 3, 0, 25, 0, -25},
      {kExplorerList, kExplorerListClass, 4, 0, 25, 0, -47},
      {kExplorerPath, WC_EDITW, 4, 0, -22, 0, 22},
      {kDesktopHomeButton, WC_BUTTONW, 5, 0, 20, 60, 22},
      {kDesktopViewCombo, WC_COMBOBOXW, 5, 62, 20, 160, 22},
      {kDesktopSourceCombo, WC_COMBOBOXW, 5, 224, 20, pw - S(224) < S(170) ? -224 : 170, 22},
      {kDesktopList, kExplorerListClass, 5, 0, 43, 0, -45},
  };
  const int history[] = {kHistFiltrer,    kHistSupprimerRacc, kHistSupprimerTout, kHistRecharger,
                         kHistCreerRacc, kHistProprietes,    kHistAffichage,     kHistDetails};
  for (int i = 0; i < 8; ++i) placements.push_back({history[i], kToolButtonClass, 3, 102 + 31 * i, 0, 30, 25});

  for (const Placement& p : placements) {
    SCOPED_TRACE(::testing::Message() << "gadget " << p.gadget);
    HWND gadget = Gadget(p.gadget);
    ASSERT_NE(gadget, nullptr);
    EXPECT_EQ(ClassOf(gadget), p.cls);
    EXPECT_EQ(GetDlgCtrlID(gadget), p.gadget);
    EXPECT_EQ(GetParent(gadget), TabPage(p.tab));
    const RECT r = RectInParent(gadget);
    EXPECT_EQ(r.left, S(p.x));
    EXPECT_EQ(r.top, p.y < 0 ? ph + S(p.y) : S(p.y));
    EXPECT_EQ(r.right - r.left, p.w > 0 ? S(p.w) : pw + S(p.w));
    EXPECT_EQ(r.bottom - r.top, p.h > 0 ? S(p.h) : ph + S(p.h));
  }

  HWND tabs = Gadget(kPanelTabs);
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(ClassOf(tabs), WC_TABCONTROLW);
  EXPECT_EQ(GetParent(tabs), window_);
  const RECT t = RectInParent(tabs);
  EXPECT_EQ(t.left, 0);
  EXPECT_EQ(t.top, S(30));
  EXPECT_EQ(t.right - t.left, S(400));
  EXPECT_EQ(t.bottom - t.top, S(270));
  HWND toolBar = Gadget(kMainToolBar);
  ASSERT_NE(toolBar, nullptr);
  EXPECT_EQ(ClassOf(toolBar), TOOLBARCLASSNAMEW);
  EXPECT_LE(RectInParent(toolBar).bottom, S(30)) << "the tool bar must not run under the tabs";
}

TEST_F(MainWindowContents, SixTabsWithCatalogTitlesAndOnePageShownAtATime) {
  HWND tabs = Gadget(kPanelTabs);
  ASSERT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), kTabCount);
  const wchar_t* keys[] = {L"Applications", L"Fichiers", L"Internet", L"Historique", L"Explorer", L"Bureau"};
  // Every tab in view without scroll arrows; a tab short of room shows its
  // image alone and its title as tooltip, but the selected one keeps its title.
  // At 450 only the tighter padding keeps every title: an arrangement that
  // fits is never skipped.
  for (const auto& [width, selected] :
       {std::pair{400, 0}, std::pair{400, 4}, std::pair{450, 0}, std::pair{500, 0}}) {
    SCOPED_TRACE(::testing::Message() << "width " << width << ", tab " << selected);
    SetInnerSize(window_, S(width), S(300));
    SelectTab(selected);
    RECT client{};
    GetClientRect(tabs, &client);
    for (int i = 0; i < kTabCount; ++i) {
      wchar_t text[64] = {};
      TCITEMW item{};
      item.mask = TCIF_TEXT | TCIF_IMAGE;
      item.pszText = text;
      item.cchTextMax = 64;
      SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
      const std::wstring title = CatalogText(L"Panel", keys[i]);
      if (width >= 450 || i == selected) {
        EXPECT_EQ(std::wstring(text), title);
      } else if (text[0] == 0) {
        EXPECT_EQ(AreaToolTipText(tabs, i + 1), title);
      } else {
        EXPECT_EQ(std::wstring(text), title);
        EXPECT_EQ(AreaToolTipText(tabs, i + 1), L"") << "no tooltip to repeat a title shown";
      }
      EXPECT_EQ(item.iImage, i) << "tab " << i << " has its image";
      RECT r{};
      SendMessageW(tabs, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
      EXPECT_GE(r.left, 0) << "tab " << i;
      EXPECT_LE(r.right, client.right) << "tab " << i;
    }
    HWND arrows = FindWindowExW(tabs, nullptr, UPDOWN_CLASSW, nullptr);
    EXPECT_FALSE(arrows && (GetWindowLongW(arrows, GWL_STYLE) & WS_VISIBLE)) << "no scroll arrows";
  }
  // The mouse resting on a tab shown by its image brings its title up.
  ShowWindow(window_, SW_SHOWNOACTIVATE);
  SetInnerSize(window_, S(400), S(300));
  SelectTab(0);
  SelectTab(4);  // a tab that had a tooltip shows its title: the others keep theirs
  RECT second{};
  SendMessageW(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
  POINT at{(second.left + second.right) / 2, (second.top + second.bottom) / 2};
  ClientToScreen(tabs, &at);
  ASSERT_TRUE(MoveCursorTo(at));
  ScreenToClient(tabs, &at);
  SendMessageW(tabs, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
  std::wstring shownTip;
  for (const ULONGLONG end = GetTickCount64() + 5000; shownTip.empty() && GetTickCount64() < end;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    PumpMessages();
    shownTip = ShownToolTip(window_);
  }
  EXPECT_EQ(shownTip, CatalogText(L"Panel", keys[1]));
  ShowWindow(window_, SW_HIDE);
  SelectTab(0);
  EXPECT_NE(SendMessageW(tabs, TCM_GETIMAGELIST, 0, 0), 0);

  auto shownPages = [] {
    std::vector<int> shown;
    for (int i = 0; i < kTabCount; ++i) {
      if (IsWindowVisible(TabPage(i)) || (GetWindowLongW(TabPage(i), GWL_STYLE) & WS_VISIBLE)) shown.push_back(i);
    }
    return shown;
  };
  EXPECT_EQ(CurrentTab(), 0);
  EXPECT_EQ(shownPages(), std::vector<int>{0});
  SelectTab(4);
  EXPECT_EQ(CurrentTab(), 4);
  EXPECT_EQ(shownPages(), std::vector<int>{4});
  SelectTab(9);  // ignored
  EXPECT_EQ(CurrentTab(), 4);

  // A click on a tab: the control selects it and tells the main window.
  SendMessageW(tabs, TCM_SETCURSEL, 2, 0);
  NMHDR click{tabs, static_cast<UINT_PTR>(kPanelTabs), static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(window_, WM_NOTIFY, kPanelTabs, reinterpret_cast<LPARAM>(&click));
  EXPECT_EQ(shownPages(), std::vector<int>{2});
}

TEST_F(MainWindowContents, ListsHaveTheirStylesColumnsAndHeaderFont) {
  struct Report {
    int gadget;
    const wchar_t* col0;
    const wchar_t* col1;
  };
  for (const Report& r : {Report{kAppsList, L"Applications", L"Emplacement"},
                          Report{kFilesList, L"FichiersDossiers", L"Emplacement"},
                          Report{kLinksList, L"LiensWeb", L"AdresseWeb"}}) {
    SCOPED_TRACE(::testing::Message() << "list " << r.gadget);
    HWND list = Gadget(r.gadget);
    const LONG style = GetWindowLongW(list, GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(style & LVS_SINGLESEL);
    EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
    EXPECT_TRUE(GetWindowLongW(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    const DWORD ex = static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_EQ(ex & (LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER), DWORD(LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER));
    ASSERT_EQ(ColumnCount(list), 2);
    // The header shows "&" only when doubled ("Fichiers & dossiers").
    std::wstring title0 = CatalogText(L"Panel", r.col0);
    for (size_t at = title0.find(L'&'); at != std::wstring::npos; at = title0.find(L'&', at + 2)) {
      title0.insert(at, 1, L'&');
    }
    EXPECT_EQ(ColumnTitle(list, 0), title0);
    EXPECT_EQ(ColumnTitle(list, 1), CatalogText(L"Panel", r.col1));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(ListView_GetHeader(list), WM_GETFONT, 0, 0)),
              App().fonts[1].get());
  }

  for (int gadget : {kRecentList, kExplorerList}) {
    SCOPED_TRACE(::testing::Message() << "folder list " << gadget);
    ASSERT_TRUE(FolderList(gadget));
    HWND list = FolderList(gadget)->Hwnd();
    const LONG style = GetWindowLongW(list, GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_FALSE(style & LVS_SINGLESEL) << "multiple selection";
    EXPECT_TRUE(GetWindowLongW(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
    // Only the recent list shows where its shortcuts point.
    EXPECT_EQ(ColumnCount(list), gadget == kRecentList ? 5 : 4);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(ListView_GetHeader(list), WM_GETFONT, 0, 0)),
              App().fonts[1].get());
  }
  // The count leaves out the ".." row.
  EXPECT_EQ(ColumnTitle(FolderList(kExplorerList)->Hwnd(), 0),
            ExplorerCountHeader(FolderList(kExplorerList)->RowCount() - 1));
  EXPECT_EQ(ExplorerCountHeader(12), L"Contient 12 fichiers et dossiers");

  ASSERT_TRUE(FolderList(kDesktopList));
  HWND desktop = FolderList(kDesktopList)->Hwnd();
  const LONG style = GetWindowLongW(desktop, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_ICON) << "large icons at start";
  EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
  EXPECT_FALSE(style & LVS_SINGLESEL);
  EXPECT_FALSE(GetWindowLongW(desktop, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) << "no border";
  EXPECT_EQ(ListView_GetBkColor(desktop), RGB(0, 0, 0));
  EXPECT_EQ(ListView_GetTextColor(desktop), RGB(130, 142, 159));

  // The columns share each list's width (the favourites' 55 to 45), with no
  // horizontal scroll bar, at both ends of the window's range.
  HWND apps = Gadget(kAppsList);
  FolderList(kDesktopList)->SetDisplayMode(3);
  RECT client{};
  for (const int width : {400, 500}) {
    SetInnerSize(window_, S(width), S(300));
    for (HWND list : {apps, Gadget(kFilesList), Gadget(kLinksList), FolderList(kRecentList)->Hwnd(),
                      FolderList(kExplorerList)->Hwnd(), desktop}) {
      SCOPED_TRACE(::testing::Message() << "width " << width << ", list " << GetDlgCtrlID(list));
      GetClientRect(list, &client);
      int sum = 0;
      for (int column = 0; column < ColumnCount(list); ++column) {
        sum += ListView_GetColumnWidth(list, column);
        EXPECT_GE(ListView_GetColumnWidth(list, column), S(45)) << "column " << column << " still readable";
      }
      EXPECT_NEAR(sum, SharedWidth(list), 2);
      EXPECT_FALSE(GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL);
    }
    EXPECT_NEAR(ListView_GetColumnWidth(apps, 0), SharedWidth(apps) * 55 / 100, 1);
  }
  FolderList(kDesktopList)->SetDisplayMode(0);

  // A divider dragged to the left: the next column takes the room, and a
  // wider window keeps the proportion the user left.
  SetInnerSize(window_, S(400), S(300));
  HWND header = ListView_GetHeader(apps);
  RECT first{};
  Header_GetItemRect(header, 0, &first);
  const int y = (first.top + first.bottom) / 2;
  const int before = ListView_GetColumnWidth(apps, 0);
  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.right - 1, y));
  SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(first.right - 1 - S(60), y));
  SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(first.right - 1 - S(60), y));
  PumpMessages();
  EXPECT_EQ(ListView_GetColumnWidth(apps, 0), before - S(60));
  EXPECT_EQ(ListView_GetColumnWidth(apps, 0) + ListView_GetColumnWidth(apps, 1), SharedWidth(apps));
  const double share = static_cast<double>(before - S(60)) / SharedWidth(apps);
  SetInnerSize(window_, S(500), S(300));
  EXPECT_NEAR(ListView_GetColumnWidth(apps, 0), share * SharedWidth(apps), 1);

  // The empty list kept room for the vertical scroll bar: a few rows fill
  // the width, and the rows that bring the bar change no column.
  const int emptyFirst = ListView_GetColumnWidth(apps, 0);
  GetClientRect(apps, &client);
  EXPECT_EQ(SharedWidth(apps), client.right - VerticalScrollBarWidth(apps));
  ASSERT_TRUE(AppendEntry(App().favourites, kAppsKind, {L"Premier", L"C:\\premier.exe"}));
  GetClientRect(apps, &client);
  EXPECT_EQ(ListView_GetColumnWidth(apps, 0) + ListView_GetColumnWidth(apps, 1), client.right);
  for (int i = 0; i < 60; ++i) AppendEntry(App().favourites, kAppsKind, {L"Entr\u00E9e " + std::to_wstring(i), L"C:\\x.exe"});
  ASSERT_TRUE(GetWindowLongW(apps, GWL_STYLE) & WS_VSCROLL);
  GetClientRect(apps, &client);
  EXPECT_EQ(ListView_GetColumnWidth(apps, 0), emptyFirst);
  EXPECT_EQ(ListView_GetColumnWidth(apps, 0) + ListView_GetColumnWidth(apps, 1), client.right);
  EXPECT_FALSE(GetWindowLongW(apps, GWL_STYLE) & WS_HSCROLL);
  ClearEntries(App().favourites, kAppsKind);
  EXPECT_EQ(ListView_GetColumnWidth(apps, 0), emptyFirst);
}

TEST_F(MainWindowContents, DesktopTabAndDateFieldAreSetUp) {
  wchar_t text[128] = {};
  GetWindowTextW(Gadget(kDesktopTitle), text, 128);
  EXPECT_EQ(std::wstring(text), CatalogText(L"ToolTipExplorer", L"RaccourcisBureau"));
  // The title shows whole in the font it has, wherever that font comes from.
  for (const int width : {400, 500}) {
    SCOPED_TRACE(::testing::Message() << "width " << width);
    SetInnerSize(window_, S(width), S(300));
    HWND title = Gadget(kDesktopTitle);
    const SIZE extent = TextExtent(title, text);
    RECT area{};
    GetClientRect(title, &area);
    EXPECT_LE(extent.cx, area.right);
    EXPECT_LE(extent.cy, area.bottom);
    EXPECT_GE(area.right, S(230));
    EXPECT_EQ(RectInParent(title).left, S(5));
    EXPECT_EQ(RectInParent(title).top, S(2));
  }
  // Font 0 when it lets the title fit; a smaller one of its kind when not.
  LOGFONTW given{}, shown{};
  GetObjectW(App().fonts[0].get(), sizeof given, &given);
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Gadget(kDesktopTitle), WM_GETFONT, 0, 0)), sizeof shown, &shown);
  EXPECT_STREQ(shown.lfFaceName, given.lfFaceName);
  EXPECT_LE(std::abs(shown.lfHeight), std::abs(given.lfHeight));
  // Room for two thirds of the title only: the same face, smaller, whole.
  HWND title = Gadget(kDesktopTitle);
  const LONG room = TextExtent(title, text, App().fonts[0].get()).cx * 3 / 4;
  UniqueFont smaller;
  FitLabel(title, App().fonts[0].get(), S(100), room, smaller);
  ASSERT_TRUE(smaller);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(title, WM_GETFONT, 0, 0)), smaller.get());
  EXPECT_LE(TextExtent(title, text).cx, room);
  GetObjectW(smaller.get(), sizeof shown, &shown);
  EXPECT_STREQ(shown.lfFaceName, given.lfFaceName);
  SetInnerSize(window_, S(450), S(300));  // the layout gives the title its own font back
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(title, WM_GETFONT, 0, 0)), App().fonts[0].get());
  GetWindowTextW(Gadget(kDesktopHomeButton), text, 128);
  EXPECT_STREQ(text, L"Bureau");

  auto entries = [](int gadget) {
    std::vector<std::wstring> texts;
    HWND combo = Gadget(gadget);
    for (int i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
      wchar_t entry[128] = {};
      SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
      texts.push_back(entry);
    }
    return texts;
  };
  EXPECT_EQ(entries(kDesktopViewCombo),
            (std::vector<std::wstring>{L"Larges icônes", L"Petites icônes", L"Mode liste", L"Mode détails (par défaut)"}));
  EXPECT_EQ(entries(kDesktopSourceCombo), (std::vector<std::wstring>{L"Bureau de l'utilisateur", L"Bureau public"}));
  EXPECT_EQ(SendMessageW(Gadget(kDesktopViewCombo), CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(SendMessageW(Gadget(kDesktopSourceCombo), CB_GETCURSEL, 0, 0), 0);

  // The date field shows today as dd/mm/yyyy.
  SYSTEMTIME today{};
  GetLocalTime(&today);
  wchar_t expected[16];
  swprintf(expected, 16, L"%02u/%02u/%04u", today.wDay, today.wMonth, today.wYear);
  GetWindowTextW(Gadget(kPurgeDate), text, 128);
  EXPECT_STREQ(text, expected);

  EXPECT_EQ(GadgetToolTipText(Gadget(kPurgeDate)), CatalogText(L"ToolTipHistory", L"DatePurgeRacc"));
  EXPECT_EQ(GadgetToolTipText(Gadget(kDesktopHomeButton)), L"Retour au Bureau initial");
  EXPECT_EQ(GadgetToolTipText(Gadget(kDesktopViewCombo)), L"Sélection du mode d'affichage");
  EXPECT_EQ(GadgetToolTipText(Gadget(kHistFiltrer)), CatalogText(L"ToolTipHistory", L"FiltrerRacc"));
  EXPECT_EQ(GadgetToolTipText(Gadget(kExplVoirPressePapier)), L"Voir le contenu du presse-papier");
  EXPECT_EQ(GadgetToolTipText(Gadget(kExplAffichage)), L"Options d'affichage");
}

TEST_F(MainWindowContents, ToolBarHasElevenButtonsSeparatorsTooltipsAndThePinToggle) {
  HWND toolBar = Gadget(kMainToolBar);
  const std::vector<int> expected = {CmdQuitter, CmdAide, CmdInfo, 0, CmdAjoutFavori, 0, CmdEnregistrerListes, 0,
                                     CmdSupprimerTout, 0, CmdRechercher, CmdChercherPC, 0, CmdEpingler,
                                     CmdGestionPrefs, 0, CmdSauvegarder};
  ASSERT_EQ(SendMessageW(toolBar, TB_BUTTONCOUNT, 0, 0), static_cast<LRESULT>(expected.size()));
  HWND tip = reinterpret_cast<HWND>(SendMessageW(toolBar, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tip, nullptr);
  for (size_t i = 0; i < expected.size(); ++i) {
    TBBUTTON button{};
    SendMessageW(toolBar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    if (!expected[i]) {
      EXPECT_TRUE(button.fsStyle & BTNS_SEP) << "position " << i;
      continue;
    }
    EXPECT_EQ(button.idCommand, expected[i]);
    EXPECT_NE(button.iBitmap, I_IMAGENONE) << "button " << expected[i] << " has its image";
    EXPECT_EQ((button.fsStyle & BTNS_CHECK) != 0, expected[i] == CmdEpingler);
    EXPECT_NE(ToolBarTip(tip, toolBar, expected[i]), L"") << "button " << expected[i] << " has a tooltip";
  }
  EXPECT_EQ(ToolBarTip(tip, toolBar, CmdEpingler), L"Toujours garder la fenêtre au premier plan");
  EXPECT_EQ(ToolBarTip(tip, toolBar, CmdChercherPC), L"Rechercher sur tout le PC");

  EXPECT_FALSE(PinToggleDown());
  SetPinToggle(true);
  EXPECT_TRUE(PinToggleDown());
  SetPinToggle(false);
  EXPECT_FALSE(PinToggleDown());
}

TEST_F(MainWindowContents, MenusHoldTheirEntriesSeparatorsTextsAndImages) {
  struct Expected {
    int menu;
    std::vector<int> ids;
  };
  const std::vector<Expected> menus = {
      {kMenuAffichage, {60, 61, 62, 63}},
      {kMenuAjout, {65, 115, 0, 66, 67, 114, 0, 68, 112, 113}},
      {kMenuLiens, {70, 72, 0, 71}},
      {kMenuFichiers, {74, 76, 77, 0, 75, 117}},
      {kMenuApplis, {79, 80, 82, 0, 81, 116}},
      {kMenuRecents, {84, 0, 85, 0, 86, 0, 118, 87}},
      {kMenuSauvegarde, {89, 0, 90, 0, 91}},
      {kMenuExplorer, {93, 94, 95, 0, 96, 97, 0, 98, 99, 0, 100, 101}},
      {kMenuDossiers, {35, 0, 36, 37, 38, 39, 40, 41, 42}},
      {kMenuSystray, {103, 104, 0, 105, 106, 107, 108, 0, 109, 110}},
  };
  for (const Expected& e : menus) {
    SCOPED_TRACE(::testing::Message() << "menu " << e.menu);
    HMENU menu = PopupMenu(e.menu);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(MenuIds(menu), e.ids);
    for (int id : e.ids) {
      if (!id) continue;
      EXPECT_NE(MenuText(menu, id), L"") << id;
      EXPECT_EQ(MenuText(menu, id).find(L"#####"), std::wstring::npos) << id << " has a catalog text";
      // The folder entries show the shell's icon when the folder exists.
      if (id < CmdMesdocuments || id > CmdMyFavorites) {
        EXPECT_NE(MenuImage(menu, id), nullptr) << id;
      }
    }
  }
  EXPECT_EQ(PopupMenu(12345), nullptr);
  EXPECT_EQ(MenuText(PopupMenu(kMenuExplorer), CmdExplRecycler), L"Envoyer à la corbeille");
  EXPECT_EQ(MenuText(PopupMenu(kMenuSystray), CmdTrayLiensWeb), L"Liens internet");
  EXPECT_EQ(MenuText(PopupMenu(kMenuAjout), CmdImportMenuDemarrer), L"Importer les raccourcis du menu D\u00E9marrer");
  EXPECT_EQ(MenuText(PopupMenu(kMenuAffichage), CmdModeDetails), L"Mode détails (par défaut)");
  // The folders' shell icons come when the menu is first shown.
  EXPECT_EQ(MenuImage(PopupMenu(kMenuDossiers), CmdMesdocuments), nullptr);
  LoadDossiersMenuIcons();
  EXPECT_NE(MenuImage(PopupMenu(kMenuDossiers), CmdMesdocuments), nullptr) << "documents exists";

  // Menu images are 32-bit with alpha: a corner of the icon is see-through.
  BITMAP info{};
  HBITMAP image = MenuImage(PopupMenu(kMenuExplorer), CmdExplOuvrir);
  ASSERT_TRUE(GetObjectW(image, sizeof info, &info));
  EXPECT_EQ(info.bmBitsPixel, 32);
  EXPECT_EQ(info.bmWidth, S(16));
  ASSERT_NE(info.bmBits, nullptr);
  const auto* first = static_cast<const uint8_t*>(info.bmBits);
  int seeThrough = 0, opaque = 0;
  for (int i = 0; i < info.bmWidth * info.bmHeight; ++i) {
    const uint8_t* px = first + 4 * i;
    if (px[3] == 0) ++seeThrough;
    if (px[3] == 255) ++opaque;
    EXPECT_LE(std::max({px[0], px[1], px[2]}), px[3]) << "premultiplied";
  }
  EXPECT_GT(seeThrough, 0);
  EXPECT_GT(opaque, 0);

  EXPECT_FALSE(DossiersMenuFolder(CmdMesTelecharges).empty());
  EXPECT_EQ(DossiersMenuFolder(CmdMesTelecharges).back(), L'\\');
  EXPECT_EQ(DossiersMenuFolder(CmdMesContacts), test::ProfileFolder() + L"Contacts\\");
  EXPECT_EQ(DossiersMenuFolder(CmdSelectDossier), L"");
}

TEST_F(MainWindowContents, ViewModeCheckMarkFollowsTheLastChoiceAndPasteEntryCanBeDisabled) {
  HMENU menu = PopupMenu(kMenuAffichage);
  EXPECT_TRUE(MenuChecked(menu, CmdModeDetails)) << "details is marked from the start";
  CheckViewModeEntry(CmdPetitesIco);
  for (int id = CmdLargesIco; id <= CmdModeDetails; ++id) EXPECT_EQ(MenuChecked(menu, id), id == CmdPetitesIco);
  CheckViewModeEntry(CmdExplColler);  // not a view mode: nothing moves
  EXPECT_TRUE(MenuChecked(menu, CmdPetitesIco));
  CheckViewModeEntry(CmdModeDetails);
  for (int id = CmdLargesIco; id <= CmdModeDetails; ++id) EXPECT_EQ(MenuChecked(menu, id), id == CmdModeDetails);

  HMENU explorer = PopupMenu(kMenuExplorer);
  EnablePasteEntry(false);
  EXPECT_TRUE(GetMenuState(explorer, CmdExplColler, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(explorer, CmdExplCopier, MF_BYCOMMAND) & MF_GRAYED);
  EnablePasteEntry(true);
  EXPECT_FALSE(GetMenuState(explorer, CmdExplColler, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(MainWindowContents, LayoutAtTheSmallestSizeKeepsPathAtBottomAndRecentListBelowButtons) {
  for (const SIZE inner : {SIZE{500, 520}, SIZE{400, 300}}) {
    SCOPED_TRACE(::testing::Message() << inner.cx << " x " << inner.cy);
    SetInnerSize(window_, S(inner.cx), S(inner.cy));  // WM_SIZE runs the layout
    EXPECT_TRUE(MainLayoutCurrent(window_));
    EXPECT_EQ(App().prefs.WindowWidth, inner.cx);
    EXPECT_EQ(App().prefs.WindowHeight, inner.cy);
    const RECT t = RectInParent(Gadget(kPanelTabs));
    EXPECT_EQ(t.right - t.left, S(inner.cx));
    EXPECT_EQ(t.bottom - t.top, S(inner.cy - 30));
    int pw = 0, ph = 0;
    GetPageInnerSize(&pw, &ph);
    RECT page{};
    GetClientRect(TabPage(4), &page);
    EXPECT_EQ(page.right, pw);
    EXPECT_EQ(page.bottom, ph);

    const RECT path = RectInParent(Gadget(kExplorerPath));
    EXPECT_EQ(path.bottom, ph) << "ExplorerPath sits at the bottom";
    EXPECT_EQ(path.right - path.left, pw);
    EXPECT_EQ(path.bottom - path.top, S(22));
    const RECT explorer = RectInParent(Gadget(kExplorerList));
    EXPECT_LE(explorer.bottom, path.top) << "the list does not cover the path";
    const RECT recent = RectInParent(Gadget(kRecentList));
    EXPECT_GE(recent.top, RectInParent(Gadget(kHistFiltrer)).bottom) << "RecentList stays below the buttons";
    EXPECT_EQ(recent.bottom, ph);
    EXPECT_EQ(recent.right - recent.left, pw);
    for (int gadget : {kAppsList, kFilesList, kLinksList}) {
      const RECT r = RectInParent(Gadget(gadget));
      EXPECT_EQ(r.right - r.left, pw);
      EXPECT_EQ(r.bottom - r.top, ph);
    }
    EXPECT_EQ(RectInParent(Gadget(kDesktopList)).bottom, ph - S(2));
    // The rows of tool buttons as drawn when they fit, else closer: on their
    // page, in order, each wide enough for its image (drawn at x 10).
    if (inner.cx == 500) {
      EXPECT_EQ(RectInParent(Gadget(kExplAffichage)).left, S(372));
    }
    const std::vector<int> rows[] = {{48, 46, 47, 44, 45, 49, 50, 51}, {19, 20, 21, 22, 23, 25, 24, 26, 27, 28, 29, 30, 31}};
    for (const std::vector<int>& row : rows) {
      LONG free = row[0] == kHistFiltrer ? RectInParent(Gadget(kPurgeDate)).right : 0;
      for (int gadget : row) {
        const RECT r = RectInParent(Gadget(gadget));
        EXPECT_GE(r.left, free) << gadget;
        EXPECT_LE(r.right, pw) << gadget;
        EXPECT_GE(r.right - r.left, 10 + S(16) + 2) << gadget;
        EXPECT_EQ(r.bottom - r.top, S(25)) << "tool buttons keep their height";
        free = r.right;
      }
    }
  }
  // Resized with no layout: a WM_SIZE at that size must lay out again.
  const auto proc = SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcW));
  SetInnerSize(window_, S(450), S(300));
  EXPECT_FALSE(MainLayoutCurrent(window_));
  SetWindowLongPtrW(window_, GWLP_WNDPROC, proc);
  EXPECT_FALSE(MainLayoutCurrent(TabPage(0)));
}

TEST_F(MainWindowContents, ToolButtonClicksReachTheMainWindowByMouseAndKeyboard) {
  SelectTab(4);
  HWND button = Gadget(kExplAffichage);
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(Commands().size(), 1u);
  EXPECT_EQ(Commands()[0].id, kExplAffichage);
  EXPECT_EQ(Commands()[0].code, BN_CLICKED);
  EXPECT_EQ(Commands()[0].from, button);

  // Released outside the button: no click.
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(S(200), 5));
  EXPECT_EQ(Commands().size(), 1u);

  SendMessageW(Gadget(kHistDetails), WM_KEYDOWN, VK_SPACE, 0);
  SendMessageW(Gadget(kHistDetails), WM_KEYDOWN, VK_RETURN, 0x40000000);  // auto-repeat: ignored
  ASSERT_EQ(Commands().size(), 2u);
  EXPECT_EQ(Commands()[1].id, kHistDetails);
  EXPECT_TRUE(GetWindowLongW(button, GWL_STYLE) & WS_TABSTOP);

  // Hand cursor over the button.
  EXPECT_TRUE(SendMessageW(button, WM_SETCURSOR, reinterpret_cast<WPARAM>(button), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

// What a screen reader reads through the system's accessibility interface.
struct Accessible {
  explicit Accessible(HWND window) {
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kAccessibleIid,
                               reinterpret_cast<void**>(&object));
  }
  ~Accessible() {
    if (object) object->Release();
  }
  std::wstring Name(long child = CHILDID_SELF) const {
    BSTR name = nullptr;
    VARIANT which{};
    which.vt = VT_I4;
    which.lVal = child;
    object->get_accName(which, &name);
    std::wstring text = name ? name : L"";
    SysFreeString(name);
    return text;
  }
  long Role(long child = CHILDID_SELF) const {
    VARIANT which{};
    which.vt = VT_I4;
    which.lVal = child;
    VARIANT role{};
    return SUCCEEDED(object->get_accRole(which, &role)) && role.vt == VT_I4 ? role.lVal : -1;
  }
  IAccessible* object = nullptr;
};

TEST_F(MainWindowContents, ToolButtonsAndToolBarButtonsReadAsPushButtonsNamedByTheirTooltips) {
  int buttons = 0;
  for (int gadget = 0; gadget < 120; ++gadget) {
    HWND button = Gadget(gadget);
    wchar_t cls[64] = {};
    if (!button || !GetClassNameW(button, cls, 64) || std::wstring(cls) != kToolButtonClass) continue;
    ++buttons;
    const Accessible read(button);
    ASSERT_NE(read.object, nullptr) << gadget;
    EXPECT_NE(GadgetToolTipText(button), L"") << gadget;
    EXPECT_EQ(read.Name(), GadgetToolTipText(button)) << gadget;
    EXPECT_EQ(read.Role(), ROLE_SYSTEM_PUSHBUTTON) << gadget;
  }
  EXPECT_GE(buttons, 20);
  // A disabled button says so, and its default action does nothing; an enabled one clicks.
  HWND details = Gadget(kHistDetails);
  const Accessible button(details);
  ASSERT_NE(button.object, nullptr);
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  VARIANT state{};
  SetToolButtonEnabled(details, false);
  ASSERT_EQ(button.object->get_accState(self, &state), S_OK);
  EXPECT_TRUE(state.lVal & STATE_SYSTEM_UNAVAILABLE);
  EXPECT_EQ(button.object->accDoDefaultAction(self), S_FALSE);
  SetToolButtonEnabled(details, true);
  ASSERT_EQ(button.object->get_accState(self, &state), S_OK);
  EXPECT_FALSE(state.lVal & STATE_SYSTEM_UNAVAILABLE);
  EXPECT_EQ(button.object->accDoDefaultAction(self), S_OK);

  HWND toolBar = Gadget(kMainToolBar);
  HWND tip = reinterpret_cast<HWND>(SendMessageW(toolBar, TB_GETTOOLTIPS, 0, 0));
  const Accessible bar(toolBar);
  ASSERT_NE(bar.object, nullptr);
  long children = 0;
  bar.object->get_accChildCount(&children);
  ASSERT_EQ(children, 11) << "separators are no buttons";
  EXPECT_EQ(bar.Role(), ROLE_SYSTEM_TOOLBAR);
  EXPECT_EQ(bar.Name(1), ToolBarTip(tip, toolBar, CmdQuitter));
  EXPECT_EQ(bar.Name(10), ToolBarTip(tip, toolBar, CmdGestionPrefs));
  EXPECT_EQ(bar.Role(10), ROLE_SYSTEM_PUSHBUTTON);
  // Its default action is the button's command.
  VARIANT prefs{};
  prefs.vt = VT_I4;
  prefs.lVal = 10;
  EXPECT_EQ(bar.object->accDoDefaultAction(prefs), S_OK);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  ASSERT_EQ(Commands().size(), 2u);
  EXPECT_EQ(Commands()[0].id, kHistDetails);
  EXPECT_EQ(Commands()[0].code, BN_CLICKED);
  EXPECT_EQ(Commands()[1].id, CmdGestionPrefs);
}

int ChannelDistance(uint32_t a, uint32_t b) {
  int sum = 0;
  for (int shift : {0, 8, 16}) sum += std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
  return sum;
}

TEST_F(MainWindowContents, ToolButtonsPaintGradientAndImageAndShowTheDisabledLook) {
  HWND button = Gadget(kExplColler);
  const test::Picture enabled = test::PrintedPicture(button);
  ASSERT_GT(enabled.width, 10 + S(16));
  const int h = enabled.height;
  // How far the image stands out from the face at the left of each row, and
  // how bright that face is.
  const auto imageContrast = [](const test::Picture& button) {
    int sum = 0;
    for (int y = S(5); y < S(21); ++y) {
      for (int x = 10; x < 10 + S(16); ++x) sum += ChannelDistance(button.At(x, y), button.At(2, y));
    }
    return sum;
  };
  const auto faceBrightness = [](const test::Picture& button) {
    int sum = 0;
    for (int y = 0; y < button.height; ++y) sum += ChannelDistance(button.At(2, y), 0);
    return sum;
  };
  EXPECT_TRUE(Near(enabled.At(2, 0), kToolButtonTop)) << std::hex << enabled.At(2, 0);
  EXPECT_TRUE(Near(enabled.At(2, h - 1), kToolButtonBottom, 8)) << std::hex << enabled.At(2, h - 1);
  int imagePixels = 0;  // pixels in the image's square that differ from the row's gradient
  for (int y = S(5); y < S(21); ++y) {
    for (int x = 10; x < 10 + S(16); ++x) imagePixels += enabled.At(x, y) != enabled.At(2, y);
  }
  EXPECT_GT(imagePixels, 20) << "the image is drawn";

  // Disabled reads as disabled, not as highlighted: a face no lighter than
  // an enabled one, the image faded into it but still there.
  SetToolButtonEnabled(button, false);
  EXPECT_FALSE(IsWindowEnabled(button));
  const test::Picture disabled = test::PrintedPicture(button);
  ASSERT_EQ(disabled.pixels.size(), enabled.pixels.size());
  EXPECT_LE(faceBrightness(disabled), faceBrightness(enabled));
  EXPECT_LT(imageContrast(disabled) * 2, imageContrast(enabled));
  EXPECT_GT(imageContrast(disabled) * 5, imageContrast(enabled));
  SetToolButtonEnabled(button, true);
  EXPECT_TRUE(IsWindowEnabled(button));
  EXPECT_EQ(test::PrintedPicture(button).pixels, enabled.pixels);
}

TEST_F(MainWindowContents, PageForwardsGadgetNotificationsUnchanged) {
  NMHDR header{Gadget(kAppsList), static_cast<UINT_PTR>(kAppsList), static_cast<UINT>(NM_DBLCLK)};
  struct Spy {
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
      if (m == WM_NOTIFY && reinterpret_cast<NMHDR*>(lp)->idFrom == kAppsList) {
        Commands().push_back({static_cast<int>(wp), static_cast<int>(reinterpret_cast<NMHDR*>(lp)->code), nullptr});
        return 77;
      }
      return StandInProc(w, m, wp, lp);
    }
  };
  const LONG_PTR old = SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Spy::Proc));
  const LRESULT result = SendMessageW(TabPage(0), WM_NOTIFY, kAppsList, reinterpret_cast<LPARAM>(&header));
  SetWindowLongPtrW(window_, GWLP_WNDPROC, old);
  EXPECT_EQ(result, 77) << "the main window's answer comes back to the gadget";
  ASSERT_EQ(Commands().size(), 1u);
  EXPECT_EQ(Commands()[0].id, kAppsList);
  EXPECT_EQ(Commands()[0].code, static_cast<int>(NM_DBLCLK));

  SendMessageW(TabPage(5), WM_COMMAND, MAKEWPARAM(kDesktopViewCombo, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(Gadget(kDesktopViewCombo)));
  ASSERT_EQ(Commands().size(), 2u);
  EXPECT_EQ(Commands()[1].id, kDesktopViewCombo);
  EXPECT_EQ(Commands()[1].code, CBN_SELCHANGE);
}

TEST_F(MainWindowContents, KeyboardReachesPageGadgetsAndSwitchesTabs) {
  ShowWindow(window_, SW_SHOW);
  SelectTab(4);
  HWND explorerList = FolderList(kExplorerList)->Hwnd();
  SetFocus(explorerList);
  ASSERT_EQ(GetFocus(), explorerList);
  // The message loop hands keys to the dialog manager: Tab goes on to the
  // path field, Shift+Tab back to the last tool button.
  MSG tab{explorerList, WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_TRUE(IsDialogMessageW(window_, &tab));
  EXPECT_EQ(GetFocus(), Gadget(kExplorerPath));
  SetFocus(explorerList);
  test::SetKeyDown(VK_SHIFT, true);
  EXPECT_TRUE(IsDialogMessageW(window_, &tab));
  test::SetKeyDown(VK_SHIFT, false);
  EXPECT_EQ(GetFocus(), Gadget(kExplAffichage));

  MSG next{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_FALSE(HandlePanelTabsKey(next)) << "Tab alone is the dialog manager's";
  test::SetKeyDown(VK_CONTROL, true);
  EXPECT_TRUE(HandlePanelTabsKey(next));
  EXPECT_EQ(CurrentTab(), 5);
  EXPECT_TRUE(IsChild(TabPage(5), GetFocus())) << "the focus follows onto the new page";
  next.hwnd = GetFocus();
  EXPECT_TRUE(HandlePanelTabsKey(next));
  EXPECT_EQ(CurrentTab(), 0) << "after the last tab comes the first";
  next.wParam = VK_PRIOR;
  EXPECT_TRUE(HandlePanelTabsKey(next));
  EXPECT_EQ(CurrentTab(), 5);
  test::SetKeyDown(VK_CONTROL, false);

  // List keys send their menu entry's command; Enter in a folder list and
  // keys of other gadgets are left alone.
  struct Key {
    HWND window;
    UINT key;
    int held;  // 0, VK_CONTROL or VK_SHIFT
    int command;
  };
  const Key keys[] = {
      {Gadget(kAppsList), VK_RETURN, 0, CmdAppliOuvrir},      {Gadget(kFilesList), VK_DELETE, 0, CmdFichierRetirer},
      {Gadget(kLinksList), VK_F2, 0, CmdLienRenommer},        {Gadget(kLinksList), 'N', VK_CONTROL, CmdAjoutLien},
      {Gadget(kAppsList), 'F', VK_CONTROL, CmdRechercher},    {explorerList, VK_DELETE, 0, CmdExplRecycler},
      {explorerList, VK_DELETE, VK_SHIFT, CmdExplSupprimer},  {FolderList(kRecentList)->Hwnd(), VK_DELETE, 0, CmdRecentSupprSelect},
      {FolderList(kDesktopList)->Hwnd(), 'F', VK_CONTROL, CmdRechercher},
      {explorerList, VK_RETURN, 0, 0},                        {Gadget(kExplorerPath), VK_DELETE, 0, 0},
      {Gadget(kAppsList), 'N', 0, 0},
  };
  for (const Key& k : keys) {
    Commands().clear();
    if (k.held) test::SetKeyDown(k.held, true);
    const MSG press{k.window, WM_KEYDOWN, k.key, 0, 0, {}};
    EXPECT_EQ(HandleListKey(press), k.command != 0) << k.key;
    if (k.held) test::SetKeyDown(k.held, false);
    ASSERT_EQ(Commands().size(), k.command ? 1u : 0u) << k.key;
    if (k.command) EXPECT_EQ(Commands()[0].id, k.command);
  }
  ShowWindow(window_, SW_HIDE);
}

TEST_F(MainWindowContents, TrayMessagesShowTheWindowAndOpenTheTrayMenuAboveTheCursor) {
  ShowWindow(window_, SW_HIDE);
  HandleTrayMessage(kTrayIcon, WM_LBUTTONDBLCLK);
  EXPECT_FALSE(IsWindowVisible(window_)) << "double clicks do nothing of their own";
  HandleTrayMessage(kTrayIcon, WM_LBUTTONUP);
  EXPECT_TRUE(IsWindowVisible(window_));

  // The shell's calls run on a worker, in the order they were made.
  const auto iconShown = [&] {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window_;
    data.uID = kTrayIcon;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
  };
  WaitForTrayCalls();
  EXPECT_TRUE(iconShown()) << "added by the last steps of the contents";
  RemoveTrayIcon();
  EXPECT_FALSE(iconShown()) << "gone once RemoveTrayIcon returns";
  AddTrayIcon(window_);
  RemoveTrayIcon();
  EXPECT_FALSE(iconShown()) << "a removal queued behind an add comes after it";
  EXPECT_TRUE(HandleTaskbarCreated(RegisterWindowMessageW(L"TaskbarCreated")));
  WaitForTrayCalls();
  EXPECT_FALSE(iconShown()) << "no icon comes back once removed";
  AddTrayIcon(window_);
  EXPECT_TRUE(HandleTaskbarCreated(RegisterWindowMessageW(L"TaskbarCreated")));
  EXPECT_FALSE(HandleTaskbarCreated(WM_APP + 5));
  WaitForTrayCalls();
  EXPECT_TRUE(iconShown());

  ASSERT_TRUE(MoveCursorTo({500, 500}));
  POINT cursor{};
  RECT menu = test::OpenedMenuRect([&] {
    GetCursorPos(&cursor);
    SendMessageW(window_, kTrayCallbackMessage, kTrayIcon, WM_RBUTTONUP);
  });
  PumpMessages();
  ASSERT_GT(menu.bottom, menu.top) << "the tray menu opened";
  EXPECT_LE(std::abs(menu.bottom - cursor.y), 2) << "bottom-aligned to the cursor";
  EXPECT_LE(std::abs(menu.left - cursor.x), 2);

  menu = test::OpenedMenuRect([&] {
    GetCursorPos(&cursor);
    ShowPopupMenu(kMenuAffichage);
  });
  PumpMessages();
  ASSERT_GT(menu.bottom, menu.top);
  EXPECT_LE(std::abs(menu.top - cursor.y), 2) << "other menus open below the cursor";
  ShowWindow(window_, SW_HIDE);
}

}  // namespace
}  // namespace kelvane
