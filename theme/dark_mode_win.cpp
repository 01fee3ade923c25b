#include "theme/dark_mode_win.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <cstdint>

#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "theme/colour_layer_win.h"
#include "toolkit/handle_win.h"

namespace kelvane {
namespace {

constexpr DWORD kImmersiveDarkMode = 20;  // DWMWA_USE_IMMERSIVE_DARK_MODE

int g_testMajorVersion = 0;
int g_mainWindowDark = -1;  // read once per start: -1 until the main window's look is applied

DWORD RealMajorVersion() {
  // GetVersionEx answers what the manifest declares; RtlGetVersion the truth.
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  static const DWORD major = [] {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    const auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) return DWORD{10};  // not recognised: passes
    return info.dwMajorVersion;
  }();
  return major;
}

// The dark title bar and background; true when applied.
bool DarkenTitleBar(HWND window) {
  if (!window || !IsWindow(window) || !RunsOnWindows10OrLater()) return false;
  // The setting first: in light mode dwmapi is not even loaded.
  if (!SystemUsesDarkApps()) return false;
  UniqueModule dwmapi(LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  if (!dwmapi) return false;
  using SetAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
  const auto setAttribute = reinterpret_cast<SetAttributeFn>(
      reinterpret_cast<void*>(GetProcAddress(dwmapi.get(), "DwmSetWindowAttribute")));
  if (!setAttribute) return false;
  const BOOL on = TRUE;
  setAttribute(window, kImmersiveDarkMode, &on, sizeof on);  // the result tells nothing useful
  SetWindowColour(window, DarkBase);
  if (IsWindowVisible(window)) {
    ShowWindow(window, SW_HIDE);
    ShowWindow(window, SW_SHOW);
  }
  return true;
}

BOOL CALLBACK DarkenToolTip(HWND window, LPARAM) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0) SetWindowTheme(window, L"DarkMode_Explorer", nullptr);
  return TRUE;
}

// Tooltips are top-level windows of the thread; the tool bar makes its own
// on demand, so it is asked for it first.
void DarkenToolTips() {
  if (HWND toolBar = Gadget(kMainToolBar)) SendMessageW(toolBar, TB_GETTOOLTIPS, 0, 0);
  EnumThreadWindows(GetCurrentThreadId(), DarkenToolTip, 0);
}

// A transparent tool bar shows the window's dark background.
void LetToolBarShowBackground() {
  HWND toolBar = Gadget(kMainToolBar);
  if (!toolBar) return;
  const LONG_PTR style = GetWindowLongPtrW(toolBar, GWL_STYLE);
  if (style & TBSTYLE_TRANSPARENT) return;
  SetWindowLongPtrW(toolBar, GWL_STYLE, style | TBSTYLE_TRANSPARENT);
  InvalidateRect(toolBar, nullptr, TRUE);
}

// Skips a gadget already in these colours: the table runs twice at start-up.
void ColourGadget(int gadget, Colour back, Colour front) {
  if (!Gadget(gadget)) return;
  if (const ColourRecord* record = FindColourRecord(gadget);
      record && record->back == back && (front == NoColour || record->front == front)) {
    return;
  }
  SetgadgetColorEx(gadget, BackColor, back, 0);
  if (front != NoColour) SetgadgetColorEx(gadget, FrontColor, front, 0);
}

// The desktop list's own colours go back to the system's, which the layer
// turns into black and grey-blue.
void ColourDesktopList() {
  HWND list = Gadget(kDesktopList);
  if (!list || FindColourRecord(kDesktopList)) return;
  // The gadget is the explorer list's frame; the colours are its list view's.
  if (HWND inner = FindWindowExW(list, nullptr, WC_LISTVIEWW, nullptr)) list = inner;
  SendMessageW(list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_WINDOW)));
  SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_WINDOW)));
  SendMessageW(list, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_WINDOWTEXT)));
  ColourGadget(kDesktopList, kDesktopListBack, kDesktopListText);
}

}  // namespace

int SystemUsesDarkApps() {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kPersonalizeKey, 0, KEY_READ, &opened) != ERROR_SUCCESS) return 0;
  UniqueRegKey key(opened);
  // A DWORD fills the low half of a buffer that holds 1 beforehand.
  std::int64_t value = 1;
  DWORD size = sizeof value;
  if (RegQueryValueExW(key.get(), kAppsUseLightTheme, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
      ERROR_SUCCESS) {
    return 0;
  }
  return value != 1 ? 1 : 0;  // |value - 1| != 0
}

int ApplyDarkTitleBar(HWND window) {
  DarkenTitleBar(window);
  return 0;
}

bool ApplyMainWindowDarkLook(HWND main) {
  if (!main) return false;
  AttachColourLayer(main, kMainWindow);
  if (HighContrastOn()) return false;
  g_mainWindowDark = DarkenTitleBar(main) ? 1 : 0;
  if (g_mainWindowDark) LetToolBarShowBackground();
  ColourMainWindowGadgets();
  return true;
}

void ColourMainWindowGadgets() {
  if (HighContrastOn()) return;
  const Colour surface = DarkSurface();
  struct Entry {
    int gadget;
    Colour back;
    Colour front;  // NoColour: the layer's automatic text colour
  };
  const Entry table[] = {
      {kExplorerList, surface, NoColour},      {kExplorerPath, surface, DarkText},
      {kRecentList, surface, NoColour},        {kAppsList, surface, NoColour},
      {kFilesList, surface, NoColour},         {kLinksList, surface, NoColour},
      {kPanelTabs, DarkBase, DarkText},        {kPurgeDate, DarkBase, DarkText},
      {kDesktopTitle, DarkBase, DarkText},     {kDesktopHomeButton, DarkBase, NoColour},
      {kDesktopViewCombo, DarkBase, NoColour}, {kDesktopSourceCombo, DarkBase, NoColour},
  };
  for (const Entry& entry : table) ColourGadget(entry.gadget, entry.back, entry.front);
  ColourDesktopList();
  if (g_mainWindowDark == 1) DarkenToolTips();
}

void ApplyDarkStatusBarStyle(HWND statusBar) {
  if (statusBar) SetWindowTheme(statusBar, nullptr, L"DarkMode::ExplorerStatusBar");
}

bool BeginSecondaryDarkLook(HWND window, HWND statusBar) {
  if (HighContrastOn()) return false;
  ApplyDarkTitleBar(window);
  ApplyDarkStatusBarStyle(statusBar);
  return true;
}

bool HighContrastOn() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

bool RunsOnWindows10OrLater() {
  const DWORD major = g_testMajorVersion > 0 ? static_cast<DWORD>(g_testMajorVersion) : RealMajorVersion();
  return major >= 10;
}

void SetWindowsMajorVersionForTests(int major) { g_testMajorVersion = major; }

}  // namespace kelvane
