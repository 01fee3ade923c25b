// The program's compiled-in images: how many, where their resources start and
// the format each one is stored in. The pictures themselves are made by
// assets/make_assets.py; loading code checks a resource against its format here
// before trusting it.
#pragma once

namespace kelvane {

constexpr int kImageCount = 52;
// Image N is the RCDATA resource kImageResourceBase + N (assets/images.rc).
constexpr int kImageResourceBase = 1000;

enum class ImageFormat {
  Ico16,       // .ico, one 16 x 16 32-bit image (a 1150-byte file)
  Png16,       // 16 x 16 PNG
  Png32,       // 32 x 32 PNG
  Png140x316,  // the about window's 140 x 316 PNG picture
  Ico24,       // .ico whose first image is 24 x 24 32-bit (a 16 x 16 one follows)
};

// Byte size of every Ico16 file: 6-byte header, one 16-byte directory entry,
// 40-byte BITMAPINFOHEADER, 16 x 16 x 4 bytes of BGRA, 16 rows x 4 bytes of mask.
constexpr int kIco16FileSize = 6 + 16 + 40 + 16 * 16 * 4 + 16 * 4;

constexpr ImageFormat ImageFormatOf(int image) {
  if (image == 22 || image == 28) return ImageFormat::Png16;
  if (image == 30 || image == 31) return ImageFormat::Png32;
  if (image == 46) return ImageFormat::Png140x316;
  if (image >= 48 && image <= 51) return ImageFormat::Ico24;
  return ImageFormat::Ico16;
}

constexpr bool IsPngFormat(ImageFormat format) {
  return format == ImageFormat::Png16 || format == ImageFormat::Png32 ||
         format == ImageFormat::Png140x316;
}

// Pixel size of the image (of the first image for icon files).
constexpr int ImageWidth(ImageFormat format) {
  switch (format) {
    case ImageFormat::Ico16: case ImageFormat::Png16: return 16;
    case ImageFormat::Png32: return 32;
    case ImageFormat::Png140x316: return 140;
    case ImageFormat::Ico24: return 24;
  }
  return 0;
}

constexpr int ImageHeight(ImageFormat format) {
  return format == ImageFormat::Png140x316 ? 316 : ImageWidth(format);
}

}  // namespace kelvane
