#include "import/url_file.h"

#include "import/bookmarks.h"
#include "import/import_text.h"
#include "lists/list_rules.h"

namespace kelvane {

std::wstring ReadUrlFileAddress(std::string_view bytes) {
  const std::wstring text = DecodeImportedText(bytes);
  bool inSection = false;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    const std::wstring_view line = TrimBlanks(std::wstring_view(text).substr(start, end - start));
    start = end + 1;
    if (!line.empty() && line.front() == L'[') {
      inSection = SameNameIgnoringCase(line, L"[InternetShortcut]");
      continue;
    }
    const std::size_t equals = line.find(L'=');
    if (!inSection || equals == std::wstring_view::npos) continue;
    if (!SameNameIgnoringCase(TrimBlanks(line.substr(0, equals)), L"URL")) continue;
    const std::wstring_view address = TrimBlanks(line.substr(equals + 1));
    return IsImportableAddress(address) ? std::wstring(address) : std::wstring();
  }
  return {};
}

}  // namespace kelvane
