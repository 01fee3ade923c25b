#include "theme/colour_math.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace kelvane {
namespace {

constexpr Colour kFace = MakeColour(240, 240, 240);
constexpr Colour kWhite = MakeColour(255, 255, 255);
constexpr Colour kBlack = MakeColour(0, 0, 0);
constexpr Colour kGrey220 = MakeColour(220, 220, 220);

TEST(ColourMath, CompanionTextFollowsRoundedLuma) {
  EXPECT_EQ(CompanionTextColour(DarkBase), kGrey220);
  EXPECT_EQ(CompanionTextColour(MakeColour(52, 52, 52)), kGrey220);
  EXPECT_EQ(CompanionTextColour(MakeColour(100, 100, 100)), kWhite);
  EXPECT_EQ(CompanionTextColour(MakeColour(200, 200, 200)), kBlack);
  EXPECT_EQ(CompanionTextColour(MakeColour(128, 128, 128)), kGrey220);  // luma exactly 128
  // Luma 80.499, 80.5, 127.5, 128.499, 128.5: halves go up, and no binary
  // fraction moves a value across a border.
  EXPECT_EQ(CompanionTextColour(MakeColour(0, 135, 11)), kGrey220);
  EXPECT_EQ(CompanionTextColour(MakeColour(2, 120, 83)), kWhite);
  EXPECT_EQ(CompanionTextColour(MakeColour(0, 204, 68)), kGrey220);
  EXPECT_EQ(CompanionTextColour(MakeColour(0, 189, 154)), kGrey220);
  EXPECT_EQ(CompanionTextColour(MakeColour(1, 205, 69)), kBlack);
  // Red is the low byte: pure red has luma 76, pure blue 29.
  EXPECT_EQ(Luma(0x0000FF), 76);
  EXPECT_EQ(Luma(0xFF0000), 29);
  EXPECT_EQ(CompanionTextColour(NoColour), NoColour);
}

TEST(ColourMath, SurfaceHeaderAndVisualStyleShades) {
  EXPECT_EQ(DarkSurface(), MakeColour(52, 52, 52));
  EXPECT_EQ(DeriveSurface(MakeColour(200, 200, 200)), MakeColour(180, 180, 180));
  // Surface and visual style compare the unrounded luma: exactly 128 is dark,
  // 128.4 light.
  EXPECT_EQ(DeriveSurface(MakeColour(1, 189, 147)), MakeColour(21, 209, 167));
  EXPECT_TRUE(WantsDarkVisualStyle(MakeColour(1, 189, 147)));
  EXPECT_FALSE(WantsDarkVisualStyle(MakeColour(0, 210, 45)));
  // Channels stay within 0..255 instead of spilling into the next byte.
  EXPECT_EQ(DeriveSurface(MakeColour(0, 210, 45)), MakeColour(0, 190, 25));
  EXPECT_EQ(DeriveSurface(MakeColour(0, 0, 250)), MakeColour(20, 20, 255));

  // The header compares the rounded luma: 128.4 is still lighter, 128.5 darker.
  EXPECT_EQ(ShiftHeaderBackground(MakeColour(52, 52, 52)), MakeColour(67, 67, 67));
  EXPECT_EQ(ShiftHeaderBackground(MakeColour(200, 200, 200)), MakeColour(185, 185, 185));
  EXPECT_EQ(ShiftHeaderBackground(MakeColour(0, 210, 45)), MakeColour(15, 225, 60));
  EXPECT_EQ(ShiftHeaderBackground(MakeColour(1, 205, 69)), MakeColour(0, 190, 54));
  EXPECT_EQ(ShiftHeaderBackground(MakeColour(250, 10, 10)), MakeColour(255, 25, 25));
}

TEST(ColourMath, BlendAndContrast) {
  EXPECT_EQ(BlendColour(kGrey220, MakeColour(52, 52, 52), 0.25), MakeColour(94, 94, 94));
  EXPECT_EQ(BlendColour(MakeColour(255, 0, 10), MakeColour(0, 100, 20), 0.6),
            MakeColour(153, 40, 14));
  EXPECT_EQ(BlendColour(MakeColour(1, 1, 1), kBlack, 0.5), MakeColour(1, 1, 1));  // half up
  EXPECT_EQ(BlendColour(MakeColour(10, 20, 30), kWhite, 1.7), MakeColour(10, 20, 30));
  EXPECT_EQ(BlendColour(MakeColour(10, 20, 30), kWhite, -0.5), kWhite);

  EXPECT_NEAR(ContrastFactor(MakeColour(52, 52, 52), kGrey220, kFace), 0.3, 1e-12);
  EXPECT_EQ(ContrastFactor(kGrey220, kGrey220, kFace), 1.0);
  // A dark or black face would give f far above 1 or divide by zero.
  EXPECT_EQ(ContrastFactor(kWhite, kBlack, MakeColour(10, 10, 10)), 1.0);
  EXPECT_EQ(ContrastFactor(kWhite, kBlack, kBlack), 1.0);

  // Readability as accessibility guidelines measure it.
  EXPECT_DOUBLE_EQ(ContrastRatio(kWhite, kBlack), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(kGrey220, kGrey220), 1.0);
  EXPECT_NEAR(RelativeLuminance(MakeColour(52, 52, 52)), 0.03434, 1e-5);
  EXPECT_NEAR(RelativeLuminance(MakeColour(255, 0, 0)), 0.2126, 1e-12);  // red is the low byte
  // Black on the dark surface does not read: the companion grey does.
  EXPECT_EQ(ReadableTextColour(kBlack, DarkSurface()), kGrey220);
  EXPECT_EQ(ReadableTextColour(kBlack, kFace), kBlack);
  // Neither the text nor its companion reads on a middle grey: black does better than white.
  EXPECT_EQ(ReadableTextColour(kGrey220, MakeColour(128, 128, 128)), kBlack);
  // Disabled text: dimmed as far as it still reads; a text that reads poorly stays as it is.
  EXPECT_EQ(DimmedTextColour(kGrey220, DarkSurface()), MakeColour(156, 156, 156));
  EXPECT_EQ(DimmedTextColour(MakeColour(109, 109, 109), DarkSurface()), MakeColour(109, 109, 109));
}

std::vector<std::uint32_t> RecolourOne(std::vector<std::uint32_t> pixels, Colour back,
                                       Colour front, RecolourMode mode, Colour face = kFace) {
  const PixelImage image{pixels.data(), static_cast<int>(pixels.size()), 1,
                         static_cast<std::ptrdiff_t>(pixels.size())};
  RecolourPixels(image, {0, 0, image.width, 1}, {back, front, face}, mode);
  return pixels;
}

std::uint32_t Grey(int v) { return PixelOf(MakeColour(v, v, v)); }

TEST(ColourMath, RecoloursKnownPixels) {
  const Colour back = DarkSurface();
  const std::vector<std::uint32_t> in = {PixelOf(kFace), PixelOf(kWhite), 0, Grey(120), Grey(36),
                                         Grey(192), Grey(84)};
  // Face and brighter -> background; black -> text; between, blends. Grey 84
  // shows the rounding of each step: 72.8 -> 73, then 168.55 -> 169 (168 if
  // only the end were rounded).
  EXPECT_EQ(RecolourOne(in, back, kGrey220, RecolourMode::Control),
            (std::vector<std::uint32_t>{Grey(52), Grey(52), Grey(220), Grey(153), Grey(201),
                                        Grey(102), Grey(169)}));
  EXPECT_EQ(RecolourOne(in, back, kGrey220, RecolourMode::TabStrip),
            (std::vector<std::uint32_t>{Grey(52), Grey(52), Grey(220), Grey(157), Grey(202),
                                        Grey(113), Grey(171)}));

  // Channel order: colours are 0x00BBGGRR, pixels 0xXXRRGGBB; the fourth
  // byte is kept.
  const Colour red = MakeColour(200, 0, 0);
  const Colour blue = MakeColour(0, 0, 255);
  EXPECT_EQ(RecolourOne({0xAB000000u | PixelOf(kFace), 0x7F000000u}, red, blue,
                        RecolourMode::Control),
            (std::vector<std::uint32_t>{0xABC80000u, 0x7F0000FFu}));
}

TEST(ColourMath, DarkOrBlackFaceStaysInRange) {
  // A black face: black remains the text colour, anything brighter becomes
  // the background.
  const Colour back = MakeColour(10, 20, 30);
  EXPECT_EQ(RecolourOne({0, Grey(1), 0x00FF0000u}, back, kWhite, RecolourMode::Control, kBlack),
            (std::vector<std::uint32_t>{PixelOf(kWhite), PixelOf(back), PixelOf(back)}));
  // A dark face makes f about 3: unheld, the blends would leave the span of
  // the three colours and spill into the neighbouring bytes.
  const int levels[] = {100, 113, 127, 140};
  std::vector<std::uint32_t> in;
  for (int r : levels)
    for (int g : levels)
      for (int b : levels) in.push_back(PixelOf(MakeColour(r, g, b)));
  for (RecolourMode mode : {RecolourMode::Control, RecolourMode::TabStrip}) {
    const auto out = RecolourOne(in, MakeColour(100, 100, 100), MakeColour(140, 140, 140), mode,
                                 MakeColour(10, 10, 10));
    for (std::uint32_t pixel : out) {
      EXPECT_EQ(pixel >> 24, 0u);
      for (int shift = 0; shift < 24; shift += 8) {
        EXPECT_GE(static_cast<int>((pixel >> shift) & 0xFF), 100) << std::hex << pixel;
        EXPECT_LE(static_cast<int>((pixel >> shift) & 0xFF), 140) << std::hex << pixel;
      }
    }
  }
}

// A list as the system paints it: face-coloured header, white rows, grey
// anti-aliased text, small many-coloured icons, one highlighted row.
std::vector<std::uint32_t> ListPicture(int width, int height, std::mt19937& rng) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, PixelOf(kWhite));
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> level(0, 3);
  for (int y = 0; y < height; ++y) {
    const int row = y / 18, line = y % 18;
    const bool selected = row == 3;
    for (int x = 0; x < width; ++x) {
      std::uint32_t& p = pixels[static_cast<std::size_t>(y) * width + x];
      if (row == 0) p = line == 17 ? Grey(229) : PixelOf(kFace);
      if (selected) p = PixelOf(MakeColour(204, 232, 255));
      if (line >= 3 && line < 14 && x % 200 >= 24 && x % 200 < 150 && byte(rng) < 140) {
        const auto ink = [&](int channel) { return channel * level(rng) / 3; };
        const Colour under = ColourOfPixel(p);
        p = PixelOf(MakeColour(ink(RedOf(under)), ink(GreenOf(under)), ink(BlueOf(under))));
      } else if (row > 0 && line >= 1 && line < 17 && x % 200 >= 4 && x % 200 < 20) {
        p = PixelOf(MakeColour(byte(rng) / 32 * 32, 160, (x + y) % 256));
      }
      if (row % 2) p |= 0xFF000000u;  // themed parts come with an opaque alpha byte
    }
  }
  return pixels;
}

std::vector<std::uint32_t> Noise(int width, int height, std::mt19937& rng) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  for (auto& p : pixels) p = static_cast<std::uint32_t>(rng());
  return pixels;
}

TEST(ColourMath, FastRecolouringMatchesTheFormula) {
  std::mt19937 rng(20240611);
  const RecolourColours colourSets[] = {
      {DarkSurface(), kGrey220, kFace},
      {ShiftHeaderBackground(DarkSurface()), kGrey220, kFace},
      {kWhite, kBlack, kFace},
      {MakeColour(200, 0, 0), MakeColour(0, 0, 255), MakeColour(212, 208, 200)},
      {DarkBase, DarkText, MakeColour(30, 30, 30)},
      {DarkBase, DarkText, kBlack},
  };
  // Small areas and large ones (8192 pixels and more go through a result
  // cache), rows shorter and longer than a block, sizes of no round value.
  const int sizes[][2] = {{1, 1},    {3, 5},    {17, 13},  {641, 3},
                          {1, 300},  {333, 97}, {7, 1500}, {200, 200}};
  int compared = 0;
  for (const auto& size : sizes)
    for (bool noise : {false, true}) {
      const int w = size[0], h = size[1];
      const auto picture = noise ? Noise(w, h, rng) : ListPicture(w, h, rng);
      for (const auto& colours : colourSets)
        for (RecolourMode mode : {RecolourMode::Control, RecolourMode::TabStrip}) {
          auto fast = picture, expected = picture;
          RecolourPixels({fast.data(), w, h, w}, {0, 0, w, h}, colours, mode);
          RecolourPixelsReference({expected.data(), w, h, w}, {0, 0, w, h}, colours, mode);
          ASSERT_EQ(fast, expected) << w << "x" << h << (noise ? " noise" : " list");
          ++compared;
        }
    }
  EXPECT_EQ(compared, 8 * 2 * 6 * 2);
}

TEST(ColourMath, RecoloursOnlyTheClippedRectangleOfABottomUpImage) {
  std::mt19937 rng(7);
  const int w = 131, h = 90;
  const auto picture = ListPicture(w, h, rng);
  // Stored bottom-up like a DIB of positive height: the top row is last.
  std::vector<std::uint32_t> bottomUp(picture.size());
  for (int y = 0; y < h; ++y)
    std::copy_n(picture.begin() + y * w, w, bottomUp.begin() + (h - 1 - y) * w);
  const PixelImage image{bottomUp.data() + (h - 1) * w, w, h, -w};
  const RecolourColours colours{DarkSurface(), kGrey220, kFace};
  RecolourPixels(image, {-5, 2, 128, 500}, colours, RecolourMode::Control);
  RecolourPixels(image, {10, 10, 10, 20}, colours, RecolourMode::Control);  // empty

  auto expected = picture;
  RecolourPixelsReference({expected.data(), w, h, w}, {0, 2, 128, h}, colours,
                          RecolourMode::Control);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      ASSERT_EQ(bottomUp[(h - 1 - y) * w + x], expected[y * w + x]) << x << "," << y;
  EXPECT_NE(expected, picture);
}

}  // namespace
}  // namespace kelvane
