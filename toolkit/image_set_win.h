#pragma once
// The program's compiled-in images, loaded once at start-up. Icon images
// become HICONs; PNG images are decoded and kept both as a premultiplied
// 32-bit bitmap (for drawing) and as an HICON (for image lists and menus).
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/handle_win.h"

namespace kelvane {

class ImageSet {
 public:
  // Loads images 0..count-1 from RCDATA resources base+n; returns how many loaded.
  int LoadFromResources(HINSTANCE instance, int base, int count);

  int Count() const { return static_cast<int>(images_.size()); }
  HICON Icon(int n) const;
  HBITMAP Bitmap(int n) const;  // null for icon images
  SIZE Size(int n) const;

 private:
  struct Image {
    UniqueIcon icon;
    UniqueBitmap bitmap;
    SIZE size{0, 0};
  };
  std::vector<Image> images_;
};

// Decoders for one image file held in memory; null on any fault.
UniqueIcon IconFromIcoBytes(const uint8_t* data, size_t size, int preferredWidth);
// Fills *bitmap (premultiplied, for AlphaBlend) and returns the matching icon.
UniqueIcon IconFromPngBytes(const uint8_t* data, size_t size, UniqueBitmap* bitmap, SIZE* pixels);

}  // namespace kelvane
