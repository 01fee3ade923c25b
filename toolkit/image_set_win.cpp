#include "toolkit/image_set_win.h"

#include <cstring>

#include "toolkit/ico_file.h"
#include "toolkit/png_decoder.h"

namespace kelvane {
namespace {

bool IsPng(const uint8_t* data, size_t size) {
  static constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return size >= 8 && std::memcmp(data, kSignature, 8) == 0;
}

// A top-down 32-bit DIB section holding the given BGRA pixels.
UniqueBitmap MakeDib(int width, int height, const uint8_t* bgra) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap && bits) std::memcpy(bits, bgra, static_cast<size_t>(width) * height * 4);
  return bitmap;
}

}  // namespace

UniqueIcon IconFromIcoBytes(const uint8_t* data, size_t size, int preferredWidth) {
  const auto entry = PickIcoEntry(data, size, preferredWidth);
  if (!entry) return {};
  return UniqueIcon(CreateIconFromResourceEx(const_cast<PBYTE>(data + entry->offset),
                                             static_cast<DWORD>(entry->size), TRUE, 0x00030000,
                                             entry->width, entry->height, LR_DEFAULTCOLOR));
}

UniqueIcon IconFromPngBytes(const uint8_t* data, size_t size, UniqueBitmap* bitmap, SIZE* pixels) {
  const auto decoded = DecodePng(std::span<const uint8_t>(data, size));
  if (!decoded) return {};
  // Icons take straight alpha; AlphaBlend wants it premultiplied.
  UniqueBitmap colour = MakeDib(decoded->width, decoded->height, decoded->pixels.data());
  UniqueBitmap mask(CreateBitmap(decoded->width, decoded->height, 1, 1, nullptr));
  if (!colour || !mask) return {};
  ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
  UniqueIcon icon(CreateIconIndirect(&info));
  *bitmap = MakeDib(decoded->width, decoded->height, PremultipliedBgra(*decoded).data());
  *pixels = {decoded->width, decoded->height};
  return icon;
}

int ImageSet::LoadFromResources(HINSTANCE instance, int base, int count) {
  images_.clear();
  images_.resize(static_cast<size_t>(count));
  int loaded = 0;
  for (int n = 0; n < count; ++n) {
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(base + n), MAKEINTRESOURCEW(10));
    if (!resource) continue;
    HGLOBAL handle = LoadResource(instance, resource);
    const auto* data = static_cast<const uint8_t*>(handle ? LockResource(handle) : nullptr);
    const size_t size = SizeofResource(instance, resource);
    if (!data || size == 0) continue;
    Image& image = images_[static_cast<size_t>(n)];
    if (IsPng(data, size)) {
      image.icon = IconFromPngBytes(data, size, &image.bitmap, &image.size);
    } else if (const auto entry = PickIcoEntry(data, size, 0)) {
      // The first image of the file is the image's own size.
      image.icon = IconFromIcoBytes(data, size, entry->width);
      image.size = {entry->width, entry->height};
    }
    if (image.icon) ++loaded;
  }
  return loaded;
}

HICON ImageSet::Icon(int n) const {
  return n >= 0 && n < Count() ? images_[static_cast<size_t>(n)].icon.get() : nullptr;
}

HBITMAP ImageSet::Bitmap(int n) const {
  return n >= 0 && n < Count() ? images_[static_cast<size_t>(n)].bitmap.get() : nullptr;
}

SIZE ImageSet::Size(int n) const {
  return n >= 0 && n < Count() ? images_[static_cast<size_t>(n)].size : SIZE{0, 0};
}

}  // namespace kelvane
