#include "lists/search_match.h"

#include <gtest/gtest.h>

#include <vector>

namespace kelvane {
namespace {

int Find(const std::vector<std::wstring>& names, std::wstring_view text) {
  return FirstRowBeginningWith(static_cast<int>(names.size()), [&](int row) { return names[row]; }, text);
}

TEST(SearchMatch, PrefixWithLetterCaseSignificant) {
  const std::vector<std::wstring> names = {L"Notepad++", L"notes.txt", L"Éditeur", L"note"};
  EXPECT_EQ(Find(names, L"note"), 1);  // the first of two matches
  EXPECT_EQ(Find(names, L"Note"), 0);
  EXPECT_EQ(Find(names, L"Notepad++"), 0);  // a whole name matches
  EXPECT_EQ(Find(names, L"Édit"), 2);
  EXPECT_EQ(Find(names, L"édit"), -1);
  EXPECT_EQ(Find(names, L"notes.txt and more"), -1);  // longer than every name
  EXPECT_EQ(Find({}, L"a"), -1);
  EXPECT_TRUE(BeginsWithExactly(L"abc", L""));
  EXPECT_FALSE(BeginsWithExactly(L"ab", L"abc"));
}

TEST(SearchMatch, PageDownOnlyPastTheFirstPage) {
  EXPECT_FALSE(MatchNeedsPageDown(3, 20));
  EXPECT_FALSE(MatchNeedsPageDown(19, 20));
  EXPECT_TRUE(MatchNeedsPageDown(20, 20));
  EXPECT_TRUE(MatchNeedsPageDown(40, 20));
}

TEST(SearchMatch, ListOfEachTab) {
  EXPECT_EQ(SearchedListOfTab(0), 1);
  EXPECT_EQ(SearchedListOfTab(2), 3);
  EXPECT_EQ(SearchedListOfTab(3), 4);
  EXPECT_EQ(SearchedListOfTab(4), 32);
  EXPECT_EQ(SearchedListOfTab(5), 57);  // the desktop tab searches its shortcut list
  EXPECT_EQ(SearchedListOfTab(-1), -1);
  EXPECT_EQ(SearchedListOfTab(6), -1);
}

}  // namespace
}  // namespace kelvane
