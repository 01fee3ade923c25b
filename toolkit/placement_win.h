#pragma once
// Size, position and pinning of a top-level window on the work area.
#include <windows.h>

namespace kelvane {

// Keeps the window above all others, or releases it.
void SetPinned(HWND window, bool on);

// Sets the window's inner (client) size in window units (pixels at 96 DPI),
// position unchanged.
void SetInnerSize(HWND window, int width, int height);

// Moves the window's outer left-top corner. A place from which no part of
// the title bar would be on any monitor (a screen since removed) is refused:
// the window then stays where it is, reachable. Returns whether it moved.
bool MoveOnScreen(HWND window, int x, int y);

// Moves the window, and shortens it if it is taller, so that it lies whole
// on the work area of its monitor (the task bar stays visible).
void KeepWholeOnWorkArea(HWND window);

// The rectangle a maximised window takes: the work area of its monitor,
// at most `maxWidth` wide, in the coordinates of WM_GETMINMAXINFO.
void MaximisedOnWorkArea(HWND window, int maxWidth, POINT* position, POINT* size);

// Inner size (window units) and outer position (screen pixels) of the
// window as the user left it: for a minimised or maximised window, the size
// and place it returns to when restored.
SIZE InnerSize(HWND window);
POINT OuterPosition(HWND window);

}  // namespace kelvane
