#pragma once
// A line of help in the body of a list view while it has no rows, in the
// list's own font and text colour, near the top and centred (wrapped when
// the list is narrow). Drawn over the list's own painting by a subclass that
// goes with the window, so that the list's parent has no part in it (as it
// would with the empty-markup notification).
#include <windows.h>

#include <string>

namespace kelvane {

// Gives the list its hint, or a new text for it. Install before the colour
// layer subclasses the list, so that the layer recolours the hint with the
// rest of the list's picture.
void ShowHintWhileEmpty(HWND list, const std::wstring& text);

}  // namespace kelvane
