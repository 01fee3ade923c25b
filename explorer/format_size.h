#pragma once
// A file size for people: "500 Octet", "1.46 Ko", "976.6 Ko", "0.95 Mo".
#include <cstdint>
#include <string>

namespace kelvane {

// The unit and the number of decimals follow decimal thresholds (below
// 1 000 bytes, below 10 000, below 1 000 000, ...) while the number itself
// is the size divided by a power of 1 024, rounded half up. Hence 1 000 000
// bytes shows as "0.95 Mo". The decimal point is ".".
std::wstring FormatSize(uint64_t bytes);

}  // namespace kelvane
