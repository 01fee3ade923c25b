// Pictures the program reads from files beside it: a PNG (the about window's
// picture) and an icon file. Any bytes decode or are refused, never overrun.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "toolkit/ico_file.h"
#include "toolkit/png_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (auto image = kelvane::DecodePng(std::span<const std::uint8_t>(data, size))) {
    const auto pixels = kelvane::PremultipliedBgra(*image);
    if (pixels.size() != static_cast<std::size_t>(image->width) * image->height * 4) std::abort();
  }
  for (const kelvane::IcoEntry& entry : kelvane::ReadIcoDirectory(data, size)) {
    if (entry.offset > size || entry.size > size - entry.offset) std::abort();
    kelvane::Decode32BitIcoEntry(data, size, entry);
  }
  kelvane::PickIcoEntry(data, size, 16);
  return 0;
}
