#include "recent/purge_dates.h"

#include <gtest/gtest.h>

#include "toolkit/utf.h"

namespace kelvane {
namespace {

constexpr int64_t kHour = 3600;

// File time (UTC ticks since 1601) of a UTC instant given in seconds since 1970.
uint64_t Utc(int64_t unixSeconds, uint64_t extraTicks = 0) {
  return static_cast<uint64_t>(unixSeconds + kSecondsFrom1601To1970) * kTicksPerSecond + extraTicks;
}

// Winter time all year round (UTC+1).
std::optional<uint64_t> FixedCet(uint64_t ticks) { return ticks + kHour * kTicksPerSecond; }

// Europe/Paris in 2026: summer time (UTC+2) from 29 March 01:00 UTC to
// 25 October 01:00 UTC, winter time (UTC+1) otherwise.
std::optional<uint64_t> Paris2026(uint64_t ticks) {
  const int64_t unix = static_cast<int64_t>(ticks / kTicksPerSecond) - kSecondsFrom1601To1970;
  const bool summer = unix >= 1'774'746'000 && unix < 1'792'890'000;
  return ticks + (summer ? 2 : 1) * kHour * kTicksPerSecond;
}

int64_t Limit(const wchar_t* day) { return DayStartSeconds(ParseDay(day).value()); }

std::vector<std::wstring> Purge(const std::vector<RecentEntry>& entries, const wchar_t* day,
                                const ToLocalFileTime& toLocal) {
  return SelectEntriesToPurge(entries, Limit(day), toLocal);
}

using Names = std::vector<std::wstring>;

TEST(PurgeDates, ParsesTheMaskIntoLocalMidnight) {
  EXPECT_EQ(ParseDay(L"29/03/2026"), (CivilDay{2026, 3, 29}));
  EXPECT_EQ(Limit(L"01/01/1970"), 0);
  EXPECT_EQ(Limit(L"31/12/1969"), -86'400);
  EXPECT_EQ(Limit(L"29/02/2024"), 1'709'164'800);
  EXPECT_EQ(Limit(L"29/03/2026"), 1'774'742'400);  // the clock change does not shorten the count
  EXPECT_EQ(Limit(L"30/03/2026"), 1'774'828'800);
  EXPECT_EQ(Limit(L"01/01/1601"), -kSecondsFrom1601To1970);
  EXPECT_EQ(Limit(L"31/12/9999"), 253'402'214'400);
}

TEST(PurgeDates, RefusesTextsThatNameNoDay) {
  for (const wchar_t* text : {L"", L"31/02/2026", L"29/02/2025", L"29/02/1900", L"31/04/2026", L"00/01/2026",
                              L"01/00/2026", L"01/13/2026", L"31/12/1600", L"1/2/2026", L"01/02/26",
                              L"01-02-2026", L"ab/cd/efgh", L" 01/02/2026", L"01/02/2026 ", L"01/02/2026x",
                              L"+1/02/2026", L"01/\u0662\u0660/2026"}) {
    EXPECT_FALSE(ParseDay(text).has_value()) << WideToUtf8(text);
  }
}

TEST(PurgeDates, OnlyShortcutsStrictlyBeforeTheDayAreChosen) {
  const int64_t day = 1'768'435'200 - kHour;  // 15/01/2026 00:00:00 in UTC+1
  const std::vector<RecentEntry> entries{
      {L"veille.lnk", false, Utc(day - 1, kTicksPerSecond - 1)},  // 23:59:59.9999999 the day before
      {L"minuit.lnk", false, Utc(day)},
      {L"ancien.LNK", false, Utc(0)},
      {L"Ancien2.Lnk", false, Utc(0)},
      {L"dossier.lnk", true, Utc(0)},
      {L"note.txt", false, Utc(0)},
      {L"court.lnk2", false, Utc(0)},  // found by "*.lnk" through its 8.3 name
      {L"lnk", false, Utc(0)},
  };
  EXPECT_EQ(Purge(entries, L"15/01/2026", FixedCet), (Names{L"veille.lnk", L"ancien.LNK", L"Ancien2.Lnk"}));
  EXPECT_EQ(Purge(entries, L"16/01/2026", FixedCet),
            (Names{L"veille.lnk", L"minuit.lnk", L"ancien.LNK", L"Ancien2.Lnk"}));
  EXPECT_TRUE(Purge(entries, L"01/01/1970", FixedCet).empty());
  // An entry whose time cannot be made local is kept.
  EXPECT_TRUE(Purge(entries, L"16/01/2026", [](uint64_t) { return std::optional<uint64_t>(); }).empty());
}

TEST(PurgeDates, UsesTheOffsetInForceWhenTheFileWasMade) {
  const int64_t spring = 1'774'746'000;  // 29/03/2026 01:00 UTC: 02:00 CET becomes 03:00 CEST
  const int64_t autumn = 1'792'890'000;  // 25/10/2026 01:00 UTC: 03:00 CEST becomes 02:00 CET
  const std::vector<RecentEntry> entries{
      {L"a.lnk", false, Utc(spring - 2 * kHour - 1)},     // 28/03 23:59:59 CET
      {L"b.lnk", false, Utc(spring - 2 * kHour)},         // 29/03 00:00:00 CET
      {L"c.lnk", false, Utc(spring + 21 * kHour - 1)},    // 29/03 23:59:59 CEST
      {L"d.lnk", false, Utc(spring + 21 * kHour)},        // 30/03 00:00:00 CEST
      {L"e.lnk", false, Utc(autumn - 3 * kHour - 1)},     // 24/10 23:59:59 CEST
      {L"f.lnk", false, Utc(autumn - 3 * kHour)},         // 25/10 00:00:00 CEST
      {L"g.lnk", false, Utc(autumn + 22 * kHour - 1)},    // 25/10 23:59:59 CET, a 25-hour day
      {L"h.lnk", false, Utc(autumn + 22 * kHour)},        // 26/10 00:00:00 CET
  };
  EXPECT_EQ(Purge(entries, L"29/03/2026", Paris2026), (Names{L"a.lnk"}));
  EXPECT_EQ(Purge(entries, L"30/03/2026", Paris2026), (Names{L"a.lnk", L"b.lnk", L"c.lnk"}));
  EXPECT_EQ(Purge(entries, L"25/10/2026", Paris2026), (Names{L"a.lnk", L"b.lnk", L"c.lnk", L"d.lnk", L"e.lnk"}));
  EXPECT_EQ(Purge(entries, L"26/10/2026", Paris2026),
            (Names{L"a.lnk", L"b.lnk", L"c.lnk", L"d.lnk", L"e.lnk", L"f.lnk", L"g.lnk"}));
}

}  // namespace
}  // namespace kelvane
