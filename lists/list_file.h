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
// understood instead of turning the count line into 0, a line that is not
// UTF-8 is taken in the system's ANSI code page instead of being replaced by
// U+FFFD, a count line larger than the entries the file holds adds no empty
// rows, and a first line that is no count at all ("deux", "-5") still gives
// the entries that follow it (the list is then marked, see countUnreadable).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lists/packed_entries.h"
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

// The value of a count line: blanks and tabs skipped, an optional sign, then
// decimal digits up to the first other character; 0 without digits. Values
// beyond the 64-bit range saturate.
std::int64_t ParseCountLine(std::wstring_view line);

// Splits text into lines (CR LF, CR or LF end a line; the terminator is not
// part of the line). A final line without terminator counts; a text ending in
// a terminator has no empty line after it.
std::vector<std::wstring_view> SplitLines(std::wstring_view text);

// The file's bytes as text: byte-order marks understood and dropped, then
// line by line: a line that is valid UTF-8 reads as UTF-8, any other in the
// ANSI code page through `decodeAnsi` (Cp1252ToWide when null). So a file cut
// inside a character loses that character only, and a file written in ANSI
// keeps its accents.
std::wstring DecodeListFile(std::string_view bytes, AnsiDecoder decodeAnsi = nullptr);

struct ParsedList {
  std::vector<ListEntry> entries;
  std::int64_t declaredCount = 0;  // the count line's value
  // True when the count line asked for more entries than the file holds
  // (a file cut short, or an absurd count): only those it holds are read.
  bool countCut = false;
  // True when the first line is not a count (no digits, or negative): the
  // entries are read from every name and target pair that follows it. Such a
  // file was not written by this program; it must not be written over by a
  // list the user has not changed.
  bool countUnreadable = false;
};

// True when the bytes are a list exactly as SerializeList writes it: a count,
// then that many name and target lines, each ended by CR LF, nothing after.
// A temporary file cut short by a crash fails this.
bool IsCompleteListFile(std::string_view bytes);

// True when nothing says the file was damaged: no NUL character in its text,
// a count line of digits, and at least the two lines of each counted entry
// (the last line may lack its line end: hand-edited files often do). A file
// cut short, zero-filled or emptied fails.
bool IsUndamagedListFile(std::string_view bytes);

ParsedList ParseListText(std::wstring_view text);
ParsedList ParseListFile(std::string_view bytes, AnsiDecoder decodeAnsi = nullptr);

// The same entries packed (see PackedEntries): the decoded text becomes
// their pool, with no heap block per entry.
struct PackedList {
  PackedEntries entries;
  std::int64_t declaredCount = 0;
  bool countCut = false;
  bool countUnreadable = false;
};
PackedList ParsePackedListFile(std::string_view bytes, AnsiDecoder decodeAnsi = nullptr);

// True when SerializeList of the `entries` entries read from `bytes` gives
// those bytes back, so that their checksum is the bytes' own: a count
// written as this program writes it, every line ended by CR LF, valid UTF-8.
bool SerializesAsRead(std::string_view bytes, std::size_t entries);

// The file's bytes for a list: the count, then name and target of each entry,
// each line ended by CR LF. A text cannot hold a line break in this format, so
// CR and LF inside a name or target are written as blanks (a line break would
// shift every later entry by one line at the next load).
std::string SerializeList(const std::vector<ListEntry>& entries);
std::string SerializePacked(const PackedEntries& entries);

}  // namespace kelvane
