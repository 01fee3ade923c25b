#pragma once
#include <cstdint>
#include <string_view>

namespace kelvane {

// FNV-1a over the bytes: enough to tell two contents apart, not a signature.
std::uint64_t ContentChecksum(std::string_view bytes);

}  // namespace kelvane
