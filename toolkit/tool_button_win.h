#pragma once
// The small image buttons of the tabs: a canvas painted with a dark vertical
// gradient and a 16 x 16 image, a hand cursor, a tooltip, and a click that
// reaches the parent as WM_COMMAND (id, BN_CLICKED) like a push button's.
// Focusable with Tab (WS_TABSTOP); Space or Enter clicks.
#include <windows.h>

#include <string>

namespace kelvane {

inline constexpr COLORREF kToolButtonTop = RGB(6, 8, 15);
inline constexpr COLORREF kToolButtonBottom = RGB(120, 123, 131);
// A disabled button's face fades to this instead: darker, never lighter,
// than an enabled one, so that it does not read as highlighted.
inline constexpr COLORREF kToolButtonDisabledBottom = RGB(58, 60, 66);
// The strength (of 255) of a disabled button's image over its face.
inline constexpr BYTE kToolButtonDisabledImageAlpha = 96;
inline constexpr wchar_t kToolButtonClass[] = L"KelvaneToolButton";

// Position and size in pixels. The image is not owned and must outlive the
// button. Null on failure.
HWND CreateToolButton(HWND parent, int id, int x, int y, int width, int height, HICON image,
                      const std::wstring& tooltip);

// Enables or disables the button and repaints it in the matching look.
void SetToolButtonEnabled(HWND button, bool enabled);

// Paints a button face over `area`: gradient from kToolButtonTop at the top
// edge to kToolButtonBottom (disabled: kToolButtonDisabledBottom) at the
// bottom edge, then the image at x 10 (pixels, as the button always had it)
// and y 5 scaled, stretched to 16 x 16 scaled; a disabled button's image is
// laid over the face at kToolButtonDisabledImageAlpha.
void DrawToolButton(HDC dc, const RECT& area, HICON image, bool enabled, UINT dpi);

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
