#pragma once
// Text conversions between the wide strings of the program and the bytes of
// its files. Portable: wchar_t is 16 bits on Windows (UTF-16, surrogate
// pairs) and 32 bits on Linux (one code point per unit); both are handled.
#include <string>
#include <string_view>

namespace kelvane {

// UTF-8 to wide. Malformed sequences become U+FFFD, never a crash.
std::wstring Utf8ToWide(std::string_view utf8);

// Wide to UTF-8. Lone surrogates become U+FFFD.
std::string WideToUtf8(std::wstring_view wide);

// True when the bytes form valid UTF-8 (no overlongs, no surrogates).
bool IsValidUtf8(std::string_view bytes);

// Appends a code point (at most U+10FFFF, no surrogate) as wide characters:
// a surrogate pair where wchar_t has 16 bits.
void AppendCodePoint(std::wstring& out, char32_t cp);

// Windows-1252 ("ANSI" on Western European systems) to wide.
std::wstring Cp1252ToWide(std::string_view bytes);

// Decoder for bytes in the system's ANSI code page; on Windows the real one
// (see AnsiToWide in utf_win), in portable code a parameter.
using AnsiDecoder = std::wstring (*)(std::string_view);

// The byte-order mark that starts UTF-8 files written by the program.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace kelvane
