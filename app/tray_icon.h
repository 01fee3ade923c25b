#pragma once
// TrayIcon (111) in the notification area: image 10, the program's name as
// tooltip, MenuSystray on a right click.
#include <windows.h>

namespace kelvane {

// The message the icon sends to the main window (wParam 111, lParam the mouse message).
inline constexpr UINT kTrayCallbackMessage = WM_APP + 111;

// Shell_NotifyIconW can take over 100 ms (under Wine), so the calls go to a
// worker thread, in the order they are made. The icon's messages still come
// to `main`.
void AddTrayIcon(HWND main);
// Returns once the icon is gone: the window may be destroyed next.
void RemoveTrayIcon();
// Returns once every tray call made so far has been done.
void WaitForTrayCalls();
// True when the message is the shell's "TaskbarCreated": the icon is added again.
bool HandleTaskbarCreated(UINT message);
// kTrayCallbackMessage: left button up shows the main window, right button
// up opens MenuSystray at the cursor.
void HandleTrayMessage(WPARAM wParam, LPARAM lParam);

}  // namespace kelvane
