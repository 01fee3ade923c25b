#include "toolkit/png_decoder.h"

#include <png.h>

namespace kelvane {

namespace {

// png_image_free is safe on an image that libpng has already released, so one
// guard covers every path out of DecodePng.
struct PngImageGuard {
  png_image* image;
  ~PngImageGuard() { png_image_free(image); }
};

}  // namespace

std::optional<DecodedImage> DecodePng(std::span<const std::uint8_t> png) {
  if (png.empty()) return std::nullopt;

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  PngImageGuard guard{&image};
  if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return std::nullopt;

  const std::int64_t width = image.width;
  const std::int64_t height = image.height;
  if (width < 1 || height < 1 || width > kMaxPngSide || height > kMaxPngSide ||
      width * height > kMaxPngPixels) {
    return std::nullopt;
  }

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
