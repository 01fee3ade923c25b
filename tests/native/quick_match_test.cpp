#include "quickopen/quick_match.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvane {
namespace {

std::vector<std::wstring> NamesFound(const QuickMatcher& matcher, std::wstring_view text, const UsageCounts& usage,
                                     std::size_t limit = 10) {
  std::vector<std::wstring> names;
  for (std::size_t index : matcher.Find(text, usage, limit)) names.push_back(matcher.Items()[index].name);
  return names;
}

TEST(QuickMatch, FrenchNamesMatchWithoutCaseOrAccentsAndRankStartWordInsideLetters) {
  EXPECT_EQ(FoldForMatch(L"Été À L'ŒUVRE Ça Straße\u00A0Ĳssel Æon ×"), L"ete a l'oeuvre ca strasse ijssel aeon ×");
  EXPECT_EQ(FoldForMatch(L"l\u2019été"), L"l'ete");

  QuickMatcher matcher;
  matcher.SetItems({
      {L"Bloc-notes", L"C:\\Windows\\notepad.exe", QuickSource::Apps},
      {L"Notes de réunion", L"C:\\Docs\\notes.txt", QuickSource::Recent},
      {L"MesNotes", L"C:\\MesNotes", QuickSource::Files},
      {L"Annotations", L"C:\\Docs\\annot.pdf", QuickSource::Files},
      {L"Nouveautés", L"https://example.org/", QuickSource::Links},
      {L"Œuvres complètes", L"C:\\Livres", QuickSource::UserDesktop},
  });
  EXPECT_EQ(matcher.RankOf(1, L"NOTES"), MatchRank::Start);
  EXPECT_EQ(matcher.RankOf(0, L"notes"), MatchRank::WordStart);  // after the hyphen
  EXPECT_EQ(matcher.RankOf(2, L"notes"), MatchRank::WordStart);  // at the capital
  EXPECT_EQ(matcher.RankOf(3, L"notes"), MatchRank::None);
  EXPECT_EQ(matcher.RankOf(3, L"notat"), MatchRank::Inside);
  EXPECT_EQ(matcher.RankOf(0, L"bnt"), MatchRank::Letters);
  EXPECT_EQ(matcher.RankOf(0, L"tnb"), MatchRank::None);  // letters must come in order
  EXPECT_EQ(matcher.RankOf(4, L"nouveautes"), MatchRank::Start);
  EXPECT_EQ(matcher.RankOf(5, L"oeuvre"), MatchRank::Start);
  EXPECT_EQ(matcher.RankOf(5, L"COMPLETES"), MatchRank::WordStart);
  EXPECT_EQ(matcher.RankOf(0, L""), MatchRank::None);

  const UsageCounts none;
  EXPECT_EQ(NamesFound(matcher, L"not", none), (std::vector<std::wstring>{L"Notes de réunion", L"MesNotes",
                                                                        L"Bloc-notes", L"Annotations", L"Nouveautés"}));
  EXPECT_EQ(NamesFound(matcher, L"not", none, 2), (std::vector<std::wstring>{L"Notes de réunion", L"MesNotes"}));
  EXPECT_TRUE(NamesFound(matcher, L"", none).empty());
  EXPECT_TRUE(NamesFound(matcher, L"zzz", none).empty());

  // Use breaks ties within a rank, never across ranks: count first, then the
  // latest use; an empty text lists what was used, most used first.
  UsageCounts usage;
  usage.Record(UsageKey(matcher.Items()[0]), 100);
  usage.Record(UsageKey(matcher.Items()[0]), 150);
  usage.Record(UsageKey(matcher.Items()[3]), 120);
  usage.Record(UsageKey(matcher.Items()[3]), 200);
  usage.Record(UsageKey(matcher.Items()[2]), 300);
  EXPECT_EQ(NamesFound(matcher, L"not", usage), (std::vector<std::wstring>{L"Notes de réunion", L"Bloc-notes",
                                                                         L"MesNotes", L"Annotations", L"Nouveautés"}));
  EXPECT_EQ(NamesFound(matcher, L"", usage),
            (std::vector<std::wstring>{L"Annotations", L"Bloc-notes", L"MesNotes"}));
  // The same target from another list is another entry.
  QuickItem sameTarget = matcher.Items()[0];
  sameTarget.source = QuickSource::Recent;
  EXPECT_EQ(usage.Of(UsageKey(sameTarget)).count, 0u);
}

TEST(QuickMatch, UsageFileKeepsGoodLinesThroughBadOnesAndRoundTrips) {
  UsageCounts usage;
  usage.Record(L"0|C:\\Windows\\notepad.exe", 1700000000);
  usage.Record(L"0|C:\\Windows\\notepad.exe", 1700000500);
  usage.Record(L"2|https://exemple.fr/été\tà", 1600000000);
  const std::string bytes = usage.Serialize();
  const UsageCounts back = UsageCounts::Parse(bytes);
  EXPECT_EQ(back.Serialize(), bytes);
  EXPECT_EQ(back.Of(L"0|C:\\Windows\\notepad.exe").count, 2u);
  EXPECT_EQ(back.Of(L"0|C:\\Windows\\notepad.exe").lastUse, 1700000500);
  EXPECT_EQ(back.Of(L"2|https://exemple.fr/été\tà").count, 1u);

  const std::string damaged = std::string("\xEF\xBB\xBF") + "3\t10\t1|C:\\a\r\n" +
                              "garbage\r\n"
                              "-1\t5\t1|C:\\neg\r\n"
                              "4\tx\t1|C:\\bad time\r\n"
                              "99999999999999999999\t5\t1|C:\\huge\r\n"
                              "5\t7\t\r\n" +
                              std::string("2\t20\t1|C:\\a\n\0\0\0\r\n", 16) + "7\t30\t1|C:\\b";
  const UsageCounts read = UsageCounts::Parse(damaged);
  EXPECT_EQ(read.Size(), 2u);  // C:\a and C:\b
  EXPECT_EQ(read.Of(L"1|C:\\a").count, 3u);
  EXPECT_EQ(read.Of(L"1|C:\\a").lastUse, 20);
  EXPECT_EQ(read.Of(L"1|C:\\b").count, 7u);
  EXPECT_EQ(read.Of(L"1|C:\\neg").count, 0u);

  UsageCounts many = read;
  many.Trim(1);
  EXPECT_EQ(many.Size(), 1u);
  EXPECT_EQ(many.Of(L"1|C:\\b").count, 7u);
}

}  // namespace
}  // namespace kelvane
