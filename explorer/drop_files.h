#pragma once
// The CF_HDROP clipboard item as bytes: a 20-byte DROPFILES header
//
//   offset 0  pFiles  (DWORD)  where the path list starts
//   offset 4  pt.x    (LONG)
//   offset 8  pt.y    (LONG)
//   offset 12 fNC     (BOOL)
//   offset 16 fWide   (BOOL)   non-zero: UTF-16 paths, zero: ANSI paths
//
// then the paths, each ended by a NUL, and one more NUL. All little-endian.
// Kept as bytes so that the same code serves Windows and the tests on Linux,
// where wchar_t is 32 bits wide.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/utf.h"

namespace kelvane {

inline constexpr size_t kDropFilesHeaderSize = 20;

// The block the program puts on the clipboard: pFiles 20, pt (0, 0), fNC 0,
// fWide 1, then the path list of BuildPathList (final backslashes removed,
// the first empty element ends the list) in UTF-16LE.
std::vector<uint8_t> BuildDropFilesBlock(const std::vector<std::wstring>& paths);

// The paths of a block, whoever made it: any pFiles past the header, wide
// or ANSI paths (ANSI decoded by `decodeAnsi`). Never reads past `size`.
// Returns the paths up to the empty one that ends the list; when the block
// ends first, the paths that were complete (NUL-terminated) are kept and a
// cut one is dropped. A block too short for its header, or whose pFiles
// points into the header or past the end, holds no paths.
std::vector<std::wstring> ParseDropFilesBlock(const uint8_t* data, size_t size, AnsiDecoder decodeAnsi);

}  // namespace kelvane
