#include "import/import_text.h"

#include <cwctype>

#include "import/bookmarks.h"
#include "lists/list_file.h"
#include "toolkit/utf.h"

namespace kelvane {

std::wstring DecodeImportedText(std::string_view bytes) { return DecodeListFile(bytes); }

std::wstring_view TrimBlanks(std::wstring_view text) {
  const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

void AppendCheckedCodePoint(std::wstring& text, char32_t c) {
  if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF || c == 0) c = 0xFFFD;
  AppendCodePoint(text, c);
}

namespace {

// The character of the reference at text[0] == '&', and its length; 0 when
// it is none.
std::size_t ReadEntity(std::wstring_view text, char32_t* c) {
  const std::size_t semicolon = text.substr(0, 12).find(L';');  // never the whole rest
  if (semicolon == std::wstring_view::npos || semicolon < 2 || semicolon > 10) return 0;
  const std::wstring_view name = text.substr(1, semicolon - 1);
  if (name[0] == L'#') {
    const bool hex = name.size() > 1 && (name[1] == L'x' || name[1] == L'X');
    const std::wstring_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty()) return 0;
    char32_t value = 0;
    for (wchar_t d : digits) {
      int digit = -1;
      if (d >= L'0' && d <= L'9') digit = d - L'0';
      else if (hex && d >= L'a' && d <= L'f') digit = d - L'a' + 10;
      else if (hex && d >= L'A' && d <= L'F') digit = d - L'A' + 10;
      if (digit < 0) return 0;
      value = value * (hex ? 16 : 10) + static_cast<char32_t>(digit);
      if (value > 0x10FFFF) value = 0x110000;  // stays out of range, no overflow
    }
    *c = value;
    return semicolon + 1;
  }
  static constexpr struct {
    std::wstring_view name;
    char32_t c;
  } kNamed[] = {{L"amp", U'&'}, {L"lt", U'<'}, {L"gt", U'>'}, {L"quot", U'"'}, {L"apos", U'\''}, {L"nbsp", 0xA0}};
  for (const auto& named : kNamed) {
    if (name == named.name) {
      *c = named.c;
      return semicolon + 1;
    }
  }
  return 0;
}

}  // namespace

std::wstring DecodeHtmlEntities(std::wstring_view text) {
  std::wstring decoded;
  decoded.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t c = 0;
    const std::size_t length = text[i] == L'&' ? ReadEntity(text.substr(i), &c) : 0;
    if (length) {
      AppendCheckedCodePoint(decoded, c);
      i += length;
    } else {
      decoded.push_back(text[i++]);
    }
  }
  return decoded;
}

std::wstring CollapseBlanks(std::wstring_view text) {
  std::wstring collapsed;
  bool blank = false;
  for (wchar_t c : text) {
    if (c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f' || c == 0xA0) {
      blank = !collapsed.empty();
      continue;
    }
    if (blank) collapsed.push_back(L' ');
    blank = false;
    collapsed.push_back(c);
  }
  return collapsed;
}

bool IsImportableAddress(std::wstring_view url) {
  const std::size_t colon = url.find(L':');
  if (colon == std::wstring_view::npos || colon + 1 >= url.size()) return false;
  std::wstring scheme;
  for (wchar_t c : url.substr(0, colon)) scheme.push_back(static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))));
  return scheme == L"http" || scheme == L"https" || scheme == L"ftp" || scheme == L"file";
}

}  // namespace kelvane
