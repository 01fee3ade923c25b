#include "lists/list_file.h"

#include <algorithm>
#include <limits>

namespace kelvane {
namespace {

// UTF-16 (after its byte-order mark) to wide; an odd last byte is dropped and
// unpaired surrogates become U+FFFD.
std::wstring Utf16ToWide(std::string_view bytes, bool bigEndian) {
  std::wstring out;
  out.reserve(bytes.size() / 2);
  auto unit = [&](size_t i) -> char32_t {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (char32_t{a} << 8 | b) : (char32_t{b} << 8 | a);
  };
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const char32_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendCodePoint(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    AppendCodePoint(out, (u >= 0xD800 && u <= 0xDFFF) ? char32_t{0xFFFD} : u);
  }
  return out;
}

void AppendLine(std::string& out, std::wstring_view text) {
  const size_t start = out.size();
  out += WideToUtf8(text);
  // A line break inside a text would end its line early (see the header).
  std::replace_if(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(),
                  [](char c) { return c == '\r' || c == '\n'; }, ' ');
  out += "\r\n";
}

}  // namespace

std::int64_t ParseCountLine(std::wstring_view line) {
  size_t i = 0;
  while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
  bool negative = false;
  if (i < line.size() && (line[i] == L'+' || line[i] == L'-')) {
    negative = line[i] == L'-';
    ++i;
  }
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  std::int64_t value = 0;
  for (; i < line.size() && line[i] >= L'0' && line[i] <= L'9'; ++i) {
    const int digit = static_cast<int>(line[i] - L'0');
    value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
  }
  return negative ? -value : value;
}

std::vector<std::wstring_view> SplitLines(std::wstring_view text) {
  std::vector<std::wstring_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'\r' && text[i] != L'\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::wstring DecodeListFile(std::string_view bytes, AnsiDecoder decodeAnsi) {
  if (bytes.substr(0, 3) == kUtf8Bom) bytes.remove_prefix(3);
  else if (bytes.substr(0, 2) == "\xFF\xFE") return Utf16ToWide(bytes.substr(2), false);
  else if (bytes.substr(0, 2) == "\xFE\xFF") return Utf16ToWide(bytes.substr(2), true);
  if (IsValidUtf8(bytes)) return Utf8ToWide(bytes);
  // Decoding the whole file in ANSI for one bad byte (a cut character, a
  // line written by another tool) would turn every other accented letter
  // into mojibake, which the next save would keep: decide line by line.
  std::wstring text;
  text.reserve(bytes.size());
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view line = bytes.substr(start, end - start);
    if (IsValidUtf8(line)) text += Utf8ToWide(line);
    else text += decodeAnsi ? decodeAnsi(line) : Cp1252ToWide(line);
    if (end < bytes.size()) text.push_back(static_cast<wchar_t>(bytes[end]));  // CR or LF, as ASCII
    start = end + 1;
  }
  return text;
}

namespace {

// A count line as this program writes it: optional blanks, an optional plus
// sign, then at least one digit. ParseCountLine reads more leniently.
bool IsCountLine(std::wstring_view line) {
  size_t i = line.find_first_not_of(L" \t");
  if (i == std::wstring_view::npos) return false;
  if (line[i] == L'+') ++i;
  return i < line.size() && line[i] >= L'0' && line[i] <= L'9';
}

}  // namespace

bool IsCompleteListFile(std::string_view bytes) {
  if (bytes.size() < 3 || bytes.substr(bytes.size() - 2) != "\r\n") return false;
  size_t lineEnds = 0;
  for (size_t at = bytes.find("\r\n"); at != std::string_view::npos; at = bytes.find("\r\n", at + 2)) ++lineEnds;
  const std::string_view first = bytes.substr(0, bytes.find("\r\n"));
  if (first.empty() || first.find_first_not_of("0123456789") != std::string_view::npos || first.size() > 18) {
    return false;
  }
  const auto count = static_cast<size_t>(std::stoll(std::string(first)));
  return lineEnds == 1 + 2 * count;
}

bool IsUndamagedListFile(std::string_view bytes) {
  const std::wstring text = DecodeListFile(bytes);
  if (text.find(L'\0') != std::wstring::npos) return false;
  const std::vector<std::wstring_view> lines = SplitLines(text);
  if (lines.empty()) return false;
  std::wstring_view count = lines[0];
  while (!count.empty() && (count.front() == L' ' || count.front() == L'\t')) count.remove_prefix(1);
  while (!count.empty() && (count.back() == L' ' || count.back() == L'\t')) count.remove_suffix(1);
  if (count.empty() || count.size() > 9 || count.find_first_not_of(L"0123456789") != std::wstring_view::npos) {
    return false;
  }
  return static_cast<std::int64_t>(lines.size()) >= 1 + 2 * ParseCountLine(count);
}

namespace {

// Which lines of a list's text hold the entries.
struct ListShape {
  std::vector<std::wstring_view> lines;
  std::size_t entries = 0;
  std::int64_t declaredCount = 0;
  bool countCut = false;
  bool countUnreadable = false;

  // The name and target lines of entry k; empty past the end of the text.
  std::wstring_view Line(std::size_t at) const { return at < lines.size() ? lines[at] : std::wstring_view(); }
  std::wstring_view Name(std::size_t k) const { return Line(1 + 2 * k); }
  std::wstring_view Target(std::size_t k) const { return Line(2 + 2 * k); }
};

ListShape ShapeOf(std::wstring_view text) {
  ListShape shape;
  shape.lines = SplitLines(text);
  if (shape.lines.empty()) return shape;
  shape.declaredCount = ParseCountLine(shape.lines[0]);
  // A name line without its target line still makes an entry.
  const size_t inFile = shape.lines.size() / 2;  // (lines.size() - 1 + 1) / 2
  if (!IsCountLine(shape.lines[0]) || shape.declaredCount < 0) {
    shape.countUnreadable = true;
    shape.entries = inFile;
  } else {
    const auto count = static_cast<std::uint64_t>(shape.declaredCount);
    shape.countCut = count > inFile;
    shape.entries = shape.countCut ? inFile : static_cast<size_t>(count);
  }
  return shape;
}

}  // namespace

ParsedList ParseListText(std::wstring_view text) {
  const ListShape shape = ShapeOf(text);
  ParsedList parsed;
  parsed.declaredCount = shape.declaredCount;
  parsed.countCut = shape.countCut;
  parsed.countUnreadable = shape.countUnreadable;
  parsed.entries.resize(shape.entries);
  for (size_t k = 0; k < shape.entries; ++k) {
    parsed.entries[k].name = shape.Name(k);
    parsed.entries[k].target = shape.Target(k);
  }
  return parsed;
}

PackedList ParsePackedListFile(std::string_view bytes, AnsiDecoder decodeAnsi) {
  std::wstring text = DecodeListFile(bytes, decodeAnsi);
  const ListShape shape = ShapeOf(text);
  PackedList packed;
  packed.declaredCount = shape.declaredCount;
  packed.countCut = shape.countCut;
  packed.countUnreadable = shape.countUnreadable;
  std::vector<PackedEntries::Place> places(shape.entries);
  const auto offset = [&](std::wstring_view line) {
    return line.empty() ? 0 : static_cast<std::size_t>(line.data() - text.data());
  };
  for (size_t k = 0; k < shape.entries; ++k) {
    const std::wstring_view name = shape.Name(k), target = shape.Target(k);
    places[k] = {offset(name), name.size(), offset(target), target.size()};
  }
  packed.entries = PackedEntries::Adopt(std::move(text), places);
  return packed;
}

bool SerializesAsRead(std::string_view bytes, std::size_t entries) {
  if (!IsCompleteListFile(bytes) || bytes.substr(0, bytes.find("\r\n")) != std::to_string(entries)) return false;
  // Each CR begins a line end and each LF ends one: no lone CR or LF, which
  // would end a line when read but be written as a blank.
  for (size_t i = 0; i < bytes.size(); ++i) {
    if ((bytes[i] == '\r') != (i + 1 < bytes.size() && bytes[i + 1] == '\n')) return false;
    if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) return false;
  }
  return IsValidUtf8(bytes);
}

ParsedList ParseListFile(std::string_view bytes, AnsiDecoder decodeAnsi) {
  return ParseListText(DecodeListFile(bytes, decodeAnsi));
}

namespace {

// `nameAt` and `targetAt` give the texts of entry k.
template <class NameAt, class TargetAt>
std::string Serialize(std::size_t count, NameAt nameAt, TargetAt targetAt) {
  std::string out;
  size_t size = 8;
  for (size_t k = 0; k < count; ++k) size += nameAt(k).size() + targetAt(k).size() + 4;
  out.reserve(size + size / 4);
  out += std::to_string(count);
  out += "\r\n";
  for (size_t k = 0; k < count; ++k) {
    AppendLine(out, nameAt(k));
    AppendLine(out, targetAt(k));
  }
  return out;
}

}  // namespace

std::string SerializeList(const std::vector<ListEntry>& entries) {
  return Serialize(
      entries.size(), [&](size_t k) -> std::wstring_view { return entries[k].name; },
      [&](size_t k) -> std::wstring_view { return entries[k].target; });
}

std::string SerializePacked(const PackedEntries& entries) {
  return Serialize(
      entries.Count(), [&](size_t k) { return entries.Name(k); }, [&](size_t k) { return entries.Target(k); });
}

}  // namespace kelvane
