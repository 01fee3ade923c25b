#include "lists/list_file.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvane {
namespace {

// Bytes of a literal that holds NULs.
template <size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

std::vector<ListEntry> Entries(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> pairs) {
  std::vector<ListEntry> entries;
  for (const auto& [name, target] : pairs) entries.push_back({name, target});
  return entries;
}

TEST(ListFile, WritesCountThenNameAndTargetLinesEndedByCrLf) {
  EXPECT_EQ(SerializeList({}), "0\r\n") << "an empty list is the single line 0";
  const auto entries = Entries({{L"Budget.xlsx", L"C:\\Data\\Budget.xlsx"}, {L"Photos", L"D:\\Photos\\"}});
  EXPECT_EQ(SerializeList(entries), "2\r\nBudget.xlsx\r\nC:\\Data\\Budget.xlsx\r\nPhotos\r\nD:\\Photos\\\r\n");
  // Icons are not stored.
  auto withIcons = entries;
  withIcons[0].icon = 7;
  EXPECT_EQ(SerializeList(withIcons), SerializeList(entries));
}

TEST(ListFile, AccentsAndAllPlanesRoundTripByteForByte) {
  const std::string bytes =
      "3\r\n"
      "\xC3\x89t\xC3\xA9 \xC3\xA0 Montr\xC3\xA9" "al\r\nC:\\Donn\xC3\xA9" "es\\\xC3\xA9t\xC3\xA9.docx\r\n"
      "\xE6\x97\xA5\xE6\x9C\xAC\r\nD:\\\xE6\x97\xA5\xE6\x9C\xAC\\\r\n"
      "\xF0\x9F\x98\x80 smile\r\nhttps://example.org/\xF0\x9F\x98\x80\r\n";
  const ParsedList parsed = ParseListFile(bytes);
  ASSERT_EQ(parsed.entries.size(), 3u);
  EXPECT_EQ(parsed.entries[0].name, L"\u00C9t\u00E9 \u00E0 Montr\u00E9al");
  EXPECT_EQ(parsed.entries[1].target, L"D:\\\u65E5\u672C\\");
  EXPECT_EQ(SerializeList(parsed.entries), bytes);
}

TEST(ListFile, EveryLineEndReadsAlikeAndTheLastLineNeedsNone) {
  const auto expected = Entries({{L"a", L"C:\\a.exe"}, {L"b", L"C:\\b.exe"}});
  for (const char* bytes : {"2\r\na\r\nC:\\a.exe\r\nb\r\nC:\\b.exe\r\n", "2\ra\rC:\\a.exe\rb\rC:\\b.exe\r",
                            "2\na\nC:\\a.exe\nb\nC:\\b.exe\n", "2\r\na\rC:\\a.exe\nb\r\nC:\\b.exe"}) {
    SCOPED_TRACE(bytes);
    EXPECT_EQ(ParseListFile(bytes).entries, expected);
  }
  // LF CR is two line ends: an empty line between them.
  EXPECT_EQ(ParseListFile("1\n\rx\n").entries, Entries({{L"", L"x"}}));
}

TEST(ListFile, CountLineReadsLikeANumberWithAnythingAfterIt) {
  EXPECT_EQ(ParseCountLine(L"0012"), 12);
  EXPECT_EQ(ParseCountLine(L" \t+3 entries"), 3);
  EXPECT_EQ(ParseCountLine(L"-2"), -2);
  EXPECT_EQ(ParseCountLine(L"douze"), 0);
  EXPECT_EQ(ParseCountLine(L""), 0);
  EXPECT_EQ(ParseCountLine(L"\u00A012"), 0) << "only blanks and tabs are skipped";
  EXPECT_EQ(ParseCountLine(L"99999999999999999999999"), INT64_MAX);

  std::string twelve = "0012\r\n";
  for (int i = 0; i < 12; ++i) twelve.append("n").append(std::to_string(i)).append("\r\nt\r\n");
  EXPECT_EQ(ParseListFile(twelve).entries.size(), 12u);
  EXPECT_FALSE(ParseListFile(twelve).countUnreadable);
  // No count at all: the pairs that follow are read, and the list is marked.
  for (const char* bytes : {"douze\r\na\r\nA\r\nb\r\nB\r\n", "-5\r\na\r\nA\r\nb\r\nB", "\r\na\r\nA\r\nb\r\nB\r\n"}) {
    SCOPED_TRACE(bytes);
    const ParsedList parsed = ParseListFile(bytes);
    EXPECT_EQ(parsed.entries, Entries({{L"a", L"A"}, {L"b", L"B"}}));
    EXPECT_TRUE(parsed.countUnreadable);
  }
  EXPECT_FALSE(ParseListFile("").countUnreadable);
}

TEST(ListFile, MissingLinesAreEmptyAndExtraLinesIgnored) {
  // Count 3, one entry in the file: that entry only, no empty rows.
  ParsedList parsed = ParseListFile("3\r\nMail\r\nC:\\mail.exe\r\n");
  EXPECT_EQ(parsed.entries, Entries({{L"Mail", L"C:\\mail.exe"}}));
  EXPECT_TRUE(parsed.countCut);
  // Empty entries that the file holds stay.
  EXPECT_EQ(ParseListFile("2\r\n\r\n\r\nb\r\nB\r\n").entries, Entries({{L"", L""}, {L"b", L"B"}}));
  // A name whose target line is missing.
  EXPECT_EQ(ParseListFile("1\r\nMail").entries, Entries({{L"Mail", L""}}));
  // Entries after the counted ones are dropped, and a save drops them too.
  parsed = ParseListFile("1\r\na\r\nA\r\nb\r\nB\r\n");
  EXPECT_EQ(parsed.entries, Entries({{L"a", L"A"}}));
  EXPECT_EQ(SerializeList(parsed.entries), "1\r\na\r\nA\r\n");
}

TEST(ListFile, AbsurdCountAddsNoRowsPastTheEndOfTheFile) {
  ParsedList parsed = ParseListFile("2147483647\r\nMail\r\nC:\\mail.exe\r\nb\r\nB\r\nc\r\nC\r\n");
  EXPECT_EQ(parsed.entries.size(), 3u);
  EXPECT_TRUE(parsed.countCut);
  EXPECT_EQ(parsed.declaredCount, 2147483647);
  EXPECT_TRUE(ParseListFile("99999999999999999999999\r\n").entries.empty());
}

TEST(ListFile, OnlyAWholeFileAsWrittenIsComplete) {
  const std::string whole = SerializeList(Entries({{L"a", L"A"}, {L"b", L"B"}}));
  EXPECT_TRUE(IsCompleteListFile(whole));
  EXPECT_TRUE(IsCompleteListFile("0\r\n"));
  for (size_t cut = 0; cut < whole.size(); ++cut) EXPECT_FALSE(IsCompleteListFile(whole.substr(0, cut))) << cut;
  EXPECT_FALSE(IsCompleteListFile(whole + "x\r\n"));
  EXPECT_FALSE(IsCompleteListFile("deux\r\na\r\nA\r\nb\r\nB\r\n"));

  // Undamaged is looser: any line ends, a last line without its end, UTF-16.
  EXPECT_TRUE(IsUndamagedListFile(whole));
  EXPECT_TRUE(IsUndamagedListFile("2\na\nA\nb\nB"));
  EXPECT_TRUE(IsUndamagedListFile(std::string_view("\xFF\xFE" "1\0\n\0a\0\n\0A\0", 12)));
  const std::string zeroFilled = whole.substr(0, 6) + std::string(whole.size() - 6, '\0');
  for (const std::string& damaged : {std::string(), std::string("2\r\na\r\nA\r\n"), zeroFilled,
                                     whole + std::string(1, '\0'), std::string("deux\r\na\r\nA\r\n")}) {
    EXPECT_FALSE(IsUndamagedListFile(damaged)) << damaged.size();
  }
}

TEST(ListFile, EmptyFileAndZeroFileAreBothEmptyListsButSaveAsZero) {
  for (const char* bytes : {"", "0", "0\r\n", "\r\n"}) {
    SCOPED_TRACE(bytes);
    const ParsedList parsed = ParseListFile(bytes);
    EXPECT_TRUE(parsed.entries.empty());
    EXPECT_EQ(parsed.declaredCount, 0);
    EXPECT_EQ(SerializeList(parsed.entries), "0\r\n");
  }
}

TEST(ListFile, ByteOrderMarksAreUnderstoodInsteadOfEmptyingTheList) {
  const auto expected = Entries({{L"\u00C9diteur", L"C:\\\u00E9d.exe"}});
  EXPECT_EQ(ParseListFile("\xEF\xBB\xBF" "1\r\n\xC3\x89" "diteur\r\nC:\\\xC3\xA9" "d.exe\r\n").entries, expected);
  // UTF-16 of either byte order, as some editors save.
  const std::string le = Bytes("\xFF\xFE" "1\0\r\0\n\0\xC9\0d\0i\0t\0e\0u\0r\0\r\0\n\0C\0:\0\\\0\xE9\0d\0.\0e\0x\0e\0");
  EXPECT_EQ(ParseListFile(le).entries, expected);
  const std::string be = Bytes("\xFE\xFF\0" "1\0\r\0\n\0\xC9\0d\0i\0t\0e\0u\0r\0\r\0\n\0C\0:\0\\\0\xE9\0d\0.\0e\0x\0e");
  EXPECT_EQ(ParseListFile(be).entries, expected);
  // A surrogate pair in UTF-16, and an unpaired one.
  const std::string pair = Bytes("\xFF\xFE" "1\0\n\0\x3D\xD8\x00\xDE\n\0\x3D\xD8");
  const ParsedList smile = ParseListFile(pair);
  ASSERT_EQ(smile.entries.size(), 1u);
  EXPECT_EQ(smile.entries[0].name, std::wstring(L"\U0001F600"));
  EXPECT_EQ(smile.entries[0].target, L"\uFFFD");
}

TEST(ListFile, BytesThatAreNotUtf8AreReadInTheAnsiCodePage) {
  // Written by another tool in Windows-1252: the accents survive the next save.
  const ParsedList parsed = ParseListFile("1\r\nCaf\xE9\r\nC:\\Caf\xE9.exe\r\n");
  EXPECT_EQ(parsed.entries, Entries({{L"Caf\u00E9", L"C:\\Caf\u00E9.exe"}}));
  EXPECT_EQ(SerializeList(parsed.entries), "1\r\nCaf\xC3\xA9\r\nC:\\Caf\xC3\xA9.exe\r\n");
  // The decoder given is the one used, on the lines that are not UTF-8.
  const auto upper = [](std::string_view) { return std::wstring(L"X"); };
  EXPECT_EQ(ParseListFile("1\nCaf\xE9\nY", upper).entries, Entries({{L"X", L"Y"}}));
  // Line by line: a cut character, or one line in ANSI, spoils only its own line.
  const ParsedList mixed = ParseListFile("2\r\n\xC3\x89t\xC3\xA9\r\nCaf\xE9\r\nD\xC3\xA9j\xC3\xA0\r\nC:\\\xC3");
  EXPECT_EQ(mixed.entries, Entries({{L"\u00C9t\u00E9", L"Caf\u00E9"}, {L"D\u00E9j\u00E0", L"C:\\\u00C3"}}));
}

TEST(ListFile, LineBreaksInsideATextCannotShiftLaterEntries) {
  const auto entries = Entries({{L"two\r\nlines", L"C:\\a\nb"}, {L"next", L"C:\\next"}});
  const std::string bytes = SerializeList(entries);
  EXPECT_EQ(bytes, "2\r\ntwo  lines\r\nC:\\a b\r\nnext\r\nC:\\next\r\n");
  EXPECT_EQ(ParseListFile(bytes).entries[1], entries[1]);
}

// The packed reading gives what the plain one gives, and a file counts as its
// own serialisation exactly when writing its entries gives its bytes back.
TEST(ListFile, PackedReadingMatchesThePlainOneAndKnowsWhenBytesAreTheirOwnSerialisation) {
  const std::string written =
      SerializeList(Entries({{L"\u00C9t\u00E9", L"C:\\\u00E9t\u00E9.txt"}, {L"\U0001F600", L"https://x/"}}));
  for (const std::string& bytes :
       {written, std::string("0\r\n"), std::string(), std::string("2\na\nA\nb\nB\n"),
        std::string("02\r\na\r\nA\r\nb\r\nB\r\n"),
        std::string("+1\r\na\r\nA\r\n"), std::string("1\r\na\r\nA\r\nextra\r\n"), std::string("3\r\na\r\nA\r\n"),
        std::string("1\r\na\rb\r\nA\r\n"), std::string("1\r\na\r\nA"), std::string("deux\r\na\r\nA\r\n"),
        std::string("\xEF\xBB\xBF") + written, std::string("1\r\n\xE9t\xE9\r\nA\r\n"), Bytes("1\r\na\0b\r\nA\r\n"),
        std::string("\xFF\xFE" "1\0\r\0\n\0a\0\r\0\n\0A\0\r\0\n\0", 20)}) {
    SCOPED_TRACE(testing::PrintToString(bytes));
    const ParsedList plain = ParseListFile(bytes);
    const PackedList packed = ParsePackedListFile(bytes);
    ASSERT_EQ(packed.entries.Count(), plain.entries.size());
    for (size_t k = 0; k < plain.entries.size(); ++k) {
      EXPECT_EQ(packed.entries.Name(k), plain.entries[k].name);
      EXPECT_EQ(packed.entries.Target(k), plain.entries[k].target);
      EXPECT_EQ(packed.entries.Icon(k), -1);
    }
    EXPECT_EQ(packed.declaredCount, plain.declaredCount);
    EXPECT_EQ(packed.countCut, plain.countCut);
    EXPECT_EQ(packed.countUnreadable, plain.countUnreadable);
    EXPECT_EQ(SerializePacked(packed.entries), SerializeList(plain.entries));
    EXPECT_EQ(SerializesAsRead(bytes, plain.entries.size()), SerializeList(plain.entries) == bytes);
  }
  EXPECT_TRUE(SerializesAsRead(written, 2));
  EXPECT_FALSE(SerializesAsRead(written, 1));
}

}  // namespace
}  // namespace kelvane
