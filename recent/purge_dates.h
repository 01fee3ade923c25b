#pragma once
// Date maths of the purge of the recent-items folder. A date here is a whole
// number of seconds since 1970-01-01 00:00:00 counted in local wall-clock
// time: file times are turned into local time first, and a typed day stands
// for 00:00:00 of that day on the local clock.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

struct CivilDay {
  int year;
  int month;  // 1-12
  int day;    // 1-31
  bool operator==(const CivilDay&) const = default;
};

// A day typed with the mask "%dd/%mm/%yyyy": exactly two digits, "/", two
// digits, "/", four digits. Empty when the text does not follow the mask or
// names no real day (31/02/2026, 29/02/2025, 00/01/2026, 01/13/2026), or a
// year before 1601, the first that a file time can hold.
std::optional<CivilDay> ParseDay(std::wstring_view text);

// Seconds since 1970-01-01 (local wall clock) of 00:00:00 on `day`.
// Calendar arithmetic only: every local day is 86 400 of these seconds, even
// the days on which the clocks change.
int64_t DayStartSeconds(const CivilDay& day);

// Converts a file time in UTC (100-ns ticks since 1601-01-01) to the same
// ticks on the local clock, with the offset in force at that time; empty
// when it cannot. On Windows: FileTimeToSystemTime, then
// SystemTimeToTzSpecificLocalTime, then SystemTimeToFileTime.
using ToLocalFileTime = std::function<std::optional<uint64_t>(uint64_t utcTicks)>;

// A file time counts 100-ns ticks; 1970-01-01 is this many seconds after 1601-01-01.
inline constexpr uint64_t kTicksPerSecond = 10'000'000;
inline constexpr int64_t kSecondsFrom1601To1970 = 11'644'473'600;

// A file time (UTC ticks since 1601) as whole local seconds since 1970;
// empty when the conversion to local time fails.
std::optional<int64_t> FileTimeToLocalSeconds(uint64_t utcTicks, const ToLocalFileTime& toLocal);

// One entry of the recent-items folder as the enumeration gives it.
struct RecentEntry {
  std::wstring name;
  bool isFolder = false;
  uint64_t creationTimeUtc = 0;  // FILETIME ticks since 1601, UTC
};

// The names to delete when purging before `limit` (DayStartSeconds of the
// chosen day), in the order given: shortcut files ("*.lnk", any case) whose
// creation time is strictly before the limit. Folders and other files are
// never chosen, nor an entry whose time cannot be converted. Only the exact
// extension counts: "a.lnk2" is no shortcut, although a "*.lnk" search on
// Windows returns it through its 8.3 name.
std::vector<std::wstring> SelectEntriesToPurge(const std::vector<RecentEntry>& entries, int64_t limit,
                                               const ToLocalFileTime& toLocal);

// True when `name` ends with ".lnk" in any case.
bool IsShortcutName(std::wstring_view name);

}  // namespace kelvane
