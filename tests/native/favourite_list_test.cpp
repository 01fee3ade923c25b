#include "lists/favourite_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace kelvane {
namespace {

using Save = FavouriteList::Save;
using LoadEnd = FavouriteList::LoadEnd;

TEST(FavouriteList, NeverWrittenWhileItsLoadRunsNorOverAFileItCouldNotRead) {
  FavouriteList list(kAppsKind);
  EXPECT_EQ(list.SaveDecision(), Save::Write);  // no file yet: an empty list is written
  list.BeginLoad();
  const std::vector<ListEntry> batch = {{L"Bloc-notes", L"C:\\notepad.exe"}, {L"Calc", L"C:\\calc.exe"}};
  list.AppendLoaded(batch);
  EXPECT_EQ(list.SaveDecision(), Save::NotYet);
  EXPECT_EQ(list.Add({L"Paint", L"C:\\paint.exe"}), 2);
  EXPECT_EQ(list.SaveDecision(), Save::NotYet);  // a change does not end the load
  list.EndLoad(LoadEnd::Whole);
  EXPECT_EQ(list.SaveDecision(), Save::Write);
  EXPECT_EQ(ParseListFile(list.Serialize()).entries.size(), 3u);

  FavouriteList locked(kFilesKind);
  locked.BeginLoad();
  locked.EndLoad(LoadEnd::Unreadable);
  EXPECT_TRUE(locked.FileUnreadable());
  EXPECT_EQ(locked.SaveDecision(), Save::NotNeeded);
  locked.Add({L"a", L"C:\\a"});
  EXPECT_EQ(locked.SaveDecision(), Save::WriteBeside);
  locked.Saved();
  EXPECT_EQ(locked.SaveDecision(), Save::WriteBeside);  // the file stays unread

  // A file with no count line is not rewritten until the list changes.
  FavouriteList foreign(kLinksKind);
  foreign.BeginLoad();
  foreign.AppendLoaded(batch);
  foreign.EndLoad(LoadEnd::KeptAsLoaded);
  EXPECT_EQ(foreign.SaveDecision(), Save::NotNeeded);
  foreign.SetIcon(0, 7);  // icons are not in the file
  EXPECT_EQ(foreign.SaveDecision(), Save::NotNeeded);
  EXPECT_FALSE(foreign.Rename(0, L""));
  EXPECT_FALSE(foreign.Rename(0, L"Bloc-notes"));
  EXPECT_EQ(foreign.SaveDecision(), Save::NotNeeded);
  EXPECT_TRUE(foreign.Rename(0, L"Notes"));
  EXPECT_EQ(foreign.SaveDecision(), Save::Write);
  foreign.Saved();
  foreign.Remove(1);
  EXPECT_EQ(foreign.SaveDecision(), Save::Write);

  // Loaded again: a file's entries after what the list holds, in its order.
  foreign.Saved();
  foreign.BeginLoad();
  foreign.AppendLoaded(ParsePackedListFile(SerializeList(batch)).entries);
  foreign.EndLoad(LoadEnd::KeptAsLoaded);
  ASSERT_EQ(foreign.Count(), 3u);
  EXPECT_EQ(foreign.At(0).name, L"Notes");
  EXPECT_EQ(foreign.At(2).name, L"Calc");
  EXPECT_EQ(foreign.Target(2), L"C:\\calc.exe");
  foreign.Clear();  // a reset is a change like any other
  EXPECT_EQ(foreign.SaveDecision(), Save::Write);
}

TEST(FavouriteList, NamesAreUniqueIgnoringCaseAndSearchMatchesTheirStart) {
  FavouriteList list(kFilesKind);
  EXPECT_EQ(list.Add({L"Été", L"C:\\ete"}), 0);
  EXPECT_EQ(list.Add({L"éTÉ", L"C:\\autre"}), -1);
  EXPECT_EQ(list.Add({L"Ete", L"C:\\sans accent"}), 1);
  EXPECT_EQ(list.Add({L"Rapport", L"C:\\rapport.pdf", 3}), 2);
  EXPECT_EQ(list.Count(), 3u);
  EXPECT_EQ(list.At(2).icon, 3);
  EXPECT_EQ(list.FindName(L"RAPPORT"), 2);
  EXPECT_EQ(list.FindName(L"Rapport "), -1);
  EXPECT_EQ(list.FindPrefix(L"Rap"), 2);
  EXPECT_EQ(list.FindPrefix(L"rap"), -1);  // the search keeps letter case
  EXPECT_EQ(list.FindPrefix(L"E"), 1);
  // Type-ahead ignores letter case and goes round from where it starts.
  EXPECT_EQ(list.FindTyped(L"rap", 0), 2);
  EXPECT_EQ(list.FindTyped(L"\u00C9T", 1), 0);
  EXPECT_EQ(list.FindTyped(L"e", 1), 1);
  EXPECT_EQ(list.FindTyped(L"Rapports", 0), -1);
  list.Remove(0);
  EXPECT_EQ(list.FindName(L"Rapport"), 1);
  EXPECT_THROW(list.Remove(5), std::out_of_range);
  EXPECT_THROW(list.Rename(5, L"x"), std::out_of_range);
  list.Clear();
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.FindTyped(L"R", 0), -1);
}

// Renamed and removed entries leave texts behind in the pool until they are
// most of it; every entry keeps its own texts and icon throughout.
TEST(FavouriteList, PackedEntriesKeepEachTextThroughRenamesRemovalsAndAppends) {
  PackedEntries packed;
  std::vector<ListEntry> expected;
  for (int i = 0; i < 300; ++i) {
    const std::wstring name = L"Nom " + std::to_wstring(i), target = L"C:\\Cible\\" + std::to_wstring(i);
    packed.Append(name, target, i % 7 - 1);
    expected.push_back({name, target, i % 7 - 1});
  }
  for (int round = 0; round < 40; ++round) {  // enough renaming to drop unused texts more than once
    for (size_t i = 0; i < expected.size(); i += 3) {
      expected[i].name = L"Renomm\u00E9 " + std::to_wstring(round) + L"-" + std::to_wstring(i);
      packed.Rename(i, expected[i].name);
    }
    packed.Remove(static_cast<size_t>(round) * 5);
    expected.erase(expected.begin() + round * 5);
  }
  PackedEntries more;
  more.Append(L"", L"", 4);  // empty texts are kept
  more.Append(L"Dernier", L"D:\\");
  expected.push_back({L"", L"", 4});
  expected.push_back({L"Dernier", L"D:\\", -1});
  packed.Append(std::move(more));
  EXPECT_TRUE(more.Empty());
  ASSERT_EQ(packed.Count(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(packed.Name(i), expected[i].name) << i;
    EXPECT_EQ(packed.Target(i), expected[i].target) << i;
    EXPECT_EQ(packed.Icon(i), expected[i].icon) << i;
  }
  EXPECT_EQ(SerializePacked(packed), SerializeList(expected));
  EXPECT_THROW(packed.Remove(packed.Count()), std::out_of_range);
  EXPECT_THROW(packed.Name(packed.Count()), std::out_of_range);
  packed.Clear();
  EXPECT_TRUE(packed.Empty());
}

}  // namespace
}  // namespace kelvane
