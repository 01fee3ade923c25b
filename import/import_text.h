#pragma once
// Text pieces shared by the readers of other programs' files.
#include <string>
#include <string_view>

namespace kelvane {

// The file's bytes as text: byte-order marks understood, UTF-8 where valid,
// Windows-1252 elsewhere, line by line (see DecodeListFile).
std::wstring DecodeImportedText(std::string_view bytes);

// &amp; &lt; &gt; &quot; &apos; &nbsp; and numeric references (&#233;
// &#xE9;) replaced by their characters; anything else kept as written.
std::wstring DecodeHtmlEntities(std::wstring_view text);

// The text without blanks, tabs and line breaks at either end.
std::wstring_view TrimBlanks(std::wstring_view text);

// Runs of blanks, tabs and line breaks as one blank; none at either end.
std::wstring CollapseBlanks(std::wstring_view text);

// AppendCodePoint for a value read from outside: surrogates, NUL and values
// beyond U+10FFFF become U+FFFD.
void AppendCheckedCodePoint(std::wstring& text, char32_t c);

}  // namespace kelvane
