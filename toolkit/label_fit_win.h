#pragma once
// A one-line label that always shows its whole text: a static control wraps
// a text too long for it at a word and loses what falls below its height.
#include <windows.h>

#include "toolkit/handle_win.h"

namespace kelvane {

// Sizes `label` to show its text in `font` on one line: `width` pixels
// when that is enough, wider up to `maxWidth` when not, and when even
// that is too narrow, in the largest smaller size of the font that fits,
// kept in `smaller` (released once the label no longer needs it).
void FitLabel(HWND label, HFONT font, int width, int maxWidth, UniqueFont& smaller);

}  // namespace kelvane
