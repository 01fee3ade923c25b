#include "quickopen/usage_counts.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "lists/list_file.h"
#include "toolkit/utf.h"

namespace kelvane {
namespace {

// Decimal digits only, within the range of T; false for anything else.
template <typename T>
bool ParseNumber(std::wstring_view text, T* value) {
  if (text.empty() || text.size() > 19) return false;
  std::int64_t number = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return false;
    number = number * 10 + (c - L'0');
  }
  if (number > static_cast<std::int64_t>(std::numeric_limits<T>::max())) return false;
  *value = static_cast<T>(number);
  return true;
}

}  // namespace

bool UsedMore(const Usage& a, const Usage& b) {
  return a.count != b.count ? a.count > b.count : a.lastUse > b.lastUse;
}

void UsageCounts::Record(const std::wstring& key, std::int64_t now) {
  Usage& usage = counts_[key];
  if (usage.count < std::numeric_limits<std::uint32_t>::max()) ++usage.count;
  usage.lastUse = std::max(usage.lastUse, now);
}

Usage UsageCounts::Of(const std::wstring& key) const {
  const auto found = counts_.find(key);
  return found == counts_.end() ? Usage{} : found->second;
}

void UsageCounts::Trim(std::size_t keep) {
  if (counts_.size() <= keep) return;
  std::vector<std::pair<std::wstring, Usage>> all(counts_.begin(), counts_.end());
  std::stable_sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return UsedMore(a.second, b.second); });
  all.resize(keep);
  counts_ = std::map<std::wstring, Usage>(all.begin(), all.end());
}

UsageCounts UsageCounts::Parse(std::string_view bytes) {
  UsageCounts counts;
  const std::wstring text = DecodeListFile(bytes);
  for (std::wstring_view line : SplitLines(text)) {
    const std::size_t first = line.find(L'\t');
    const std::size_t second = first == std::wstring_view::npos ? first : line.find(L'\t', first + 1);
    if (second == std::wstring_view::npos || second + 1 >= line.size()) continue;
    Usage usage;
    if (!ParseNumber(line.substr(0, first), &usage.count) ||
        !ParseNumber(line.substr(first + 1, second - first - 1), &usage.lastUse)) {
      continue;
    }
    Usage& kept = counts.counts_[std::wstring(line.substr(second + 1))];
    kept.count = std::max(kept.count, usage.count);
    kept.lastUse = std::max(kept.lastUse, usage.lastUse);
  }
  return counts;
}

std::string UsageCounts::Serialize() const {
  std::string bytes;
  for (const auto& [key, usage] : counts_) {
    std::wstring line = key;
    // A key is one line: a target never holds a line break, but a damaged
    // list might.
    std::replace(line.begin(), line.end(), L'\r', L' ');
    std::replace(line.begin(), line.end(), L'\n', L' ');
    bytes += std::to_string(usage.count) + '\t' + std::to_string(usage.lastUse) + '\t' + WideToUtf8(line) + "\r\n";
  }
  return bytes;
}

}  // namespace kelvane
