#include "quickopen/quick_match.h"

#include <algorithm>

#include "lists/list_rules.h"

namespace kelvane {
namespace {

// Base letters of U+00C0..U+00FF and U+0100..U+017F after case folding;
// '.' keeps the character, '*' spells out a ligature (see Ligature).
constexpr char kLatin1[] = "aaaaaa*ceeeeiiiidnooooo.ouuuuy.*aaaaaa*ceeeeiiiidnooooo.ouuuuy.y";
constexpr char kLatinA[] =
    "aaaaaaccccccccdd"
    "ddeeeeeeeeeegggg"
    "gggghhhhiiiiiiii"
    "ii**jjkkklllllll"
    "lllnnnnnnnnnoooo"
    "oo**rrrrrrssssss"
    "ssttttttuuuuuuuu"
    "uuuuwwyyyzzzzzzs";
static_assert(sizeof kLatin1 == 65 && sizeof kLatinA == 129);

const wchar_t* Ligature(wchar_t c) {
  switch (c) {
    case 0xC6: case 0xE6: return L"ae";
    case 0xDF: return L"ss";
    case 0x132: case 0x133: return L"ij";
    case 0x152: case 0x153: return L"oe";
    default: return nullptr;
  }
}

// Appends the folded form of `c` to `out`; returns how many characters.
std::size_t FoldInto(wchar_t c, std::wstring& out) {
  char base = '.';
  if (c >= 0xC0 && c <= 0xFF) base = kLatin1[c - 0xC0];
  if (c >= 0x100 && c <= 0x17F) base = kLatinA[c - 0x100];
  if (base == '*') {
    const wchar_t* spelled = Ligature(c);
    out += spelled;
    return 2;
  }
  if (base != '.') {
    out.push_back(static_cast<wchar_t>(base));
    return 1;
  }
  if (c == 0x2019 || c == 0x2018) c = L'\'';  // typographic apostrophes
  if (c == 0xA0 || c == 0x202F) c = L' ';     // no-break spaces
  out.push_back(static_cast<wchar_t>(FoldCase(static_cast<char32_t>(c))));
  return 1;
}

// Letters and digits; the same on every system, whatever its locale.
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsWordCharacter(wchar_t c) {
  if (c < 0x80) return IsDigit(c) || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
  if (c == 0xD7 || c == 0xF7 || (c >= 0x2000 && c <= 0x206F)) return false;  // signs, punctuation
  return c >= 0xC0;
}
bool IsCapital(wchar_t c) { return FoldCase(static_cast<char32_t>(c)) != static_cast<char32_t>(c); }
bool IsSmallLetter(wchar_t c) { return IsWordCharacter(c) && !IsDigit(c) && !IsCapital(c); }

}  // namespace

std::wstring FoldForMatch(std::wstring_view text) {
  std::wstring folded;
  folded.reserve(text.size());
  for (wchar_t c : text) FoldInto(c, folded);
  return folded;
}

std::wstring_view QuickSourceName(QuickSource source) {
  switch (source) {
    case QuickSource::Apps: return L"Application";
    case QuickSource::Files: return L"Fichier ou dossier";
    case QuickSource::Links: return L"Lien";
    case QuickSource::Recent: return L"\u00C9l\u00E9ment r\u00E9cent";
    case QuickSource::UserDesktop: return L"Bureau";
    case QuickSource::PublicDesktop: return L"Bureau public";
  }
  return L"";
}

std::wstring UsageKey(const QuickItem& item) {
  return std::to_wstring(static_cast<int>(item.source)) + L"|" + item.target;
}

QuickMatcher::Folded QuickMatcher::FoldName(std::wstring_view name) {
  Folded folded;
  folded.text.reserve(name.size());
  for (std::size_t i = 0; i < name.size(); ++i) {
    const wchar_t c = name[i];
    const wchar_t before = i ? name[i - 1] : L' ';
    // A word starts after a blank or a sign, and at a capital after a small
    // letter ("MonRapport").
    const bool starts =
        IsWordCharacter(c) && (!IsWordCharacter(before) || (IsSmallLetter(before) && IsCapital(c)));
    const std::size_t added = FoldInto(c, folded.text);
    for (std::size_t k = 0; k < added; ++k) folded.wordStart.push_back(starts && k == 0);
  }
  return folded;
}

MatchRank QuickMatcher::RankFolded(const Folded& name, std::wstring_view query, std::size_t* where) {
  *where = 0;
  if (query.empty() || query.size() > name.text.size()) return MatchRank::None;
  const std::wstring_view text = name.text;
  std::size_t found = text.find(query);
  if (found == 0) return MatchRank::Start;
  if (found != std::wstring_view::npos) {
    *where = found;
    for (std::size_t at = found; at != std::wstring_view::npos; at = text.find(query, at + 1)) {
      if (name.wordStart[at]) {
        *where = at;
        return MatchRank::WordStart;
      }
    }
    return MatchRank::Inside;
  }
  std::size_t next = 0;
  for (std::size_t k = 0; k < query.size(); ++k) {
    next = text.find(query[k], next);
    if (next == std::wstring_view::npos) return MatchRank::None;
    if (k == 0) *where = next;
    ++next;
  }
  return MatchRank::Letters;
}

void QuickMatcher::SetItems(std::vector<QuickItem> items) {
  items_ = std::move(items);
  folded_.clear();
  keys_.clear();
  folded_.reserve(items_.size());
  keys_.reserve(items_.size());
  for (const QuickItem& item : items_) {
    folded_.push_back(FoldName(item.name));
    keys_.push_back(UsageKey(item));
  }
}

MatchRank QuickMatcher::RankOf(std::size_t index, std::wstring_view text) const {
  std::size_t where = 0;
  return index < folded_.size() ? RankFolded(folded_[index], FoldForMatch(text), &where) : MatchRank::None;
}

std::vector<std::size_t> QuickMatcher::Find(std::wstring_view text, const UsageCounts& usage,
                                            std::size_t limit) const {
  struct Hit {
    std::size_t index;
    MatchRank rank;
    Usage use;
    std::size_t where;
  };
  const std::wstring query = FoldForMatch(text);
  std::vector<Hit> hits;
  for (std::size_t index = 0; index < items_.size(); ++index) {
    std::size_t where = 0;
    MatchRank rank = RankFolded(folded_[index], query, &where);
    if (rank == MatchRank::None && !query.empty()) continue;
    const Usage use = usage.Of(keys_[index]);
    if (query.empty() && use.count > 0) rank = MatchRank::Letters;
    if (rank != MatchRank::None) hits.push_back({index, rank, use, where});
  }
  // Best rank, then most used, then the match nearer the start, then the
  // shorter name, then the name's order: the same list every time.
  const auto better = [this](const Hit& a, const Hit& b) {
    if (a.rank != b.rank) return a.rank > b.rank;
    if (UsedMore(a.use, b.use)) return true;
    if (UsedMore(b.use, a.use)) return false;
    if (a.where != b.where) return a.where < b.where;
    const std::wstring& an = folded_[a.index].text;
    const std::wstring& bn = folded_[b.index].text;
    if (an.size() != bn.size()) return an.size() < bn.size();
    if (an != bn) return an < bn;
    return a.index < b.index;
  };
  const std::size_t kept = std::min(limit, hits.size());
  std::partial_sort(hits.begin(), hits.begin() + static_cast<std::ptrdiff_t>(kept), hits.end(), better);
  std::vector<std::size_t> best;
  best.reserve(kept);
  for (std::size_t i = 0; i < kept; ++i) best.push_back(hits[i].index);
  return best;
}

}  // namespace kelvane
