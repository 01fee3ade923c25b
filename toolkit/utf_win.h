#pragma once
#include <string>
#include <string_view>

namespace kelvane {

// Bytes in the system's ANSI code page to wide (a file written by another
// editor without byte-order mark).
std::wstring AnsiToWide(std::string_view bytes);

// The whole content of a file; false when it cannot be opened or read.
bool ReadWholeFile(const std::wstring& path, std::string* bytes);

bool PathExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);

}  // namespace kelvane
