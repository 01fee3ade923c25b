#pragma once
// The key/value text format of the program's settings files:
//
//   <BOM EF BB BF><CR LF>
//   KeepWindowSize = Ok<CR LF>
//   WindowHeight = 540<CR LF>
//
// Written as UTF-8 with a byte-order mark, one "key = value" per line.
// Read leniently, since users edit these files by hand: a file without the
// mark is in the ANSI code page, any run of CR and LF ends a line, keys
// ignore ASCII case, comments (";") and blank lines are skipped, and only
// keys before the first "[group]" line are looked up.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "toolkit/utf.h"

namespace kelvane {

class KeyValueReader {
 public:
  KeyValueReader() = default;  // an empty file: every lookup gives its default
  // `decodeAnsi` converts a file without byte-order mark (Cp1252ToWide when null).
  KeyValueReader(std::string_view bytes, AnsiDecoder decodeAnsi);

  // The value, without leading and trailing blanks and tabs; `fallback`
  // when the key is absent.
  std::wstring ReadString(std::wstring_view key, std::wstring_view fallback) const;
  // The value as a number (see ParseKeyValueNumber); `fallback` when the
  // key is absent. A value that is present but not a number reads as 0.
  int32_t ReadNumber(std::wstring_view key, int32_t fallback) const;

 private:
  // Value as found: leading blanks skipped, rest of the line kept.
  const std::wstring* Find(std::wstring_view key) const;
  std::vector<std::pair<std::wstring, std::wstring>> entries_;
};

class KeyValueWriter {
 public:
  // Setting a key again (in any case) replaces its line where it stands.
  // A value stops at its first CR, LF or NUL: the format has no escapes.
  void WriteString(std::wstring_view key, std::wstring_view value);
  void WriteNumber(std::wstring_view key, int32_t value);
  void WriteComment(std::wstring_view text);
  // The whole file: byte-order mark, empty first line, lines ended by CR LF.
  std::string Text() const;

 private:
  struct Line {
    std::wstring key;  // empty for comments
    std::string text;  // UTF-8, without line end
  };
  std::vector<Line> lines_;
};

// A number as the reader takes it: optional sign, decimal digits up to the
// first other character, reduced to 32 bits (the decimal value modulo 2^32,
// however many digits). No digits gives 0.
int32_t ParseKeyValueNumber(std::wstring_view value);

}  // namespace kelvane
