#pragma once
// The internet shortcut file (.url): INI text whose [InternetShortcut]
// section holds the address as URL=...
#include <string>
#include <string_view>

namespace kelvane {

// The address of the file's [InternetShortcut] section (section and key in
// any letter case, blanks around the value dropped), or empty when it has
// none or the address is not one the lists keep (IsImportableAddress).
std::wstring ReadUrlFileAddress(std::string_view bytes);

}  // namespace kelvane
