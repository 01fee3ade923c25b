#include "toolkit/ico_file.h"

#include <algorithm>

namespace kelvane {
namespace {

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

std::vector<IcoEntry> ReadIcoDirectory(const uint8_t* data, size_t size) {
  std::vector<IcoEntry> entries;
  if (!data || size < 6 || U16(data) != 0 || U16(data + 2) != 1) return entries;
  const size_t count = U16(data + 4);
  if (count == 0 || 6 + count * 16 > size) return entries;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* e = data + 6 + i * 16;
    IcoEntry entry;
    entry.width = e[0] ? e[0] : 256;
    entry.height = e[1] ? e[1] : 256;
    entry.bitCount = U16(e + 6);
    entry.size = U32(e + 8);
    entry.offset = U32(e + 12);
    if (entry.offset > size || entry.size > size - entry.offset || entry.size == 0) return {};
    entries.push_back(entry);
  }
  return entries;
}

std::optional<IcoEntry> PickIcoEntry(const uint8_t* data, size_t size, int width) {
  const std::vector<IcoEntry> entries = ReadIcoDirectory(data, size);
  if (entries.empty()) return std::nullopt;
  for (const IcoEntry& e : entries) {
    if (e.width == width) return e;
  }
  return entries.front();
}

std::vector<uint8_t> Decode32BitIcoEntry(const uint8_t* data, size_t size, const IcoEntry& entry) {
  constexpr size_t kHeader = 40;
  if (!data || entry.offset > size || entry.size > size - entry.offset || entry.size < kHeader) return {};
  const uint8_t* header = data + entry.offset;
  const auto width = static_cast<int32_t>(U32(header + 4));
  const auto doubledHeight = static_cast<int32_t>(U32(header + 8));
  if (U32(header) != kHeader || U16(header + 14) != 32 || U32(header + 16) != 0) return {};
  // The stored height counts the colour rows and the mask rows.
  if (width != entry.width || doubledHeight != 2 * entry.height) return {};
  const size_t rowBytes = static_cast<size_t>(width) * 4;
  const size_t pixelBytes = rowBytes * static_cast<size_t>(entry.height);
  if (kHeader + pixelBytes > entry.size) return {};
  std::vector<uint8_t> pixels(pixelBytes);
  const uint8_t* bottomUp = header + kHeader;
  for (int row = 0; row < entry.height; ++row) {
    const uint8_t* source = bottomUp + rowBytes * static_cast<size_t>(entry.height - 1 - row);
    std::copy(source, source + rowBytes, pixels.begin() + static_cast<ptrdiff_t>(rowBytes * row));
  }
  return pixels;
}

}  // namespace kelvane
