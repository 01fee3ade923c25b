// Recolouring runs on every paint of every coloured control: time it on a
// full-screen 1920 x 1080 picture of a list as the system paints it, and on
// noise (every pixel a new colour), beside a plain copy of the same buffer.
#include "theme/colour_math.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace kelvane {
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr Colour kFace = MakeColour(240, 240, 240);

using Pixels = std::vector<std::uint32_t>;

// Anti-aliased glyphs as the system draws them with ClearType: coverage per
// sub-pixel (red, green, blue) out of a fixed set of shapes, so that text
// brings a bounded palette of fringe colours, as a real font does.
struct Glyph {
  int width = 0;
  std::vector<float> cover;  // width x 13 x 3
};

std::vector<Glyph> MakeFont(std::mt19937& rng) {
  std::vector<Glyph> font;
  for (int g = 0; g < 60; ++g) {
    Glyph glyph;
    glyph.width = 5 + static_cast<int>(rng() % 5);
    const int subWidth = glyph.width * 3;
    std::vector<float> ink(subWidth * 13, 0.f);
    const auto stroke = [&](int x0, int x1, int y0, int y1, float a) {
      for (int y = std::max(y0, 0); y < std::min(y1, 13); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, subWidth); ++x)
          ink[y * subWidth + x] = std::max(ink[y * subWidth + x], a);
    };
    const int top = rng() % 2 ? 1 : 4;  // capital or small letter
    const int stems = 1 + static_cast<int>(rng() % 2);
    for (int s = 0; s < stems; ++s) {
      const int x = 1 + static_cast<int>(rng() % (subWidth - 5));
      stroke(x, x + 3 + static_cast<int>(rng() % 2), top, 11, 1.f);
    }
    for (int bar = 0; bar < 2; ++bar) {
      const int y = top + static_cast<int>(rng() % (11 - top));
      stroke(2, subWidth - 2, y, y + 1, bar ? 1.f : 0.5f);
    }
    for (int y = top; y < 11; ++y) {  // a diagonal
      const int x = 2 + (y - top) * (subWidth - 4) / std::max(11 - top, 1);
      if (g % 3 == 0) stroke(x, x + 3, y, y + 1, 0.75f);
    }
    glyph.cover.assign(glyph.width * 13 * 3, 0.f);
    for (int y = 0; y < 13; ++y)
      for (int x = 0; x < subWidth; ++x) {
        float sum = 0;  // the three-tap filter that spreads colour fringes
        for (int d = -1; d <= 1; ++d)
          if (x + d >= 0 && x + d < subWidth) sum += ink[y * subWidth + x + d];
        glyph.cover[y * subWidth + x] = sum / 3;
      }
    font.push_back(std::move(glyph));
  }
  return font;
}

struct Canvas {
  Pixels pixels =
      Pixels(static_cast<std::size_t>(kWidth) * kHeight, PixelOf(MakeColour(255, 255, 255)));
  std::uint32_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * kWidth + x]; }
  void Fill(int x0, int y0, int x1, int y1, Colour c) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) At(x, y) = PixelOf(c);
  }
  // Text in black-ish ink over whatever lies below, clipped at x1.
  void Text(const std::vector<Glyph>& font, int x, int y, int x1, int length, std::mt19937& rng) {
    for (int i = 0; i < length; ++i) {
      const Glyph& glyph = font[rng() % font.size()];
      if (x + glyph.width > x1) return;
      for (int gy = 0; gy < 13; ++gy)
        for (int gx = 0; gx < glyph.width; ++gx) {
          const Colour under = ColourOfPixel(At(x + gx, y + gy));
          const float* c = &glyph.cover[(gy * glyph.width + gx) * 3];
          const auto ink = [](int channel, float a) {
            return static_cast<int>(channel * (1 - a) + 0.5f);
          };
          At(x + gx, y + gy) = PixelOf(MakeColour(
              ink(RedOf(under), c[0]), ink(GreenOf(under), c[1]), ink(BlueOf(under), c[2])));
        }
      x += glyph.width + 1;
    }
  }
  // A 16 x 16 shell icon: a shaded body with a soft edge, few colours each.
  void Icon(int kind, int x, int y) {
    static const Colour bodies[] = {MakeColour(255, 200, 60), MakeColour(40, 120, 215),
                                    MakeColour(90, 170, 70), MakeColour(200, 60, 50),
                                    MakeColour(150, 150, 160), MakeColour(120, 80, 190)};
    const Colour body = bodies[kind % 6];
    for (int iy = 0; iy < 16; ++iy)
      for (int ix = 0; ix < 16; ++ix) {
        const int edge = std::min({ix, iy, 15 - ix, 15 - iy});
        if (edge == 0 && (ix + iy) % 2) continue;
        const Colour under = ColourOfPixel(At(x + ix, y + iy));
        const int shade = 100 - iy * 3 - ix * 2 - (edge == 0 ? 40 : 0);
        const float alpha = edge == 0 ? 0.5f : 1.f;
        const auto mix = [&](int b, int u) {
          return static_cast<int>(std::min(b * shade / 100, 255) * alpha + u * (1 - alpha));
        };
        At(x + ix, y + iy) = PixelOf(MakeColour(mix(RedOf(body), RedOf(under)),
                                                mix(GreenOf(body), GreenOf(under)),
                                                mix(BlueOf(body), BlueOf(under))));
      }
  }
};

// A details-view list filling the screen: header, 52 rows with icon, name,
// size, type and date, one selected and one hot row, a vertical scroll bar.
Pixels ListPicture() {
  std::mt19937 rng(1920);
  const std::vector<Glyph> font = MakeFont(rng);
  Canvas canvas;
  const int columns[] = {0, 620, 760, 1040, 1260};
  const int scrollLeft = kWidth - 17;
  canvas.Fill(0, 0, scrollLeft, 24, kFace);
  canvas.Fill(0, 23, scrollLeft, 24, MakeColour(229, 229, 229));
  for (int c = 0; c < 5; ++c) {
    if (c > 0) canvas.Fill(columns[c] - 1, 0, columns[c], 23, MakeColour(229, 229, 229));
    canvas.Text(font, columns[c] + 8, 5, columns[c] + 200, 6 + c, rng);
  }
  for (int row = 0; 24 + (row + 1) * 20 <= kHeight; ++row) {
    const int y = 24 + row * 20;
    if (row == 3) canvas.Fill(0, y, 1400, y + 20, MakeColour(204, 232, 255));
    if (row == 7) canvas.Fill(0, y, 1400, y + 20, MakeColour(229, 243, 255));
    canvas.Icon(static_cast<int>(rng() % 6), 6, y + 2);
    canvas.Text(font, 28, y + 3, columns[1] - 8, 12 + static_cast<int>(rng() % 40), rng);
    canvas.Text(font, columns[1] + 8, y + 3, columns[2] - 8, 6, rng);
    canvas.Text(font, columns[2] + 8, y + 3, columns[3] - 8, 10 + static_cast<int>(rng() % 14),
                rng);
    canvas.Text(font, columns[3] + 8, y + 3, columns[4] - 8, 16, rng);
  }
  canvas.Fill(scrollLeft, 0, kWidth, kHeight, kFace);
  canvas.Fill(scrollLeft + 4, 40, kWidth - 4, 400, MakeColour(205, 205, 205));
  return canvas.pixels;
}

Pixels NoisePicture() {
  std::mt19937 rng(1080);
  Pixels pixels(static_cast<std::size_t>(kWidth) * kHeight);
  for (auto& p : pixels) p = static_cast<std::uint32_t>(rng()) & 0x00FFFFFFu;
  return pixels;
}

const Pixels& Picture(bool noise) {
  static const Pixels list = ListPicture();
  static const Pixels random = NoisePicture();
  return noise ? random : list;
}

PixelImage ImageOf(Pixels& pixels) { return {pixels.data(), kWidth, kHeight, kWidth}; }

// The dark look of a list: DarkSurface behind, the automatic text colour.
const RecolourColours kColours{DarkSurface(), CompanionTextColour(DarkSurface()), kFace};

using RecolourFunction = void (*)(const PixelImage&, PixelRect, const RecolourColours&,
                                  RecolourMode);

void Recolour(benchmark::State& state, bool noise, RecolourMode mode, RecolourFunction recolour) {
  const Pixels& source = Picture(noise);
  Pixels work = source;
  {
    // The figures only count when the fast result is the formula's.
    Pixels expected = source;
    RecolourPixelsReference(ImageOf(expected), {0, 0, kWidth, kHeight}, kColours, mode);
    recolour(ImageOf(work), {0, 0, kWidth, kHeight}, kColours, mode);
    if (work != expected) state.SkipWithError("result differs from the reference");
  }
  std::size_t breaks = 0;  // pixels that differ from their left neighbour
  for (std::size_t i = 1; i < source.size(); ++i) breaks += source[i] != source[i - 1];
  for (auto _ : state) {
    state.PauseTiming();
    std::memcpy(work.data(), source.data(), source.size() * sizeof(std::uint32_t));
    state.ResumeTiming();
    recolour(ImageOf(work), {0, 0, kWidth, kHeight}, kColours, mode);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * source.size() * 4));
  state.counters["run_breaks_%"] =
      100.0 * static_cast<double>(breaks) / static_cast<double>(source.size());
}

void BM_RecolourList(benchmark::State& s) {
  Recolour(s, false, RecolourMode::Control, RecolourPixels);
}
void BM_RecolourListTabStrip(benchmark::State& s) {
  Recolour(s, false, RecolourMode::TabStrip, RecolourPixels);
}
void BM_RecolourNoise(benchmark::State& s) {
  Recolour(s, true, RecolourMode::Control, RecolourPixels);
}
void BM_ReferenceList(benchmark::State& s) {
  Recolour(s, false, RecolourMode::Control, RecolourPixelsReference);
}
void BM_ReferenceNoise(benchmark::State& s) {
  Recolour(s, true, RecolourMode::Control, RecolourPixelsReference);
}

void BM_MemcpyScreen(benchmark::State& state) {
  const Pixels& source = Picture(false);
  Pixels work(source.size());
  for (auto _ : state) {
    std::memcpy(work.data(), source.data(), source.size() * sizeof(std::uint32_t));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * source.size() * 4));
}

BENCHMARK(BM_MemcpyScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecolourList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecolourListTabStrip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecolourNoise)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceNoise)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelvane
