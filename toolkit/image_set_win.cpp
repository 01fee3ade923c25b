#include "toolkit/image_set_win.h"

#include <commctrl.h>

#include <cstring>

#include "toolkit/ico_file.h"

namespace kelvane {
namespace {

bool IsPng(const uint8_t* data, size_t size) {
  static constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return size >= 8 && std::memcmp(data, kSignature, 8) == 0;
}

}  // namespace

UniqueBitmap MakeDibSection(int width, int height, const uint8_t* bgra, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (bitmap && pixels && bgra) std::memcpy(pixels, bgra, static_cast<size_t>(width) * height * 4);
  if (bits) *bits = pixels;
  return bitmap;
}

UniqueIcon MakeIconFromPixels(int width, int height, const uint8_t* bgra) {
  UniqueBitmap colour = MakeDibSection(width, height, bgra);
  UniqueBitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
  if (!colour || !mask) return {};
  ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
  return UniqueIcon(CreateIconIndirect(&info));
}

int ImageSet::LoadFromResources(HINSTANCE instance, int base, int count) {
  images_.clear();
  images_.resize(static_cast<size_t>(count));
  int decoded = 0;
  for (int n = 0; n < count; ++n) {
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(base + n), MAKEINTRESOURCEW(10));
    HGLOBAL handle = resource ? LoadResource(instance, resource) : nullptr;
    Image& image = images_[static_cast<size_t>(n)];
    image.data = static_cast<const uint8_t*>(handle ? LockResource(handle) : nullptr);
    image.size = resource ? SizeofResource(instance, resource) : 0;
    if (!image.data || image.size == 0) continue;
    image.png = IsPng(image.data, image.size);
    if (image.png) {
      if (auto png = DecodePng(std::span<const uint8_t>(image.data, image.size))) {
        image.pixels = std::move(*png);
      }
    } else if (const auto entry = PickIcoEntry(image.data, image.size, 0)) {
      image.pixels.pixels = Decode32BitIcoEntry(image.data, image.size, *entry);
      image.pixels.width = entry->width;
      image.pixels.height = entry->height;
    }
    if (!image.pixels.pixels.empty()) ++decoded;
  }
  return decoded;
}

const ImageSet::Image* ImageSet::At(int n) const {
  if (n < 0 || n >= Count()) return nullptr;
  const Image& image = images_[static_cast<size_t>(n)];
  return image.pixels.pixels.empty() ? nullptr : &image;
}

SIZE ImageSet::Size(int n) const {
  const Image* image = At(n);
  return image ? SIZE{image->pixels.width, image->pixels.height} : SIZE{0, 0};
}

HICON ImageSet::Icon(int n, int width) const {
  const Image* image = At(n);
  if (!image) return nullptr;
  if (width > 0 && width != image->pixels.width && !image->png) {
    if (image->otherSizeWidth != width) {
      image->otherSizeIcon.reset();
      image->otherSizeWidth = width;
      const auto entry = PickIcoEntry(image->data, image->size, width);
      if (entry && entry->width == width) {
        image->otherSizeIcon.reset(CreateIconFromResourceEx(
            const_cast<PBYTE>(image->data + entry->offset), static_cast<DWORD>(entry->size), TRUE,
            0x00030000, entry->width, entry->height, LR_DEFAULTCOLOR));
      }
    }
    if (image->otherSizeIcon) return image->otherSizeIcon.get();
  }
  if (!image->icon) {
    image->icon = MakeIconFromPixels(image->pixels.width, image->pixels.height, image->pixels.pixels.data());
  }
  return image->icon.get();
}

const DecodedImage* ImageSet::PixelsAt(const Image& image, int width, DecodedImage* scratch) const {
  if (width <= 0 || width == image.pixels.width) return &image.pixels;
  if (image.png) return nullptr;
  const auto entry = PickIcoEntry(image.data, image.size, width);
  if (!entry || entry->width != width) return nullptr;
  scratch->pixels = Decode32BitIcoEntry(image.data, image.size, *entry);
  scratch->width = entry->width;
  scratch->height = entry->height;
  return scratch->pixels.empty() ? nullptr : scratch;
}

HBITMAP ImageSet::Bitmap(int n, int width) const {
  const Image* image = At(n);
  if (!image) return nullptr;
  const bool own = width <= 0 || width == image->pixels.width;
  UniqueBitmap& slot = own ? image->bitmap : image->otherSizeBitmap;
  if (!own && image->otherSizeBitmapWidth != width) {
    slot.reset();
    image->otherSizeBitmapWidth = width;
  } else if (slot) {
    return slot.get();
  }
  DecodedImage scratch;
  if (const DecodedImage* pixels = PixelsAt(*image, width, &scratch)) {
    slot = MakeDibSection(pixels->width, pixels->height, PremultipliedBgra(*pixels).data());
  }
  return slot.get();
}

int ImageSet::AddToImageList(HIMAGELIST list, int n, int side) const {
  const Image* image = At(n);
  if (!list || !image) return -1;
  DecodedImage scratch;
  if (const DecodedImage* pixels = PixelsAt(*image, side, &scratch); pixels && pixels->height == side) {
    // Image lists take straight alpha, as icons hold it.
    UniqueBitmap bitmap = MakeDibSection(pixels->width, pixels->height, pixels->pixels.data());
    if (bitmap) return ImageList_Add(list, bitmap.get(), nullptr);
  }
  HICON icon = Icon(n, side);
  return icon ? ImageList_AddIcon(list, icon) : -1;
}

ImageSet::List ImageSet::MakeImageList(std::span<const int> ids, int side) const {
  List made;
  made.side = side;
  made.list.reset(ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, static_cast<int>(ids.size()), 0));
  for (int id : ids) made.index.push_back(AddToImageList(made.list.get(), id, side));
  return made;
}

}  // namespace kelvane
