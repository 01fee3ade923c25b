#pragma once
// The small image buttons of the tabs: a canvas painted with a dark vertical
// gradient and a 16 x 16 image, a hand cursor, a tooltip, and a click that
// reaches the parent as WM_COMMAND (id, BN_CLICKED) like a push button's.
// Focusable with Tab (WS_TABSTOP); Space or Enter clicks.
#include <windows.h>

#include <string>

namespace kelvane {

inline constexpr COLORREF kToolButtonTop = RGB(6, 8, 15);
inline constexpr COLORREF kToolButtonDisabledTop = RGB(117, 136, 157);
inline constexpr COLORREF kToolButtonBottom = RGB(120, 123, 131);
inline constexpr wchar_t kToolButtonClass[] = L"KelvaneToolButton";

// Position and size in pixels. The image is not owned and must outlive the
// button. Null on failure.
HWND CreateToolButton(HWND parent, int id, int x, int y, int width, int height, HICON image,
                      const std::wstring& tooltip);

// Enables or disables the button and gives it the matching top colour.
void SetToolButtonEnabled(HWND button, bool enabled);

// Paints a button face over `area`: gradient from kToolButtonBottom at the
// bottom edge to `top` at the top edge, then the image at x 10 (pixels, as
// the button always had it) and y 5 scaled, stretched to 16 x 16 scaled.
void DrawToolButton(HDC dc, const RECT& area, HICON image, COLORREF top, UINT dpi);

// Gives any gadget a tooltip. All gadgets of one top-level window share one
// tooltip control, owned by that window.
void SetGadgetToolTip(HWND gadget, const std::wstring& text);
// The tooltip text of a gadget; empty when it has none.
std::wstring GadgetToolTipText(HWND gadget);

// Gives a part of a window (`area`, client coordinates; `id` tells it from
// the window's other parts) a tooltip of the same shared control; an empty
// text takes it away. Called again, it moves the area and changes the text.
void SetAreaToolTip(HWND window, UINT_PTR id, const RECT& area, const std::wstring& text);
std::wstring AreaToolTipText(HWND window, UINT_PTR id);

}  // namespace kelvane
