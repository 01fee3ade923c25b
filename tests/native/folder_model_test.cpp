#include "toolkit/folder_model.h"

#include "toolkit/utf.h"

#include <climits>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kelvane {
namespace {

using ::testing::ElementsAre;

FolderRow File(std::wstring name, std::uint64_t size = 0, std::int64_t modified = 0) {
  FolderRow row;
  row.name = std::move(name);
  row.size = size;
  row.modified = modified;
  row.kind = FolderRowKind::File;
  return row;
}

FolderRow Folder(std::wstring name) {
  FolderRow row;
  row.name = std::move(name);
  row.kind = FolderRowKind::Folder;
  return row;
}

// Rows numbered in the order given, as a listing delivers them.
std::vector<FolderRow> Listing(std::vector<FolderRow> rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i].order = static_cast<std::uint32_t>(i);
  return rows;
}

std::vector<std::wstring> Names(const FolderModel& model) {
  std::vector<std::wstring> names;
  for (const FolderRow& row : model.rows()) names.push_back(row.name);
  return names;
}

TEST(FolderNames, CaseIsFoldedAsWindowsDoesButAccentsCount) {
  EXPECT_TRUE(SameName(L"Rapport.TXT", L"rapport.txt"));
  EXPECT_TRUE(SameName(L"ÉTÉ", L"été"));
  EXPECT_TRUE(SameName(L"ŒUVRE ŸVES", L"œuvre ÿves"));
  EXPECT_TRUE(SameName(L"ПРИВЕТ Ёж", L"привет ёж"));
  // Greek, final sigma included; a Latin o is no omicron.
  EXPECT_TRUE(SameName(L"\u03A3\u039F\u03A6\u039F\u03A3", L"\u03C3\u03BF\u03C6\u03BF\u03C2"));
  EXPECT_FALSE(SameName(L"\u03A3\u039F\u03A6\u039F\u03A3", L"\u03C3o\u03C6\u03BF\u03C2"));
  EXPECT_FALSE(SameName(L"été", L"ete"));
  EXPECT_FALSE(SameName(L"a", L"ab"));
  EXPECT_EQ(FoldCase(L'ß'), L'ß');
  EXPECT_EQ(FoldCase(L'7'), L'7');
}

TEST(FolderNames, DisplayOrderIsNaturalAndIgnoresCaseAndAccentsFirst) {
  std::vector<std::wstring> names = {L"file10.txt", L"File2.txt", L"zèbre", L"_notes", L"10 ans", L"2 ans",
                                     L"été",        L"Eté",       L"ete",   L"Ezra",   L"file02.txt"};
  std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return CompareNames(a, b) < 0; });
  EXPECT_THAT(names, ElementsAre(L"_notes", L"2 ans", L"10 ans", L"ete", L"Eté", L"été", L"Ezra", L"File2.txt",
                                 L"file02.txt", L"file10.txt", L"zèbre"));
  // A total order: zero only for identical texts, and antisymmetric.
  EXPECT_EQ(CompareNames(L"abc", L"abc"), 0);
  for (const auto& a : names) {
    for (const auto& b : names) {
      if (a != b) {
        EXPECT_NE(CompareNames(a, b), 0) << "equal: " << WideToUtf8(a);
        EXPECT_EQ(CompareNames(a, b), -CompareNames(b, a));
      }
    }
  }
  EXPECT_LT(CompareNames(L"a", L"ab"), 0);
  EXPECT_LT(CompareNames(L"x99999999999999999999", L"x100000000000000000000"), 0) << "no overflow";
}

class FolderModelSort : public ::testing::Test {
 protected:
  void SetUp() override {
    model.Clear(true);
    model.Append(Listing({File(L"b.txt", 300, 30), Folder(L"zeta"), File(L"A.doc", 100, 20), Folder(L"Alpha"),
                          File(L"c.txt", 100, 10)}));
  }
  FolderModel model;
};

TEST_F(FolderModelSort, ListingOrderPutsFoldersFirstThenFilesAsListed) {
  EXPECT_THAT(Names(model), ElementsAre(L"..", L"zeta", L"Alpha", L"b.txt", L"A.doc", L"c.txt"));
  // More rows of the same listing go to their place in the same order.
  model.Append({[] {
    FolderRow row = Folder(L"later");
    row.order = 5;
    return row;
  }()});
  EXPECT_THAT(Names(model), ElementsAre(L"..", L"zeta", L"Alpha", L"later", L"b.txt", L"A.doc", L"c.txt"));
}

TEST_F(FolderModelSort, EachColumnSortsWithinFoldersAndFilesAndASecondClickReverses) {
  FolderSort sort = SortAfterHeaderClick(model.sort(), FolderColumn::Name);
  model.SetSort(sort);
  EXPECT_THAT(Names(model), ElementsAre(L"..", L"Alpha", L"zeta", L"A.doc", L"b.txt", L"c.txt"));
  sort = SortAfterHeaderClick(sort, FolderColumn::Name);
  EXPECT_TRUE(sort.descending);
  model.SetSort(sort);
  EXPECT_THAT(Names(model), ElementsAre(L"..", L"zeta", L"Alpha", L"c.txt", L"b.txt", L"A.doc"));

  // Another column starts ascending; equal sizes fall back on the name.
  sort = SortAfterHeaderClick(sort, FolderColumn::Size);
  EXPECT_EQ(sort, (FolderSort{FolderColumn::Size, false}));
  model.SetSort(sort);
  EXPECT_THAT(Names(model), ElementsAre(L"..", L"Alpha", L"zeta", L"A.doc", L"c.txt", L"b.txt"));
  model.SetSort(SortAfterHeaderClick(sort, FolderColumn::Size));
  EXPECT_THAT(Names(model), ElementsAre(L"..", L"zeta", L"Alpha", L"b.txt", L"c.txt", L"A.doc"));

  model.SetSort({FolderColumn::Modified, false});
  EXPECT_THAT(Names(model), ElementsAre(L"..", L"Alpha", L"zeta", L"c.txt", L"A.doc", L"b.txt"));
}

TEST_F(FolderModelSort, TypeSortAsksTheResolverForMissingTypesOnly) {
  int asked = 0;
  model.SetTypeResolver([&](const FolderRow& row) {
    ++asked;
    if (row.IsFolderLike()) return model.InternType(L"Dossier");
    return model.InternType(ExtensionOf(row.name) == L".doc" ? L"Document" : L"Texte");
  });
  model.SetSort({FolderColumn::Name, false});
  EXPECT_EQ(asked, 0) << "types are fetched lazily unless sorting needs them";
  model.SetSort({FolderColumn::Type, true});
  EXPECT_EQ(asked, 5);
  EXPECT_THAT(Names(model), ElementsAre(L"..", L"zeta", L"Alpha", L"c.txt", L"b.txt", L"A.doc"));
  EXPECT_EQ(model.TypeText(model[3].type), L"Texte");
  model.SetSort({FolderColumn::Type, false});
  EXPECT_EQ(asked, 5);
  EXPECT_EQ(model.InternType(L"Texte"), model[5].type) << "one text per type";
}

TEST(FolderModel, BatchesMergeToTheSameOrderAsOneListingAndSortingIsRepeatable) {
  std::vector<FolderRow> all;
  for (int i = 0; i < 200; ++i) {
    const std::wstring name = (i % 7 == 0 ? L"Dir" : L"file") + std::to_wstring((i * 37) % 101);
    FolderRow row = (i % 7 == 0) ? Folder(name) : File(name, static_cast<std::uint64_t>(i % 5));
    all.push_back(row);  // names repeat: ties are decided by listing order
  }
  all = Listing(all);
  for (FolderSort sort : {FolderSort{}, FolderSort{FolderColumn::Name, false}, FolderSort{FolderColumn::Size, true}}) {
    FolderModel whole, batched;
    whole.SetSort(sort);
    batched.SetSort(sort);
    whole.Clear(false);
    batched.Clear(false);
    whole.Append(all);
    for (std::size_t i = 0; i < all.size(); i += 33) {
      batched.Append({all.begin() + static_cast<std::ptrdiff_t>(i),
                      all.begin() + static_cast<std::ptrdiff_t>(std::min(i + 33, all.size()))});
    }
    std::vector<std::uint32_t> a, b;
    for (const FolderRow& row : whole.rows()) a.push_back(row.order);
    for (const FolderRow& row : batched.rows()) b.push_back(row.order);
    EXPECT_EQ(a, b);
    whole.SetSort(sort);
    std::vector<std::uint32_t> again;
    for (const FolderRow& row : whole.rows()) again.push_back(row.order);
    EXPECT_EQ(a, again);
  }
}

TEST(FolderModel, NewListingKeepsIconsOfUnchangedRowsAndTypesOfSameNames) {
  FolderModel model;
  model.SetSort({FolderColumn::Name, false});
  model.Clear(true);
  model.Append(Listing({File(L"same.txt", 10, 100), File(L"grown.txt", 10, 100), File(L"gone.txt"),
                        Folder(L"Sub"), File(L"Case.txt", 1, 1)}));
  for (std::size_t i = 0; i < model.size(); ++i) {
    model[i].icon = static_cast<std::int32_t>(10 + i);
    model[i].type = 3;
  }
  const std::int32_t parentIcon = model[0].icon;

  const FolderDiff diff = model.Replace(Listing({File(L"new.txt"), File(L"SAME.TXT", 10, 100), Folder(L"sub"),
                                                 File(L"grown.txt", 20, 100), File(L"case.txt", 1, 1)}));
  EXPECT_EQ(diff.added, 1u);
  EXPECT_EQ(diff.removed, 1u);
  EXPECT_EQ(diff.changed, 4u) << "grown, and three names whose case changed";
  EXPECT_THAT(Names(model), ElementsAre(L"..", L"sub", L"case.txt", L"grown.txt", L"new.txt", L"SAME.TXT"));
  EXPECT_EQ(model[0].icon, parentIcon);
  EXPECT_EQ(model[model.FindName(L"grown.txt")].icon, kNotFetched) << "a changed file is drawn again";
  EXPECT_EQ(model[model.FindName(L"grown.txt")].type, 3);
  EXPECT_EQ(model[model.FindName(L"new.txt")].type, kNotFetched);

  // Unchanged rows keep everything, even an icon still being fetched.
  model[model.FindName(L"grown.txt")].icon = kFetching;
  model[model.FindName(L"new.txt")].icon = 77;
  const FolderDiff none = model.Replace(Listing({File(L"new.txt"), File(L"SAME.TXT", 10, 100), Folder(L"sub"),
                                                 File(L"grown.txt", 20, 100), File(L"case.txt", 1, 1)}));
  EXPECT_FALSE(none.Any());
  EXPECT_EQ(model[model.FindName(L"grown.txt")].icon, kFetching);
  EXPECT_EQ(model[model.FindName(L"new.txt")].icon, 77);

  // A file replaced by a folder of the same name is a new row.
  const FolderDiff swapped = model.Replace(Listing({Folder(L"new.txt")}));
  EXPECT_EQ(swapped.added, 1u);
  EXPECT_EQ(swapped.removed, 5u);
  EXPECT_EQ(model[1].icon, kNotFetched);
  EXPECT_EQ(model[1].type, kNotFetched);
}

TEST(FolderModel, SameNameListedTwiceMatchesItsExactTwinFirst) {
  // Case-sensitive folders (network shares, Wine) can hold "a" and "A".
  FolderModel model;
  model.Clear(false);
  model.Append(Listing({File(L"a", 1), File(L"A", 2)}));
  for (std::size_t i = 0; i < model.size(); ++i) model[i].icon = model[i].name == L"a" ? 1 : 2;
  const FolderDiff diff = model.Replace(Listing({File(L"A", 3), File(L"a", 1)}));
  EXPECT_EQ(diff.changed, 1u);
  EXPECT_EQ(diff.added + diff.removed, 0u);
  for (std::size_t i = 0; i < model.size(); ++i) {
    EXPECT_EQ(model[i].icon, model[i].name == L"a" ? 1 : kNotFetched) << "row " << i;
  }
}

TEST(FolderModel, TypeAheadFindsTheNextNameWithThePrefixAndWraps) {
  FolderModel model;
  model.SetSort({FolderColumn::Name, false});
  model.Clear(true);
  model.Append(Listing({File(L"alpha"), File(L"Beta"), File(L"bravo"), File(L"charlie")}));
  EXPECT_EQ(model.FindPrefix(L"b", 0), 2);
  EXPECT_EQ(model.FindPrefix(L"B", 3), 3);
  EXPECT_EQ(model.FindPrefix(L"al", 3), 1) << "wraps round";
  EXPECT_EQ(model.FindPrefix(L"delta", 0), -1);
  EXPECT_EQ(model.FindName(L"CHARLIE"), 4);
  EXPECT_EQ(model.FindName(L"charli"), -1);
}

TEST(FolderTexts, SizesDatesAndCapacities) {
  EXPECT_EQ(FormatSizeColumn(0), L"0 Ko");
  EXPECT_EQ(FormatSizeColumn(1), L"1 Ko");
  EXPECT_EQ(FormatSizeColumn(1024), L"1 Ko");
  EXPECT_EQ(FormatSizeColumn(1025), L"2 Ko");
  EXPECT_EQ(FormatSizeColumn(1234567), L"1\u00A0206 Ko");
  EXPECT_EQ(FormatSizeColumn(5ull << 40), L"5\u00A0368\u00A0709\u00A0120 Ko");
  EXPECT_EQ(FormatCapacity(999), L"999 octets");
  EXPECT_EQ(FormatCapacity(1000 * 1024), L"0,97 Mo");
  EXPECT_EQ(FormatCapacity(500107862016ull), L"465 Go");
  EXPECT_EQ(FormatCapacity(10234567890ull), L"9,53 Go");
  EXPECT_EQ(FormatCapacity(13421772800ull), L"12,5 Go");
  EXPECT_EQ(FormatCapacity(2ull << 40), L"2,00 To");
  EXPECT_EQ(FormatDateColumn(2024, 3, 7, 9, 5), L"07/03/2024 09:05");
  // Numbers too wide for a date still come out whole, never cut or unterminated.
  EXPECT_EQ(FormatDateColumn(INT_MIN, 123456, -7, 2147483647, 100000),
            L"-7/123456/-2147483648 2147483647:100000");
}

TEST(FolderPaths, ParentsNamesAndExtensions) {
  EXPECT_EQ(NormalizeFolderPath(L""), L"");
  EXPECT_EQ(NormalizeFolderPath(L"c:"), L"c:\\");
  EXPECT_EQ(NormalizeFolderPath(L"C:/Users/x"), L"C:\\Users\\x\\");
  EXPECT_EQ(NormalizeFolderPath(L"C:\\a\\"), L"C:\\a\\");

  EXPECT_EQ(ParentFolderOf(L"C:\\a\\b\\"), L"C:\\a\\");
  EXPECT_EQ(ParentFolderOf(L"C:\\a\\"), L"C:\\");
  EXPECT_EQ(ParentFolderOf(L"C:\\"), L"") << "a drive's parent is the drive overview";
  EXPECT_EQ(ParentFolderOf(L""), L"");
  EXPECT_EQ(ParentFolderOf(L"\\\\server\\share\\dir\\"), L"\\\\server\\share\\");
  EXPECT_EQ(ParentFolderOf(L"\\\\server\\share\\"), L"");
  EXPECT_EQ(ParentFolderOf(L"\\\\?\\C:\\long\\"), L"\\\\?\\C:\\");
  EXPECT_EQ(ParentFolderOf(L"\\\\?\\C:\\"), L"");

  EXPECT_EQ(LastFolderName(L"C:\\a\\Projets\\"), L"Projets");
  EXPECT_EQ(LastFolderName(L"d:\\"), L"d:\\");

  EXPECT_EQ(ExtensionOf(L"archive.tar.gz"), L".gz");
  EXPECT_EQ(ExtensionOf(L"Makefile"), L"");
  EXPECT_EQ(ExtensionOf(L".gitignore"), L".gitignore");
}

}  // namespace
}  // namespace kelvane
