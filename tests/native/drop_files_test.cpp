#include "explorer/drop_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvane {
namespace {

using Bytes = std::vector<uint8_t>;

std::vector<std::wstring> Parse(const Bytes& block) {
  return ParseDropFilesBlock(block.data(), block.size(), Cp1252ToWide);
}

// A header as other programs write it.
Bytes Header(uint32_t pFiles, uint32_t fWide) {
  Bytes b(20, 0);
  b[0] = static_cast<uint8_t>(pFiles);
  b[16] = static_cast<uint8_t>(fWide);
  return b;
}

TEST(DropFiles, SmallBlockHasTheExactBytes) {
  const Bytes block = BuildDropFilesBlock({L"C:\\\u00E9\\", L""});
  const Bytes expected{20, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0,  1, 0, 0, 0,
                       'C', 0, ':', 0, '\\', 0, 0xE9, 0,  // final backslash gone
                       0, 0, 0, 0, 0, 0};                 // path NUL, empty element's NUL, end
  EXPECT_EQ(block, expected);
  // Nothing selected: a valid item that holds no file.
  EXPECT_EQ(BuildDropFilesBlock({L""}).size(), 24u);
  EXPECT_TRUE(Parse(BuildDropFilesBlock({L""})).empty());
}

TEST(DropFiles, RoundTripKeepsAccentsAndAstralCharacters) {
  // U+1F600 is a surrogate pair in the block, whatever the width of wchar_t.
  const std::wstring astral = sizeof(wchar_t) == 2 ? std::wstring(L"\xD83D\xDE00") : std::wstring(1, wchar_t(0x1F600));
  const std::vector<std::wstring> paths{L"C:\\Donn\u00E9es\\\u0153uvre.txt", L"D:\\" + astral + L".png",
                                        L"E:\\Dossier\\", L""};
  const Bytes block = BuildDropFilesBlock(paths);
  const std::vector<std::wstring> expected{paths[0], paths[1], L"E:\\Dossier"};
  EXPECT_EQ(Parse(block), expected);
  const size_t astralAt = 20 + 2 * std::wstring(L"C:\\Donn\u00E9es\\\u0153uvre.txt").size() + 2 + 6;
  EXPECT_EQ((Bytes{block.begin() + astralAt, block.begin() + astralAt + 4}), (Bytes{0x3D, 0xD8, 0x00, 0xDE}));

  // A lone surrogate (possible in Windows file names) stays as it is where
  // wchar_t holds UTF-16, and is no code point where it holds 32 bits.
  Bytes lone = Header(20, 1);
  lone.insert(lone.end(), {'a', 0, 0x00, 0xD8, 'b', 0, 0, 0, 0, 0});
  const std::wstring kept = sizeof(wchar_t) == 2 ? std::wstring{L'a', wchar_t(0xD800), L'b'} : L"a\uFFFDb";
  EXPECT_EQ(Parse(lone), std::vector<std::wstring>{kept});
}

TEST(DropFiles, ReadsAnsiBlocksAndOtherOffsets) {
  Bytes ansi = Header(20, 0);
  const std::string list("C:\\Donn\xE9" "es\\\x80.txt\0D:\\b\0\0junk\0", 28);
  ansi.insert(ansi.end(), list.begin(), list.end());
  EXPECT_EQ(Parse(ansi), (std::vector<std::wstring>{L"C:\\Donn\u00E9es\\\u20AC.txt", L"D:\\b"}));
  EXPECT_TRUE(ParseDropFilesBlock(ansi.data(), ansi.size(), nullptr).empty());

  // A longer header (pFiles 24): the list starts where pFiles says.
  Bytes wide = Header(24, 1);
  wide.insert(wide.end(), {0xFF, 0xFF, 0xFF, 0xFF, 'x', 0, 0, 0, 0, 0});
  EXPECT_EQ(Parse(wide), std::vector<std::wstring>{L"x"});

  // Whatever follows the empty path is not part of the list.
  Bytes trailing = Header(20, 1);
  trailing.insert(trailing.end(), {'a', 0, 0, 0, 0, 0, 'b', 0, 0, 0, 0, 0});
  EXPECT_EQ(Parse(trailing), std::vector<std::wstring>{L"a"});
}

TEST(DropFiles, DamagedBlocksNeverReadPastTheEnd) {
  const Bytes good = BuildDropFilesBlock({L"C:\\ab", L"C:\\cd", L""});
  const std::vector<std::wstring> both{L"C:\\ab", L"C:\\cd"};
  const std::vector<std::wstring> first{L"C:\\ab"};
  // Each cut is copied into a block of exactly that size, so that the
  // sanitizer catches any read beyond it.
  auto parseCut = [&](size_t size) {
    const Bytes cut(good.begin(), good.begin() + static_cast<ptrdiff_t>(size));
    return Parse(cut);
  };
  EXPECT_EQ(parseCut(good.size() - 4), both);  // no final terminator
  EXPECT_EQ(parseCut(good.size() - 5), first);   // second path's NUL cut in half
  EXPECT_EQ(parseCut(good.size() - 6), first);   // second path without its NUL
  EXPECT_TRUE(parseCut(20).empty());
  EXPECT_TRUE(parseCut(19).empty());              // header cut
  EXPECT_TRUE(parseCut(0).empty());
  EXPECT_TRUE(ParseDropFilesBlock(nullptr, 0, Cp1252ToWide).empty());

  Bytes inside = Header(12, 1);  // pFiles inside the header, at fNC
  inside[12] = 'x';
  EXPECT_TRUE(Parse(inside).empty());
  EXPECT_TRUE(Parse(Header(200, 1)).empty());  // pFiles past the end
  Bytes ansiCut = Header(20, 0);
  ansiCut.insert(ansiCut.end(), {'a', 0, 'b', 'c'});
  EXPECT_EQ(Parse(ansiCut), std::vector<std::wstring>{L"a"});
}

}  // namespace
}  // namespace kelvane
