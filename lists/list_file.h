#pragma once
// The three favourite list files ("MyApps.txt", "MyFiles.txt", "MyLinks.txt"):
// a count line, then one line with the name and one with the target of each
// entry. Written as UTF-8 without byte-order mark, every line ended by CR LF.
// Read leniently: CR LF, a lone CR, a lone LF and the end of the file all end
// a line; lines missing at the end read as empty texts; lines after the
// counted entries are ignored.
//
// Reading is also defensive where a literal reading would lose favourites at
// the next save: a byte-order mark (UTF-8, or UTF-16 of either order) is
// understood instead of turning the count line into 0, bytes that are not
// UTF-8 are taken in the system's ANSI code page instead of being replaced by
// U+FFFD, and an absurd count line cannot make the loader append millions of
// empty entries (see kMaxEmptyEntriesPastEnd).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/utf.h"

namespace kelvane {

// One row of a favourite list. The icon is an index in the shell's image
// list of small icons (links: in the links list's own image list); it is
// never stored in the file.
struct ListEntry {
  std::wstring name;
  std::wstring target;
  int icon = -1;  // -1: none

  bool operator==(const ListEntry&) const = default;
};

// A count line larger than the entries that follow still gives empty entries
// for the missing lines, but never more than this many beyond the end of the
// file: a file cut short keeps its count, a count of two billion cannot hang
// the loader or exhaust memory.
inline constexpr std::size_t kMaxEmptyEntriesPastEnd = 1000;

// The value of a count line: blanks and tabs skipped, an optional sign, then
// decimal digits up to the first other character; 0 without digits. Values
// beyond the 64-bit range saturate.
std::int64_t ParseCountLine(std::wstring_view line);

// Splits text into lines (CR LF, CR or LF end a line; the terminator is not
// part of the line). A final line without terminator counts; a text ending in
// a terminator has no empty line after it.
std::vector<std::wstring_view> SplitLines(std::wstring_view text);

// The file's bytes as text: byte-order marks understood and dropped, UTF-8
// when the bytes are valid UTF-8, else the ANSI code page through `decodeAnsi`
// (Cp1252ToWide when null).
std::wstring DecodeListFile(std::string_view bytes, AnsiDecoder decodeAnsi = nullptr);

struct ParsedList {
  std::vector<ListEntry> entries;
  std::int64_t declaredCount = 0;  // the count line's value
  // True when the count line asked for more entries than were given, even
  // counting the empty ones appended for missing lines.
  bool countCut = false;
};

ParsedList ParseListText(std::wstring_view text);
ParsedList ParseListFile(std::string_view bytes, AnsiDecoder decodeAnsi = nullptr);

// The file's bytes for a list: the count, then name and target of each entry,
// each line ended by CR LF. A text cannot hold a line break in this format, so
// CR and LF inside a name or target are written as blanks (a line break would
// shift every later entry by one line at the next load).
std::string SerializeList(const std::vector<ListEntry>& entries);

}  // namespace kelvane
