#pragma once
// Window classes of the program's own windows and gadgets, and the making
// of its secondary windows.
#include <windows.h>

#include <string>

namespace kelvane {

// Registers a class of this module once (true when it exists already), with
// the arrow cursor, the given background brush (or none: the window paints
// it) and class icon.
bool RegisterWindowClassOnce(const wchar_t* name, WNDPROC procedure, HBRUSH background = nullptr,
                             HICON icon = nullptr);

// A message-only window of a class registered here: a thread's results
// posted to it are handled on the thread that made it.
HWND CreateMessageWindow(const wchar_t* className, WNDPROC procedure);

// A top-level window of `innerWidth` x `innerHeight` pixels inside its
// frame, centred on the primary screen and owned by `owner`; the dialog
// manager walks into its gadgets (WS_EX_CONTROLPARENT). Not shown yet;
// `param` reaches WM_NCCREATE.
HWND CreateCentredWindow(const wchar_t* className, const wchar_t* title, DWORD style, int innerWidth,
                         int innerHeight, HWND owner, void* param = nullptr);

// Brings an open window back (restored, in front); false when it is not open.
bool BringForwardIfOpen(HWND window);

// The text of a window (a gadget's contents, a window's title), whole.
std::wstring WindowText(HWND window);

// The status bar of a secondary window: `icon` alone in a first part
// `iconWidth` pixels wide, then `text` (SB_SETTEXT drawing flags in
// `textStyle`) in the rest, in `font`.
HWND CreateStatusBar(HWND window, int id, HFONT font, HICON icon, int iconWidth, const std::wstring& text,
                     UINT textStyle);

// For a window that draws itself whole: answers WM_ERASEBKGND (nothing to
// erase), WM_PAINT and WM_PRINTCLIENT by having `paint` draw the client area
// on an off-screen picture, copied in one step so that nothing flickers
// (straight on the screen when there is no memory for the picture). False
// for any other message.
using SelfPaint = void (*)(HWND window, HDC dc, const RECT& area);
bool AnswerSelfPainting(HWND window, UINT message, WPARAM wParam, SelfPaint paint, LRESULT* result);

}  // namespace kelvane
