#pragma once
// Finding a favourite from a few typed letters: every entry of every list
// (applications, files and folders, links, recent items, both desktops) is
// matched against the typed text with letter case and accents ignored
// ("ete" finds "Été", "oeuvre" finds "Œuvres"), and the matches are ranked:
// the name starts with the text, then a word of it does, then the text is
// anywhere in it, then its letters appear in it in order ("bnt" finds
// "Bloc-notes"). Within one rank, the entry opened more often, then more
// recently, comes first (see UsageCounts).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "quickopen/usage_counts.h"

namespace kelvane {

// Lower case, accents dropped, ligatures spelled out (œ oe, æ ae, ß ss).
std::wstring FoldForMatch(std::wstring_view text);

enum class MatchRank : int { None = 0, Letters = 1, Inside = 2, WordStart = 3, Start = 4 };

// Where a list entry comes from; part of its identity for the usage counts.
enum class QuickSource : int { Apps, Files, Links, Recent, UserDesktop, PublicDesktop };

struct QuickItem {
  std::wstring name;
  std::wstring target;
  QuickSource source = QuickSource::Apps;
  int icon = -1;
};

// What the quick-open box says an item is, in French: « Application »,
// « Fichier ou dossier », « Lien », « Élément récent », « Bureau »,
// « Bureau public ».
std::wstring_view QuickSourceName(QuickSource source);

// The key of an item in the usage counts: its source and its target.
std::wstring UsageKey(const QuickItem& item);

class QuickMatcher {
 public:
  void SetItems(std::vector<QuickItem> items);
  const std::vector<QuickItem>& Items() const { return items_; }

  // How `text` matches item `index` (text as typed; folded here).
  MatchRank RankOf(std::size_t index, std::wstring_view text) const;
  // The indexes of the best `limit` matches, best first. An empty text gives
  // the entries used before, most used first.
  std::vector<std::size_t> Find(std::wstring_view text, const UsageCounts& usage, std::size_t limit) const;

 private:
  struct Folded {
    std::wstring text;
    std::vector<bool> wordStart;  // per character of text
  };
  static Folded FoldName(std::wstring_view name);
  static MatchRank RankFolded(const Folded& name, std::wstring_view query, std::size_t* where);

  std::vector<QuickItem> items_;
  std::vector<Folded> folded_;
  std::vector<std::wstring> keys_;
};

}  // namespace kelvane
