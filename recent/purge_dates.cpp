#include "recent/purge_dates.h"

namespace kelvane {
namespace {

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Days from 1970-01-01 to the given day of the proleptic Gregorian calendar
// (H. Hinnant's days_from_civil).
int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

// Reads `count` ASCII digits at `pos`; -1 when one of them is not a digit.
int ReadDigits(std::wstring_view text, size_t pos, size_t count) {
  int value = 0;
  for (size_t i = pos; i < pos + count; ++i) {
    if (text[i] < L'0' || text[i] > L'9') return -1;
    value = value * 10 + static_cast<int>(text[i] - L'0');
  }
  return value;
}

}  // namespace

std::optional<CivilDay> ParseDay(std::wstring_view text) {
  // "dd/mm/yyyy"
  if (text.size() != 10 || text[2] != L'/' || text[5] != L'/') return std::nullopt;
  const int day = ReadDigits(text, 0, 2);
  const int month = ReadDigits(text, 3, 2);
  const int year = ReadDigits(text, 6, 4);
  if (day < 0 || month < 0 || year < 0) return std::nullopt;
  if (year < 1601 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
  return CivilDay{year, month, day};
}

int64_t DayStartSeconds(const CivilDay& day) { return DaysFromCivil(day.year, day.month, day.day) * 86'400; }

std::optional<int64_t> FileTimeToLocalSeconds(uint64_t utcTicks, const ToLocalFileTime& toLocal) {
  const std::optional<uint64_t> local = toLocal(utcTicks);
  if (!local) return std::nullopt;
  // Sub-second ticks are dropped: 23:59:59.9 still belongs to the day before.
  return static_cast<int64_t>(*local / kTicksPerSecond) - kSecondsFrom1601To1970;
}

bool IsShortcutName(std::wstring_view name) {
  constexpr std::wstring_view kExtension = L".lnk";
  if (name.size() < kExtension.size()) return false;
  const std::wstring_view tail = name.substr(name.size() - kExtension.size());
  for (size_t i = 0; i < tail.size(); ++i) {
    wchar_t c = tail[i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c != kExtension[i]) return false;
  }
  return true;
}

std::vector<std::wstring> SelectEntriesToPurge(const std::vector<RecentEntry>& entries, int64_t limit,
                                               const ToLocalFileTime& toLocal) {
  std::vector<std::wstring> names;
  for (const RecentEntry& entry : entries) {
    if (entry.isFolder || !IsShortcutName(entry.name)) continue;
    const std::optional<int64_t> created = FileTimeToLocalSeconds(entry.creationTimeUtc, toLocal);
    if (created && *created < limit) names.push_back(entry.name);
  }
  return names;
}

}  // namespace kelvane
