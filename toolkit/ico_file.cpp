#include "toolkit/ico_file.h"

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

}  // namespace kelvane
