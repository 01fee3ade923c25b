#include "toolkit/png_decoder.h"

#include <png.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace kelvane {

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::uint32_t Be32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// The chunks that make the pixels; libpng is shown no other. Text, scale,
// profile and unknown chunks carry nothing the program draws, and libpng
// allocates a text or scale chunk's declared length (or a compressed one's
// inflated length) before it finds the data missing.
bool IsImageChunk(const std::uint8_t* type) {
  static constexpr std::array<const char*, 10> kKept = {"IHDR", "PLTE", "IDAT", "IEND", "tRNS",
                                                         "bKGD", "cHRM", "gAMA", "sBIT", "sRGB"};
  return std::any_of(kKept.begin(), kKept.end(),
                     [&](const char* kept) { return std::memcmp(type, kept, 4) == 0; });
}

// Walks the chunk headers of the file before libpng sees it: the signature,
// an IHDR first whose size is within the limits, every chunk within the bytes
// that remain. Returns the file reduced to its image chunks; empty when the
// file is refused.
std::vector<std::uint8_t> ImageChunksOf(std::span<const std::uint8_t> png) {
  constexpr std::size_t kHeader = 8;   // length and type
  constexpr std::size_t kOverhead = 12;  // with the CRC after the data
  if (png.size() < sizeof kSignature + kOverhead + 13 ||
      std::memcmp(png.data(), kSignature, sizeof kSignature) != 0) {
    return {};
  }
  std::vector<std::uint8_t> kept(png.data(), png.data() + sizeof kSignature);
  std::size_t at = sizeof kSignature;
  bool first = true;
  while (at < png.size()) {
    if (png.size() - at < kOverhead) return {};
    const std::uint32_t length = Be32(&png[at]);
    const std::uint8_t* type = &png[at + 4];
    if (length > png.size() - at - kOverhead) return {};
    if (first) {
      if (std::memcmp(type, "IHDR", 4) != 0 || length != 13) return {};
      const std::int64_t width = Be32(&png[at + kHeader]);
      const std::int64_t height = Be32(&png[at + kHeader + 4]);
      if (width < 1 || height < 1 || width > kMaxPngSide || height > kMaxPngSide ||
          width * height > kMaxPngPixels) {
        return {};
      }
      first = false;
    }
    const std::size_t end = at + kOverhead + length;
    if (IsImageChunk(type)) kept.insert(kept.end(), png.data() + at, png.data() + end);
    at = end;
    if (std::memcmp(type, "IEND", 4) == 0) break;
  }
  return kept;
}

// png_image_free is safe on an image that libpng has already released, so one
// guard covers every path out of DecodePng.
struct PngImageGuard {
  png_image* image;
  ~PngImageGuard() { png_image_free(image); }
};

}  // namespace

std::optional<DecodedImage> DecodePng(std::span<const std::uint8_t> png) {
  const std::vector<std::uint8_t> chunks = ImageChunksOf(png);
  if (chunks.empty()) return std::nullopt;

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  PngImageGuard guard{&image};
  if (!png_image_begin_read_from_memory(&image, chunks.data(), chunks.size())) return std::nullopt;

  // The header walk checked the size already; libpng read the same IHDR.
  const std::int64_t width = image.width;
  const std::int64_t height = image.height;

  image.format = PNG_FORMAT_BGRA;
  DecodedImage out;
  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.pixels.resize(static_cast<std::size_t>(width * height * 4));
  // Row stride 0 means packed rows, top-down; no background: alpha is kept.
  if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr)) return std::nullopt;
  if (image.warning_or_error & PNG_IMAGE_ERROR) return std::nullopt;
  return out;
}

std::vector<std::uint8_t> PremultipliedBgra(const DecodedImage& image) {
  std::vector<std::uint8_t> out(image.pixels);
  for (std::size_t i = 0; i + 3 < out.size(); i += 4) {
    const unsigned alpha = out[i + 3];
    if (alpha == 255) continue;
    for (std::size_t c = 0; c < 3; ++c) {
      out[i + c] = static_cast<std::uint8_t>((out[i + c] * alpha + 127) / 255);
    }
  }
  return out;
}

}  // namespace kelvane
