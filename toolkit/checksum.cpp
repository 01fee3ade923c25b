#include "toolkit/checksum.h"

namespace kelvane {

std::uint64_t ContentChecksum(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

}  // namespace kelvane
