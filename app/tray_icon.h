#pragma once
// TrayIcon (111) in the notification area: image 10, the program's name as
// tooltip, MenuSystray on a right click.
#include <windows.h>

namespace kelvane {

// The message the icon sends to the main window (wParam 111, lParam the mouse message).
inline constexpr UINT kTrayCallbackMessage = WM_APP + 111;

void AddTrayIcon(HWND main);
void RemoveTrayIcon();
// True when the message is the shell's "TaskbarCreated": the icon is added again.
bool HandleTaskbarCreated(UINT message);
// kTrayCallbackMessage: left button up shows the main window, right button
// up opens MenuSystray at the cursor.
void HandleTrayMessage(WPARAM wParam, LPARAM lParam);

}  // namespace kelvane
