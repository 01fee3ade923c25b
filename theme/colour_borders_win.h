#pragma once
// The borders the colour layer draws around coloured gadgets (soft, in the
// text colour, hot under the mouse), and the paint of the gadgets that are
// mostly border: frames with their caption, and containers.
#include <windows.h>

#include "theme/colour_record_win.h"

namespace kelvane {

// Where DrawColourBorder draws when it is not handed a device context.
enum class BorderTarget {
  OwnPaint,  // the gadget's own paint cycle, over its client area widened by twice the width
  Window,    // the gadget's window DC, over its whole outer rectangle
  Parent,    // the parent's DC, over the gadget's outer rectangle
};
void DrawColourBorder(const ColourRecord& record, bool hot, BorderTarget target);
// Over the gadget's client rectangle on a DC of the caller (a frame's top
// edge moved down through its caption).
void DrawColourBorder(const ColourRecord& record, bool hot, HDC dc);

// The WM_PAINT of a coloured frame and of a coloured container.
void PaintFrame(HWND window, const ColourRecord& record);
void PaintContainer(HWND window, const ColourRecord& record);

// A solid brush of a colour, kept for the life of the process (one per
// colour): what WM_CTLCOLOR* answers hand out.
HBRUSH SharedColourBrush(COLORREF colour);

}  // namespace kelvane
