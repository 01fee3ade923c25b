#pragma once
// A disabled one-line edit control writes its text in the system's grey,
// whatever colours its parent answers: on a dark field that grey hardly
// reads. Fields with colours of their own are painted here instead, their
// text dimmed but readable.
#include <windows.h>

namespace kelvane {

// Paints the client area of a single-line edit control on `dc`: `back`
// everywhere, the text (its font, where the control places it) in `text`.
void PaintDisabledField(HWND field, HDC dc, COLORREF back, COLORREF text);

}  // namespace kelvane
