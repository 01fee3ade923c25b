// A favourite list file: any bytes parse, and what parses writes back to a
// file that reads as the same entries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "lists/list_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const kelvane::ParsedList parsed = kelvane::ParseListFile(bytes);
  const std::string written = kelvane::SerializeList(parsed.entries);
  if (!kelvane::IsCompleteListFile(written)) std::abort();
  if (kelvane::ParseListFile(written).entries != parsed.entries) {
    // Line breaks inside a text are written as blanks: compare after that.
    if (kelvane::SerializeList(kelvane::ParseListFile(written).entries) != written) std::abort();
  }
  return 0;
}
