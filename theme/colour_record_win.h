#pragma once
// What the colour layer keeps of one coloured gadget.
#include <windows.h>

#include <cstdint>

#include "theme/colour_math.h"
#include "theme/control_look.h"

namespace kelvane {

// Colour kinds of SetgadgetColorEx and GetgadgetColorEx; -1 removes all colouring.
inline constexpr int FrontColor = 1;
inline constexpr int BackColor = 2;
inline constexpr int RemoveColours = -1;

struct ColourRecord {
  std::int64_t gadget = -1;
  HWND handle = nullptr;  // the window painted (for an explorer list, its list view)
  Colour front = NoColour;
  Colour back = NoColour;
  COLORREF softBorder = 0;  // SoftBorderColour(front, back)
  COLORREF hotBorder = 0;   // HotBorderColour(front, back)
  int borderFlags = 0;
  int enabled = 0;  // the window's enabled state when last painted
  int window = -1;  // number of the top-level window holding the gadget, -1 when it has none
  GadgetKind kind = GadgetKind::Unknown;
  HWND root = nullptr;  // that top-level window
};

}  // namespace kelvane
