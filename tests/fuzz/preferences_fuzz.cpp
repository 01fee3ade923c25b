// The preferences file: any bytes give a record, and a record written and
// read back is the same record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/preferences.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const kelvane::Preferences read = kelvane::ParsePreferences(bytes, nullptr);
  const std::string written = kelvane::SerializePreferences(read);
  if (kelvane::SerializePreferences(kelvane::ParsePreferences(written, nullptr)) != written) std::abort();
  return 0;
}
