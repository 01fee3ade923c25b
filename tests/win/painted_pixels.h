#pragma once
// What a window paints, read back as pixels, for the tests of a look.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "theme/colour_math.h"

namespace kelvane::test {

// BGRA pixels, rows top-down.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The client area painted through WM_PRINTCLIENT off screen, whatever
// covers the window on the screen; empty on failure.
Picture PrintedPicture(HWND window);

// In a rectangle of a picture: the background is the most frequent colour,
// the text the one standing out most against it (smoothed letter edges only
// blend the two). NoColour for an empty rectangle.
struct TextColours {
  Colour text = NoColour;
  Colour back = NoColour;
};
TextColours TextAndBackground(const Picture& picture, RECT rect);

// The contrast ratio of the text a window paints to its background, 2
// pixels in from its edges (borders, focus marks); 0 when nothing painted.
double PaintedTextContrast(HWND window);

// The rightmost column holding anything but the background: where a text
// ends. -1 when there is none.
int RightmostInk(const Picture& picture);

}  // namespace kelvane::test
