#pragma once
// The dark look of the program's windows: the gadget palette (always on),
// and, when Windows is set to dark mode for applications, a dark title bar
// and window background. The painting itself is the colour layer's
// (theme/colour_layer_win.h).
#include <windows.h>

#include "theme/colour_math.h"

namespace kelvane {

inline constexpr wchar_t kPersonalizeKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
inline constexpr wchar_t kAppsUseLightTheme[] = L"AppsUseLightTheme";

// Fixed colours outside the palette.
inline constexpr Colour kDesktopListBack = MakeColour(0, 0, 0);
inline constexpr Colour kDesktopListText = MakeColour(130, 142, 159);
inline constexpr Colour kClipboardHeadingText = MakeColour(87, 146, 211);

// 1 when Windows is set to dark mode for applications: "AppsUseLightTheme"
// is 0 (or any value but 1); 0 when it is 1, or the key or value is missing.
int SystemUsesDarkApps();

// With Windows 10 or later in dark mode: a dark title bar (DWM attribute 20,
// dwmapi loaded at run time) and the window background DarkBase; a visible
// window is hidden and shown again so that its frame is redrawn. Always 0.
int ApplyDarkTitleBar(HWND window);

// At start-up, before the main window is first shown: the main window's
// colour layer, the dark title bar and the palette on the main window's
// gadgets that exist. False when the palette stands down (high contrast);
// when true the caller paints what the layer does not (the tab pages) in
// DarkBase.
bool ApplyMainWindowDarkLook(HWND main);
// The palette on the main window's gadgets (those not coloured yet): again
// once the gadgets of the pages built after the first screen exist.
void ColourMainWindowGadgets();

// The dark status-bar style of the secondary windows.
void ApplyDarkStatusBarStyle(HWND statusBar);
// The start of a secondary window's dark look: its title bar and status
// bar. False in high-contrast mode, where the window keeps the system's
// colours and the caller colours nothing.
bool BeginSecondaryDarkLook(HWND window, HWND statusBar);

// In high-contrast mode the program keeps the system's colours: the palette
// and the dark title bar stand down.
bool HighContrastOn();

// The operating-system test of the dark title bar: Windows 10, 11 and any
// later version pass, Windows 8 and 8.1 do not.
bool RunsOnWindows10OrLater();
// Tests: act as if on this Windows major version (0: the real one).
void SetWindowsMajorVersionForTests(int major);

}  // namespace kelvane
