#pragma once
#include "toolkit/handle_win.h"

namespace kelvane {

// A font of the given face, size in points (converted with the screen's
// vertical DPI) and weight, drawn in proof quality.
UniqueFont CreatePointFont(const wchar_t* face, int points, int weight, UINT dpi);

// The system's message font (what dialogs use), sized for a screen of the
// given DPI.
UniqueFont CreateMessageFont(UINT dpi);

}  // namespace kelvane
