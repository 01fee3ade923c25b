// Browser bookmark files (HTML export, Chromium-family JSON), internet
// shortcut files (.url) and the usage
// counts file: any bytes read in bounded time, and only addresses the
// program may open come out.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "import/bookmarks.h"
#include "import/url_file.h"
#include "quickopen/usage_counts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const auto& read : {kelvane::ReadBookmarksHtml(bytes), kelvane::ReadBookmarksJson(bytes)}) {
    for (const kelvane::Bookmark& bookmark : read) {
      if (!kelvane::IsImportableAddress(bookmark.url) || bookmark.name.empty()) std::abort();
    }
  }
  const std::wstring address = kelvane::ReadUrlFileAddress(bytes);
  if (!address.empty() && !kelvane::IsImportableAddress(address)) std::abort();
  const std::string counts = kelvane::UsageCounts::Parse(bytes).Serialize();
  if (kelvane::UsageCounts::Parse(counts).Serialize() != counts) std::abort();
  return 0;
}
