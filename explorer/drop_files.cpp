#include "explorer/drop_files.h"

#include "explorer/path_list.h"

namespace kelvane {
namespace {

void PutUint32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t GetUint32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

void PutUnit(std::vector<uint8_t>& out, uint32_t unit) {
  out.push_back(static_cast<uint8_t>(unit));
  out.push_back(static_cast<uint8_t>(unit >> 8));
}

// One wide character as UTF-16 units. On Windows a wchar_t already is one
// unit (file names may hold lone surrogates; they go through untouched). On
// Linux it is a code point: astral ones become a surrogate pair.
void PutWideChar(std::vector<uint8_t>& out, wchar_t c) {
  const auto cp = static_cast<uint32_t>(c);
  if (sizeof(wchar_t) == 2 || cp < 0x10000) {
    PutUnit(out, cp);
  } else if (cp <= 0x10FFFF) {
    PutUnit(out, 0xD800 + ((cp - 0x10000) >> 10));
    PutUnit(out, 0xDC00 + ((cp - 0x10000) & 0x3FF));
  } else {
    PutUnit(out, 0xFFFD);
  }
}

bool IsHighSurrogate(uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// UTF-16 units to a wide string: as they are where wchar_t is 16 bits,
// pairs joined into code points where it is 32 (a lone surrogate is no code
// point and becomes U+FFFD there).
std::wstring WideFromUnits(const std::vector<uint16_t>& units) {
  std::wstring out;
  out.reserve(units.size());
  for (size_t i = 0; i < units.size(); ++i) {
    const uint32_t u = units[i];
    if constexpr (sizeof(wchar_t) == 2) {
      out.push_back(static_cast<wchar_t>(u));
    } else if (IsHighSurrogate(u) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
      out.push_back(static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00)));
      ++i;
    } else if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
      out.push_back(L'\uFFFD');
    } else {
      out.push_back(static_cast<wchar_t>(u));
    }
  }
  return out;
}

std::vector<std::wstring> ParseWideList(const uint8_t* p, size_t size) {
  std::vector<std::wstring> paths;
  std::vector<uint16_t> units;
  for (size_t i = 0; i + 1 < size; i += 2) {  // an odd last byte is no unit
    const auto unit = static_cast<uint16_t>(p[i] | p[i + 1] << 8);
    if (unit != 0) {
      units.push_back(unit);
      continue;
    }
    if (units.empty()) break;  // the empty path: end of the list
    paths.push_back(WideFromUnits(units));
    units.clear();
  }
  return paths;
}

std::vector<std::wstring> ParseAnsiList(const uint8_t* p, size_t size, AnsiDecoder decodeAnsi) {
  std::vector<std::wstring> paths;
  size_t start = 0;
  for (size_t i = 0; i < size; ++i) {
    if (p[i] != 0) continue;
    if (i == start) break;
    paths.push_back(decodeAnsi(std::string_view(reinterpret_cast<const char*>(p + start), i - start)));
    start = i + 1;
  }
  return paths;
}

}  // namespace

std::vector<uint8_t> BuildDropFilesBlock(const std::vector<std::wstring>& paths) {
  const std::wstring list = BuildPathList(paths);
  std::vector<uint8_t> block;
  block.reserve(kDropFilesHeaderSize + list.size() * 2);
  PutUint32(block, kDropFilesHeaderSize);  // pFiles
  PutUint32(block, 0);                     // pt.x
  PutUint32(block, 0);                     // pt.y
  PutUint32(block, 0);                     // fNC
  PutUint32(block, 1);                     // fWide
  for (wchar_t c : list) PutWideChar(block, c);
  return block;
}

std::vector<std::wstring> ParseDropFilesBlock(const uint8_t* data, size_t size, AnsiDecoder decodeAnsi) {
  if (data == nullptr || size < kDropFilesHeaderSize) return {};
  const uint32_t offset = GetUint32(data);
  if (offset < kDropFilesHeaderSize || offset > size) return {};
  const bool wide = GetUint32(data + 16) != 0;
  if (wide) return ParseWideList(data + offset, size - offset);
  if (decodeAnsi == nullptr) return {};
  return ParseAnsiList(data + offset, size - offset, decodeAnsi);
}

}  // namespace kelvane
