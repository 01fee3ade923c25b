#pragma once
// Reading the directory of a Windows .ico file held in memory.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kelvane {

struct IcoEntry {
  int width = 0;   // 256 for an entry that says 0
  int height = 0;
  int bitCount = 0;
  size_t offset = 0;  // of the image data (BITMAPINFOHEADER or PNG) in the file
  size_t size = 0;
};

// Every entry of the file whose data lies inside it; empty for anything that
// is not an icon file.
std::vector<IcoEntry> ReadIcoDirectory(const uint8_t* data, size_t size);

// The first entry of the given width, else the first entry.
std::optional<IcoEntry> PickIcoEntry(const uint8_t* data, size_t size, int width);

// The pixels of a 32-bit uncompressed entry as BGRA rows top to bottom,
// straight alpha (what the file holds). Empty for other kinds of entry
// (PNG-compressed, palette), which callers hand to the system instead.
std::vector<uint8_t> Decode32BitIcoEntry(const uint8_t* data, size_t size, const IcoEntry& entry);

}  // namespace kelvane
