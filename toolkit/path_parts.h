#pragma once
// Small edits of path texts, "/" taken as "\" as Windows takes it.
#include <string>
#include <string_view>

namespace kelvane {

// The path with a separator at its end: a backslash is added unless the path
// is empty or already ends with "\" or "/".
std::wstring WithTrailingBackslash(std::wstring_view path);

}  // namespace kelvane
