#pragma once
// PNG decoding for the compiled-in images and the about picture, through
// libpng's simplified API (errors come back as results, no longjmp crosses C++
// frames). Portable: no Windows header.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kelvane {

// Larger pictures are refused before any pixel buffer is allocated: the
// program only shows icons and a 140 x 316 picture, and the picture file is
// one a user can replace.
inline constexpr int kMaxPngSide = 16384;
inline constexpr std::int64_t kMaxPngPixels = std::int64_t{1} << 24;  // 64 MiB of BGRA

struct DecodedImage {
  int width = 0;
  int height = 0;
  // 8-bit B, G, R, A per pixel, straight (not premultiplied) alpha, rows top
  // to bottom without padding: width * 4 bytes per row.
  std::vector<std::uint8_t> pixels;
};

// Decodes a whole PNG held in memory (any colour type and bit depth, converted
// to 8-bit sRGB BGRA). Empty on anything malformed, truncated or too large:
// the chunk headers are checked against the bytes held before libpng reads
// any of them, so no declared length makes it allocate beyond the file.
std::optional<DecodedImage> DecodePng(std::span<const std::uint8_t> png);

// The pixels with colour multiplied by alpha, as Windows wants them in 32-bit
// alpha bitmaps (AlphaBlend, premultiplied DIB sections).
std::vector<std::uint8_t> PremultipliedBgra(const DecodedImage& image);

}  // namespace kelvane
