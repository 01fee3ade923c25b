#pragma once
#include <windows.h>

namespace kelvane {

inline constexpr wchar_t kMainWindowClass[] = L"KelvaneMainWindow";
inline constexpr int kMinInnerWidth = 400;
inline constexpr int kMinInnerHeight = 300;
inline constexpr int kMaxInnerWidth = 500;

// Opens MainWindow, invisible, with inner size 400 x 300 in the bottom-right
// corner of the primary desktop. Null on failure, or when its class is
// registered already.
HWND OpenMainWindow(HINSTANCE instance, const wchar_t* title);
// The same in two steps: the class, with the program's icons, then the window.
bool RegisterMainWindowClass(HINSTANCE instance);
HWND CreateMainWindow(HINSTANCE instance, const wchar_t* title);

// Fades the window out over 500 ms and hides it; the program goes on in the tray.
void HideMainWindow();
// Shows the window again and restores it from minimised.
void ShowMainWindow();

}  // namespace kelvane
