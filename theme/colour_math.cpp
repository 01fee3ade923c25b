#include "theme/colour_math.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

namespace kelvane {
namespace {

constexpr int kMaxSum = 3 * 255;

int ClampChannel(int value) { return std::clamp(value, 0, 255); }

Colour ShiftChannels(Colour c, int delta) {
  return MakeColour(ClampChannel(RedOf(c) + delta), ClampChannel(GreenOf(c) + delta),
                    ClampChannel(BlueOf(c) + delta));
}

int ChannelSum(Colour c) { return RedOf(c) + GreenOf(c) + BlueOf(c); }

// A black face colour would divide by zero; as a sum of 1 black stays the
// text colour and everything brighter becomes the background.
double FaceSum(Colour face) { return static_cast<double>(std::max(ChannelSum(face), 1)); }

PixelRect ClipToImage(const PixelImage& image, PixelRect rect) {
  rect.left = std::max(rect.left, 0);
  rect.top = std::max(rect.top, 0);
  rect.right = std::min(rect.right, image.width);
  rect.bottom = std::min(rect.bottom, image.height);
  return rect;
}

bool IsEmpty(const PixelImage& image, const PixelRect& rect) {
  return image.topRow == nullptr || rect.left >= rect.right || rect.top >= rect.bottom;
}

std::uint32_t* RowOf(const PixelImage& image, int y) { return image.topRow + y * image.rowStep; }

// std::round for 0 <= x < 2^31 without the library call: x - whole is exact
// there, so the halves go up exactly as std::round sends them.
inline int RoundNonNegative(double x) {
  const int whole = static_cast<int>(x);
  return whole + (x - whole >= 0.5 ? 1 : 0);
}

// The per-pixel formula with the brightness ratio memoised by channel sum:
// the ratio depends on nothing else, and every value is computed by the same
// floating operations, in the same order, as the reference. (A build for a
// target with fused multiply-add must keep contraction off, or results may
// differ in the last rounding; the equality test would say so.)
class PixelFormula {
 public:
  PixelFormula(const RecolourColours& colours, RecolourMode mode)
      : faceSum_(FaceSum(colours.face)),
        contrast_(ContrastFactor(colours.back, colours.front, colours.face)),
        tabStrip_(mode == RecolourMode::TabStrip),
        back_{static_cast<double>(BlueOf(colours.back)), static_cast<double>(GreenOf(colours.back)),
              static_cast<double>(RedOf(colours.back))},
        front_{static_cast<double>(BlueOf(colours.front)),
               static_cast<double>(GreenOf(colours.front)),
               static_cast<double>(RedOf(colours.front))} {
    std::fill(std::begin(ratioBySum_), std::end(ratioBySum_), -1.0);
  }

  std::uint32_t Apply(std::uint32_t pixel) {
    const int b = static_cast<int>(pixel & 0xFF);
    const int g = static_cast<int>((pixel >> 8) & 0xFF);
    const int r = static_cast<int>((pixel >> 16) & 0xFF);
    const double k = Ratio(b + g + r);
    const double keep = 1 - k;
    const auto channel = [&](int c, int i) -> std::uint32_t {
      const int toBack = RoundNonNegative(c * keep + k * back_[i]);
      return static_cast<std::uint32_t>(RoundNonNegative(k * toBack + keep * front_[i]));
    };
    return (pixel & 0xFF000000u) | channel(b, 0) | (channel(g, 1) << 8) | (channel(r, 2) << 16);
  }

 private:
  double Ratio(int sum) {
    double& known = ratioBySum_[sum];
    if (known >= 0) return known;
    const double f = contrast_;
    double k = sum / faceSum_;
    if (k > 0.7) {
      const double curve = std::min((k + 1) * (k + 1) / 3.7, 1.0);
      k = k * (1 - f) + f * curve;
    }
    if (tabStrip_ && k < 0.99) k = k * 0.95;
    if (k < 0.3) k = k * (1 - f) + f * k * k * k;
    known = std::min(k, 1.0);  // never below 0 with f held in 0..1
    return known;
  }

  double faceSum_;
  double contrast_;
  bool tabStrip_;
  double back_[3];   // in pixel byte order: blue, green, red
  double front_[3];
  double ratioBySum_[kMaxSum + 1];  // -1 until computed
};

constexpr int kCacheBits = 12;
constexpr std::uint32_t CacheSlot(std::uint32_t pixel) {
  return (pixel * 0x9E3779B1u) >> (32 - kCacheBits);
}

// Results of the colours already met in this call, one per slot of a hash:
// a painted control holds few colours (anti-aliased text, icons), met again
// and again once the one-pixel cache has moved on.
class ResultCache {
 public:
  explicit ResultCache(PixelFormula& formula) : formula_(formula) {
    std::fill(std::begin(keys_), std::end(keys_), kEmpty);
    keys_[CacheSlot(kEmpty)] = kOtherEmpty;  // no pixel reaching that slot equals its key
  }

  std::uint32_t Find(std::uint32_t pixel) {
    const std::uint32_t slot = CacheSlot(pixel);
    if (keys_[slot] != pixel) {
      keys_[slot] = pixel;
      values_[slot] = formula_.Apply(pixel);
    }
    return values_[slot];
  }

 private:
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
  static constexpr std::uint32_t kOtherEmpty = 0;
  static_assert(CacheSlot(kEmpty) != CacheSlot(kOtherEmpty));

  PixelFormula& formula_;
  std::uint32_t keys_[1 << kCacheBits];
  std::uint32_t values_[1 << kCacheBits];
};

// Small areas (the bands of a tab panel, a button): the one-pixel cache
// alone; filling the result cache would cost more than it saves.
constexpr std::int64_t kResultCacheMinPixels = 8192;

void RecolourRuns(const PixelImage& image, const PixelRect& rect, PixelFormula& formula) {
  std::uint32_t lastSource = RowOf(image, rect.top)[rect.left];
  std::uint32_t lastResult = formula.Apply(lastSource);
  for (int y = rect.top; y < rect.bottom; ++y) {
    std::uint32_t* pixel = RowOf(image, y) + rect.left;
    std::uint32_t* const end = RowOf(image, y) + rect.right;
    for (; pixel != end; ++pixel) {
      const std::uint32_t source = *pixel;
      if (source != lastSource) {
        lastSource = source;
        lastResult = formula.Apply(source);
      }
      *pixel = lastResult;
    }
  }
}

// Large areas: blocks that continue the previous run are checked and written
// at once (the compiler vectorises both); other blocks go pixel by pixel
// through the result cache, where a hit costs no mispredicted branch, which
// is what run breaks in anti-aliased text would otherwise cost.
constexpr int kBlock = 16;

void RecolourBlocks(const PixelImage& image, const PixelRect& rect, ResultCache& cache) {
  std::uint32_t lastSource = RowOf(image, rect.top)[rect.left];
  std::uint32_t lastResult = cache.Find(lastSource);
  for (int y = rect.top; y < rect.bottom; ++y) {
    std::uint32_t* pixel = RowOf(image, y) + rect.left;
    std::uint32_t* const end = RowOf(image, y) + rect.right;
    for (; end - pixel >= kBlock; pixel += kBlock) {
      std::uint32_t differ = 0;
      for (int i = 0; i < kBlock; ++i) differ |= pixel[i] ^ lastSource;
      if (differ == 0) {
        for (int i = 0; i < kBlock; ++i) pixel[i] = lastResult;
        continue;
      }
      lastSource = pixel[kBlock - 1];
      for (int i = 0; i < kBlock; ++i) pixel[i] = cache.Find(pixel[i]);
      lastResult = pixel[kBlock - 1];
    }
    for (; pixel != end; ++pixel) {
      const std::uint32_t source = *pixel;
      if (source != lastSource) {
        lastSource = source;
        lastResult = cache.Find(source);
      }
      *pixel = lastResult;
    }
  }
}

}  // namespace

int LumaThousandths(Colour c) { return 299 * RedOf(c) + 587 * GreenOf(c) + 114 * BlueOf(c); }

int Luma(Colour c) { return (LumaThousandths(c) + 500) / 1000; }

Colour CompanionTextColour(Colour back) {
  if (back == NoColour) return NoColour;
  const int luma = Luma(back);
  if (luma >= 81 && luma <= 127) return MakeColour(255, 255, 255);
  if (luma >= 129) return MakeColour(0, 0, 0);
  return MakeColour(220, 220, 220);
}

Colour DeriveSurface(Colour base) {
  return ShiftChannels(base, LumaThousandths(base) > 128000 ? -20 : 20);
}

Colour DarkSurface() { return DeriveSurface(DarkBase); }

Colour ShiftHeaderBackground(Colour back) {
  return ShiftChannels(back, Luma(back) > 128 ? -15 : 15);
}

bool WantsDarkVisualStyle(Colour back) { return LumaThousandths(back) <= 128000; }

Colour BlendColour(Colour a, Colour b, double ratio) {
  // NaN goes to 0 as well: std::clamp would pass it through.
  ratio = ratio >= 0 ? std::min(ratio, 1.0) : 0.0;
  const auto mix = [ratio](int x, int y) {
    return ClampChannel(static_cast<int>(std::round(x * ratio + y * (1 - ratio))));
  };
  return MakeColour(mix(RedOf(a), RedOf(b)), mix(GreenOf(a), GreenOf(b)),
                    mix(BlueOf(a), BlueOf(b)));
}

double ContrastFactor(Colour back, Colour front, Colour face) {
  const double spread = (ChannelSum(back) - ChannelSum(front)) / FaceSum(face);
  return std::min(std::fabs(1 - std::fabs(spread)), 1.0);
}

double RelativeLuminance(Colour c) {
  const auto linear = [](int channel) {
    const double v = channel / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(RedOf(c)) + 0.7152 * linear(GreenOf(c)) + 0.0722 * linear(BlueOf(c));
}

double ContrastRatio(Colour a, Colour b) {
  const double la = RelativeLuminance(a);
  const double lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Colour ReadableTextColour(Colour wanted, Colour back) {
  if (ContrastRatio(wanted, back) >= kReadableContrast) return wanted;
  const Colour companion = CompanionTextColour(back);
  if (ContrastRatio(companion, back) >= kReadableContrast) return companion;
  const Colour black = MakeColour(0, 0, 0);
  const Colour white = MakeColour(255, 255, 255);
  return ContrastRatio(black, back) >= ContrastRatio(white, back) ? black : white;
}

Colour DimmedTextColour(Colour text, Colour back) {
  // Whole-percent steps from the dimmest allowed towards the text itself.
  for (int keep = 60; keep < 100; ++keep) {
    const Colour dimmed = BlendColour(text, back, keep / 100.0);
    if (ContrastRatio(dimmed, back) >= kReadableContrast) return dimmed;
  }
  return text;
}

void RecolourPixels(const PixelImage& image, PixelRect rect, const RecolourColours& colours,
                    RecolourMode mode) {
  rect = ClipToImage(image, rect);
  if (IsEmpty(image, rect)) return;
  PixelFormula formula(colours, mode);
  const std::int64_t area =
      static_cast<std::int64_t>(rect.right - rect.left) * (rect.bottom - rect.top);
  if (area < kResultCacheMinPixels) {
    RecolourRuns(image, rect, formula);
    return;
  }
  const auto cache = std::make_unique<ResultCache>(formula);  // 32 KB: not on the stack
  RecolourBlocks(image, rect, *cache);
}

void RecolourPixelsReference(const PixelImage& image, PixelRect rect,
                             const RecolourColours& colours, RecolourMode mode) {
  rect = ClipToImage(image, rect);
  if (IsEmpty(image, rect)) return;
  const double faceSum = FaceSum(colours.face);
  const double f = ContrastFactor(colours.back, colours.front, colours.face);
  const int back[3] = {BlueOf(colours.back), GreenOf(colours.back), RedOf(colours.back)};
  const int front[3] = {BlueOf(colours.front), GreenOf(colours.front), RedOf(colours.front)};
  for (int y = rect.top; y < rect.bottom; ++y) {
    std::uint32_t* row = RowOf(image, y);
    for (int x = rect.left; x < rect.right; ++x) {
      const std::uint32_t source = row[x];
      const int channels[3] = {static_cast<int>(source & 0xFF),
                               static_cast<int>((source >> 8) & 0xFF),
                               static_cast<int>((source >> 16) & 0xFF)};
      double k = (channels[0] + channels[1] + channels[2]) / faceSum;
      if (k > 0.7) {
        double curve = (k + 1) * (k + 1) / 3.7;
        if (curve > 1) curve = 1;
        k = k * (1 - f) + f * curve;
      }
      if (mode == RecolourMode::TabStrip && k < 0.99) k = k * 0.95;
      if (k < 0.3) k = k * (1 - f) + f * k * k * k;
      if (k > 1) k = 1;
      std::uint32_t result = source & 0xFF000000u;
      for (int i = 0; i < 3; ++i) {
        double c = channels[i];
        c = std::round(c * (1 - k) + k * back[i]);
        c = std::round(k * c + (1 - k) * front[i]);
        result |= static_cast<std::uint32_t>(c) << (8 * i);
      }
      row[x] = result;
    }
  }
}

}  // namespace kelvane
