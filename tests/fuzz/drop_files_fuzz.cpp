// A dropped-files block (CF_HDROP) from another program: any bytes give a
// list of paths, and a block built from them gives the same list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "explorer/drop_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::wstring> paths = kelvane::ParseDropFilesBlock(data, size, nullptr);
  // What the program puts on the clipboard has no final backslashes, and an
  // empty path would end the list.
  std::vector<std::wstring> kept;
  for (std::wstring path : paths) {
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    if (path.empty()) break;
    if (path.find(L'\0') == std::wstring::npos) kept.push_back(path);
  }
  const std::vector<std::uint8_t> block = kelvane::BuildDropFilesBlock(kept);
  if (kelvane::ParseDropFilesBlock(block.data(), block.size(), nullptr) != kept) std::abort();
  return 0;
}
