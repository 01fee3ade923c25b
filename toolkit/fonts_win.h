#pragma once
#include <string>

#include "toolkit/handle_win.h"

namespace kelvane {

// A font of the given face, size in points (converted with the screen's
// vertical DPI) and weight, drawn in proof quality.
UniqueFont CreatePointFont(const wchar_t* face, int points, int weight, UINT dpi);

// The system's message font (what dialogs use), sized for a screen of the
// given DPI.
UniqueFont CreateMessageFont(UINT dpi);

// The size of a one-line text drawn in `font` (the window's own font,
// WM_GETFONT, when null), measured on the window's screen.
SIZE TextExtent(HWND window, const std::wstring& text, HFONT font = nullptr);

}  // namespace kelvane
