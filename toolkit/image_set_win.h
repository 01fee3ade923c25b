#pragma once
// The program's compiled-in images. At start-up every image is read from
// its resource and decoded to pixels (PNGs through libpng); the Windows
// objects (icons, 32-bit alpha bitmaps) are made on first use, so start-up
// pays only for what the first screen shows. One thread at a time: the
// start-up prepares the first screen's image lists aside, then hands over.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "toolkit/handle_win.h"
#include "toolkit/png_decoder.h"

namespace kelvane {

class ImageSet {
 public:
  // Loads images 0..count-1 from RCDATA resources base+n; returns how many
  // could be decoded.
  int LoadFromResources(HINSTANCE instance, int base, int count);

  int Count() const { return static_cast<int>(images_.size()); }
  SIZE Size(int n) const;  // of the image itself (the first image of an icon file)
  // The icon, at the image's own size or, for icon files holding several
  // sizes, at the given width when the file has it.
  HICON Icon(int n, int width = 0) const;
  // A top-down 32-bit DIB with premultiplied alpha (AlphaBlend, menus), at
  // the image's own size or, for icon files holding it, at the given width;
  // null for an image that could not be decoded or has no such size.
  HBITMAP Bitmap(int n, int width = 0) const;
  // Adds the image at side x side pixels to an ILC_COLOR32 image list and
  // returns its index there, or -1. Straight from the pixels when the image
  // has that size (adding icons one by one is slow), else through its icon.
  int AddToImageList(HIMAGELIST list, int n, int side) const;

  // Images `ids` at side x side pixels in a new image list, in that order,
  // with each one's index there (-1: not added).
  struct List {
    UniqueImageList list;
    std::vector<int> index;
    int side = 0;
  };
  List MakeImageList(std::span<const int> ids, int side) const;

 private:
  struct Image {
    const uint8_t* data = nullptr;  // the resource: mapped for the life of the process
    size_t size = 0;
    bool png = false;
    DecodedImage pixels;  // BGRA, straight alpha, top-down
    mutable UniqueIcon icon;
    mutable UniqueIcon otherSizeIcon;
    mutable int otherSizeWidth = 0;
    mutable UniqueBitmap bitmap;
    mutable UniqueBitmap otherSizeBitmap;
    mutable int otherSizeBitmapWidth = 0;
  };
  const Image* At(int n) const;
  // The straight-alpha pixels of the image at a width: its own, or those of
  // another entry of its icon file. Null when there is none.
  const DecodedImage* PixelsAt(const Image& image, int width, DecodedImage* scratch) const;
  std::vector<Image> images_;
};

// A top-down 32-bit DIB section holding the given BGRA pixels (none when
// null); its pixels' address in *bits when asked.
UniqueBitmap MakeDibSection(int width, int height, const uint8_t* bgra, void** bits = nullptr);
// An icon from straight-alpha BGRA pixels.
UniqueIcon MakeIconFromPixels(int width, int height, const uint8_t* bgra);

}  // namespace kelvane
