#pragma once
// Colour decisions of the dark look and of the gadget colour layer, apart
// from any window: luma, the automatic text colour, blends, the surface and
// header shades, and the recolouring of the pixels a control painted for
// itself. The Win32 side only gathers the inputs and hands over the bits.
#include <cstddef>
#include <cstdint>

namespace kelvane {

// A Windows colour value 0x00BBGGRR (red in the low byte); NoColour (-1)
// means none. Functions below that do not say otherwise take a real colour
// and read only its three low bytes.
using Colour = std::int64_t;
inline constexpr Colour NoColour = -1;

constexpr Colour MakeColour(int red, int green, int blue) {
  return static_cast<Colour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

// A 32-bit DIB stores blue, green, red, unused in memory: read as a 32-bit
// little-endian value that is 0xXXRRGGBB, the colour value's bytes swapped.
constexpr std::uint32_t PixelOf(Colour c) {
  return static_cast<std::uint32_t>((RedOf(c) << 16) | (GreenOf(c) << 8) | BlueOf(c));
}
constexpr Colour ColourOfPixel(std::uint32_t pixel) {
  return MakeColour(static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
                    static_cast<int>(pixel & 0xFF));
}

// The dark palette; the surface shade is derived (DarkSurface below).
inline constexpr Colour DarkBase = MakeColour(32, 32, 32);
inline constexpr Colour DarkText = MakeColour(224, 224, 224);

// 1000 x (0.299 R + 0.587 G + 0.114 B), exact: the comparisons with 128 are
// made on this, so that a luma of exactly 128 is never lost to binary
// fractions.
int LumaThousandths(Colour c);
// The luma rounded to the nearest integer (halves up).
int Luma(Colour c);

// Text colour chosen for a background when none was given: white on a
// middle dark background (rounded luma 81..127), black on a light one (129
// and above), RGB(220,220,220) on a very dark one (80 and below) and at
// exactly 128. NoColour for NoColour.
Colour CompanionTextColour(Colour back);

// A base shade moved 20 per channel away from it, towards the middle (down
// when its unrounded luma is above 128, else up); channels held in 0..255.
Colour DeriveSurface(Colour base);
// The background of lists, buttons and fields: DeriveSurface(DarkBase),
// RGB(52,52,52).
Colour DarkSurface();

// The background of a list's header (and of a list without one): 15 per
// channel darker when the rounded luma is above 128, else 15 lighter;
// channels held in 0..255.
Colour ShiftHeaderBackground(Colour back);

// True when a control on this background wants the dark visual style of the
// system (unrounded luma at most 128): scroll bars then match it.
bool WantsDarkVisualStyle(Colour back);

// Each channel round(a * ratio + b * (1 - ratio)); the ratio is held in 0..1.
Colour BlendColour(Colour a, Colour b, double ratio);

// Relative luminance of an sRGB colour as accessibility guidelines define
// it: 0 for black, 1 for white.
double RelativeLuminance(Colour c);
// (lighter + 0.05) / (darker + 0.05) of the two luminances: 1 for equal
// colours, 21 for black and white. Text reads well from 4.5 on.
double ContrastRatio(Colour a, Colour b);
inline constexpr double kReadableContrast = 4.5;

// The colour to write in on `back`: `wanted` when it reads there
// (kReadableContrast), else the companion colour when that reads, else black
// or white, whichever stands out more.
Colour ReadableTextColour(Colour wanted, Colour back);
// The text of a disabled field: `text` blended towards `back` (40 % at most)
// only as far as it still reads; `text` itself when it already reads poorly.
Colour DimmedTextColour(Colour text, Colour back);

// Contrast f = |1 - |(sum(back) - sum(front)) / sum(face)||, where sum is
// R+G+B and face the system's face colour; held in 0..1 (a dark face colour
// would give more than 1 and push recoloured pixels out of range), and a
// black face counts as a sum of 1.
double ContrastFactor(Colour back, Colour front, Colour face);

// A 32-bit pixel image seen row by row from the top: rowStep is the distance
// in pixels from one row to the row below it (negative for a bottom-up DIB,
// with topRow pointing at the last row in memory).
struct PixelImage {
  std::uint32_t* topRow = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t rowStep = 0;
};

// Pixels left..right-1 of rows top..bottom-1; clipped to the image.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Control: the whole picture of a painted control. TabStrip: the bands of a
// tab panel, where everything but the face colour leans a little further
// towards the text colour.
enum class RecolourMode { Control = 1, TabStrip = 2 };

struct RecolourColours {
  Colour back;   // what the face colour becomes
  Colour front;  // what black becomes
  Colour face;   // the system face colour the control painted with
};

// Recolours the pixels of the rectangle in place by their brightness against
// the face colour: face-bright pixels become back, black ones front, those in
// between a blend. The unused fourth byte of each pixel is kept.
void RecolourPixels(const PixelImage& image, PixelRect rect, const RecolourColours& colours,
                    RecolourMode mode);

// The same result, pixel by pixel straight from the formula: the yardstick
// of the fast version in tests and benchmarks.
void RecolourPixelsReference(const PixelImage& image, PixelRect rect,
                             const RecolourColours& colours, RecolourMode mode);

}  // namespace kelvane
