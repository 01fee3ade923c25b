#include "catalog/catalog.h"

#include <algorithm>

namespace kelvane {
namespace {

constexpr std::wstring_view kGroupMarker = L"_GROUP_";
constexpr std::wstring_view kEndMarker = L"_END_";

// Upper case of one character, the same on every platform: the C library's
// towupper depends on the locale and differs between Windows and Linux.
// Covers ASCII, Latin-1 and the case pairs of Latin Extended-A; characters
// without a one-to-one capital (ß, ı, ĸ, ŉ, ſ) stay as they are.
wchar_t UpperChar(wchar_t c) {
  const uint32_t u = static_cast<uint32_t>(c);
  if (u < 0x80) return (u >= 'a' && u <= 'z') ? static_cast<wchar_t>(u - 0x20) : c;
  if (u >= 0xE0 && u <= 0xFE) return u == 0xF7 ? c : static_cast<wchar_t>(u - 0x20);
  if (u == 0xFF) return static_cast<wchar_t>(0x178);
  if (u < 0x100 || u > 0x17E) return c;
  // Latin Extended-A: capital even and small odd, except in the two runs
  // where the pairs are shifted by one.
  const bool small_is_odd = (u <= 0x137 && u != 0x131) || (u >= 0x14A && u <= 0x177);
  const bool small_is_even = (u >= 0x139 && u <= 0x148) || (u >= 0x179);
  if (small_is_odd && (u & 1) != 0) return static_cast<wchar_t>(u - 1);
  if (small_is_even && (u & 1) == 0) return static_cast<wchar_t>(u - 1);
  return c;
}

std::wstring UpperString(const wchar_t* s) {
  std::wstring out = s ? s : L"";
  for (wchar_t& c : out) c = UpperChar(c);
  return out;
}

// Position of a character in UTF-16 code-unit order. With a 16-bit wchar_t
// that is the unit itself; with a 32-bit wchar_t (one code point per unit)
// supplementary characters must sort where their surrogates would, between
// U+D7FF and U+E000, so that both platforms order keys alike.
uint32_t Utf16Order(wchar_t c) {
  if constexpr (sizeof(wchar_t) == 2) {
    return static_cast<uint16_t>(c);
  } else {
    const uint32_t u = static_cast<uint32_t>(c);
    return (u >= 0xE000 && u <= 0xFFFF) ? u + 0x200000 : u;
  }
}

// Ordinal comparison; a string that is a prefix of the other is lower.
// When `fold` is set the first string is upper-cased as it is read, so a
// lookup needs no copy of its arguments.
int Compare(std::wstring_view a, std::wstring_view b, bool fold) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t k = 0; k < n; ++k) {
    const uint32_t x = Utf16Order(fold ? UpperChar(a[k]) : a[k]);
    const uint32_t y = Utf16Order(b[k]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SameUpper(std::wstring_view given, std::wstring_view stored_upper) {
  return given.size() == stored_upper.size() && Compare(given, stored_upper, true) == 0;
}

bool IsMarker(const wchar_t* name, std::wstring_view marker) {
  return SameUpper(name, marker);
}

// Code of a key's first character as the index sees it; 0 for an empty key.
uint32_t FirstCode(std::wstring_view upper_key) {
  return upper_key.empty() ? 0 : static_cast<uint32_t>(upper_key[0]);
}

}  // namespace

Catalog::Catalog() = default;
Catalog::~Catalog() = default;

void Catalog::Build(const CatalogPair* table) {
  groups_.clear();
  entries_.clear();
  remembered_ = 0;

  // Pass 1: sizes. A null name is taken as the end so that a table missing
  // its "_END_" pair by a slip still ends somewhere sane.
  size_t group_count = 0;
  size_t entry_count = 0;
  for (const CatalogPair* p = table; p && p->name && !IsMarker(p->name, kEndMarker); ++p) {
    if (IsMarker(p->name, kGroupMarker)) {
      ++group_count;
    } else {
      ++entry_count;
    }
  }
  groups_.resize(group_count + 1);
  entries_.resize(entry_count + 1);

  // Pass 2: fill in table order. Entries before the first group belong to
  // the absent group 0 and can never be found.
  size_t g = 0;
  int32_t i = 0;
  for (const CatalogPair* p = table; p && p->name && !IsMarker(p->name, kEndMarker); ++p) {
    if (IsMarker(p->name, kGroupMarker)) {
      groups_[g].last = i;
      ++g;
      groups_[g].name = UpperString(p->text);
      groups_[g].first = i + 1;
    } else {
      ++i;
      entries_[i].key = UpperString(p->name);
      entries_[i].text = p->text ? p->text : L"";
    }
  }
  groups_[g].last = i;

  // Sort each group by key, then text: the order of "key U+0001 text"
  // strings, without joining them (a text holding U+0001 stays whole).
  for (size_t n = 1; n < groups_.size(); ++n) {
    Group& group = groups_[n];
    if (group.first > group.last) continue;
    std::sort(entries_.begin() + group.first, entries_.begin() + group.last + 1,
              [](const Entry& a, const Entry& b) {
                const int by_key = Compare(a.key, b.key, false);
                return by_key != 0 ? by_key < 0 : Compare(a.text, b.text, false) < 0;
              });
    uint32_t c = 0;
    for (int32_t j = group.first; j <= group.last; ++j) {
      const uint32_t code = FirstCode(entries_[j].key);
      if (code != c) {
        c = code;
        // Keys beginning beyond Latin-1 are outside the index (not found).
        if (c < group.index.size()) group.index[c] = j;
      }
    }
  }
}

size_t Catalog::FindGroup(std::wstring_view group) const {
  for (size_t n = 1; n < groups_.size(); ++n) {
    if (SameUpper(group, groups_[n].name)) return n;
  }
  return 0;
}

std::wstring Catalog::Text(std::wstring_view group, std::wstring_view key) {
  if (groups_.empty()) return std::wstring(kNotFoundText);  // not built yet

  // Consecutive lookups mostly share a group: check the last one first.
  if (!SameUpper(group, groups_[remembered_].name)) remembered_ = FindGroup(group);
  if (remembered_ == 0) return std::wstring(kNotFoundText);

  const Group& g = groups_[remembered_];
  const uint32_t code = key.empty() ? 0 : static_cast<uint32_t>(UpperChar(key[0]));
  if (code >= g.index.size()) return std::wstring(kNotFoundText);
  for (int32_t j = g.index[code]; j != 0 && j <= g.last; ++j) {
    const int order = Compare(key, entries_[j].key, true);
    if (order == 0) return entries_[j].text;
    if (order < 0) break;  // the key would have sorted before this entry
  }
  return std::wstring(kNotFoundText);
}

int Catalog::GroupCount() const {
  return groups_.empty() ? 0 : static_cast<int>(groups_.size() - 1);
}

int Catalog::EntryCount() const {
  return entries_.empty() ? 0 : static_cast<int>(entries_.size() - 1);
}

int Catalog::EntriesInGroup(std::wstring_view group) const {
  const size_t n = FindGroup(group);
  if (n == 0) return -1;
  return std::max(0, groups_[n].last - groups_[n].first + 1);
}

namespace {
Catalog& ProcessCatalog() {
  static Catalog catalog;
  return catalog;
}
}  // namespace

void BuildCatalog() { ProcessCatalog().Build(kCatalogTable); }

std::wstring CatalogText(std::wstring_view group, std::wstring_view key) {
  return ProcessCatalog().Text(group, key);
}

}  // namespace kelvane
