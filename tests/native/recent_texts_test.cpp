#include "recent/recent_texts.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(RecentTexts, HeaderCountsEveryRow) {
  // No ".." row in the recent list: three rows are three links.
  EXPECT_EQ(RecentCountHeader(3), L"3 liens vers des fichiers qui ont \u00E9t\u00E9 ouverts");
  EXPECT_EQ(RecentCountHeader(0), L"0 liens vers des fichiers qui ont \u00E9t\u00E9 ouverts");
}

TEST(RecentTexts, PurgeQuestionNamesTheDayAndFailureLinesStack) {
  EXPECT_EQ(PurgeQuestion(L"07/03/2026"),
            L"\u00CAtes-vous s\u00FBr(e) de vouloir supprimer d\u00E9finitivement tous les raccourcis ant\u00E9rieurs "
            L"au 07/03/2026 ?\nSi oui, ils seront imm\u00E9diatement effac\u00E9s.\n\nPour modifier la date cliquez "
            L"sur Non.");
  EXPECT_EQ(DeadShortcutsQuestion(3),
            L"Voulez-vous supprimer d\u00E9finitivement les 3 raccourcis dont la cible n'existe plus ?");
  EXPECT_EQ(DeleteFailureLine(L"a.lnk") + DeleteFailureLine(L"b.lnk"),
            L"Le Fichier a.lnk n'a pu \u00EAtre supprim\u00E9\rLe Fichier b.lnk n'a pu \u00EAtre supprim\u00E9\r");
}

TEST(RecentTexts, FormattedDaysPadAndReadBack) {
  EXPECT_EQ(FormatDay({2026, 3, 7}), L"07/03/2026");
  EXPECT_EQ(FormatDay({1601, 12, 31}), L"31/12/1601");
  for (const CivilDay day : {CivilDay{2024, 2, 29}, CivilDay{2026, 1, 1}, CivilDay{9999, 12, 31}}) {
    EXPECT_EQ(ParseDay(FormatDay(day)), day);
  }
}

}  // namespace
}  // namespace kelvane
