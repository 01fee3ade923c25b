#pragma once
// How often and when the user last opened each entry, so that the quick-open
// box puts the entries in use first. Kept in a small file of the data folder:
// UTF-8, one entry per line, "count<TAB>last use<TAB>key", CR LF. The last use
// is in seconds since 1970. Read leniently: a line that does not have that
// form is skipped and the others kept; a key met twice keeps its larger count
// and its later use.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace kelvane {

struct Usage {
  std::uint32_t count = 0;
  std::int64_t lastUse = 0;  // seconds since 1970
};

class UsageCounts {
 public:
  // One more opening of `key` at `now`.
  void Record(const std::wstring& key, std::int64_t now);
  Usage Of(const std::wstring& key) const;
  // Forgets entries beyond the `keep` most used (the file stays small).
  void Trim(std::size_t keep);
  std::size_t Size() const { return counts_.size(); }

  static UsageCounts Parse(std::string_view bytes);
  std::string Serialize() const;

 private:
  std::map<std::wstring, Usage> counts_;
};

// True when `a` was opened more often than `b`, or as often and more recently.
bool UsedMore(const Usage& a, const Usage& b);

}  // namespace kelvane
