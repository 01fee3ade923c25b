#include "settings/keyvalue_file.h"

#include <gtest/gtest.h>

#include <random>

namespace kelvane {
namespace {

KeyValueReader Read(std::string_view bytes) { return KeyValueReader(bytes, Cp1252ToWide); }

TEST(KeyValueReader, EveryKindOfLineEndAndLayout) {
  for (std::string_view eol : {"\r\n", "\r", "\n", "\n\r\r\n"}) {
    const std::string text = std::string("\xEF\xBB\xBF") + std::string(eol) + "; a comment = no" +
                             std::string(eol) + std::string(eol) + "  \tFolder\t =  \tC:\\a b \t" +
                             std::string(eol) + "Size=12" + std::string(eol) + "Last = end";
    const KeyValueReader file = Read(text);
    EXPECT_EQ(file.ReadString(L"Folder", L"-"), L"C:\\a b");
    EXPECT_EQ(file.ReadNumber(L"Size", -1), 12);
    EXPECT_EQ(file.ReadString(L"Last", L"-"), L"end");
    EXPECT_EQ(file.ReadString(L"; a comment", L"absent"), L"absent");
  }
}

TEST(KeyValueReader, KeyLookupRules) {
  const KeyValueReader file = Read(
      "PANEL = first\r\npanel = second\r\n\xC9t\xE9 = x\r\nnoequals\r\n = nokey\r\n"
      "[Group]\r\nLater = 1\r\n");
  EXPECT_EQ(file.ReadString(L"Panel", L""), L"first");  // ASCII case ignored, first wins
  EXPECT_EQ(file.ReadString(L"\u00C9t\u00E9", L""), L"x");
  EXPECT_EQ(file.ReadString(L"\u00E9t\u00E9", L"-"), L"-");  // only ASCII letters fold
  EXPECT_EQ(file.ReadString(L"noequals", L"-"), L"-");
  EXPECT_EQ(file.ReadString(L"Later", L"-"), L"-");  // keys of a group are not ours
  EXPECT_EQ(file.ReadNumber(L"Later", 5), 5);
}

TEST(KeyValueReader, EncodingFollowsByteOrderMark) {
  // UTF-8 with the mark; the same bytes without it are taken as ANSI.
  EXPECT_EQ(Read("\xEF\xBB\xBF\r\nDir = C:\\Donn\xC3\xA9\x65s\r\n").ReadString(L"Dir", L""),
            L"C:\\Donn\u00E9es");
  EXPECT_EQ(Read("Dir = C:\\Donn\xC3\xA9\x65s\r\n").ReadString(L"Dir", L""),
            L"C:\\Donn\u00C3\u00A9es");
  // Another editor's Windows-1252 file, LF only.
  EXPECT_EQ(Read("Dir = C:\\Donn\xE9\x65s \x80\nX=1\n").ReadString(L"Dir", L""),
            L"C:\\Donn\u00E9es \u20AC");
  EXPECT_EQ(Read("\xEF\xBB\xBF").ReadString(L"Dir", L"none"), L"none");
  EXPECT_EQ(Read("\xEF\xBB").ReadString(L"Dir", L"none"), L"none");
  // The decoder given is the one used.
  const KeyValueReader custom("k = v", [](std::string_view) { return std::wstring(L"k = W"); });
  EXPECT_EQ(custom.ReadString(L"k", L""), L"W");
}

TEST(KeyValueReader, DamagedFilesGiveDefaults) {
  EXPECT_EQ(Read("").ReadNumber(L"A", 3), 3);
  EXPECT_EQ(Read(std::string(4096, '\0')).ReadString(L"A", L"d"), L"d");
  // Zero bytes glued to a line do not hide the keys that survived.
  const KeyValueReader partly = Read(std::string("A = 1\0\0\0", 8) + std::string(100, '\0') + "B = x");
  EXPECT_EQ(partly.ReadNumber(L"A", 0), 1);
  EXPECT_EQ(partly.ReadString(L"B", L""), L"x");

  std::mt19937 random(1234);
  for (int round = 0; round < 50; ++round) {
    std::string garbage(1 + random() % 3000, '\0');
    for (char& c : garbage) c = static_cast<char>(random());
    if (round % 2) garbage.insert(0, kUtf8Bom);
    const KeyValueReader file = Read(garbage);
    EXPECT_EQ(file.ReadString(L"PrefDirApplis", L"d"), L"d");
    EXPECT_EQ(file.ReadNumber(L"WindowWidth", 9), 9);
  }

  const std::wstring longValue(5000, L'\u00E9');
  const KeyValueReader big = Read("\xEF\xBB\xBF\r\nLong = " + WideToUtf8(longValue) + "\r\nNext = 2\r\n");
  EXPECT_EQ(big.ReadString(L"Long", L""), longValue);
  EXPECT_EQ(big.ReadNumber(L"Next", 0), 2);
}

TEST(KeyValueNumber, SignDigitsAndThirtyTwoBitWrap) {
  const struct {
    const wchar_t* text;
    int32_t value;
  } cases[] = {
      {L"0", 0},       {L"42", 42},       {L"-17", -17},     {L"+5", 5},   {L"007", 7},
      {L"-007", -7},   {L"12abc", 12},    {L"1.9", 1},       {L"3 4", 3},  {L"1e3", 1},
      {L"abc", 0},     {L"", 0},          {L"-", 0},         {L"- 5", 0},  {L"--5", 0},
      {L"+-5", 0},     {L"\u0663", 0},    {L"\uFF15", 0},    {L"2147483647", 2147483647},
      {L"-2147483648", INT32_MIN},        {L"2147483648", INT32_MIN},
      {L"4294967296", 0},                 {L"4294967297", 1},
      {L"-2147483649", 2147483647},       {L"99999999999999999999", 1661992959},
      {L"-99999999999999999999", -1661992959},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseKeyValueNumber(c.text), c.value) << c.text;

  // Absent keys give the caller's default; present but not a number gives 0.
  const KeyValueReader file = Read("Word = abc\r\nPadded =   -8  \r\n");
  EXPECT_EQ(file.ReadNumber(L"Word", 7), 0);
  EXPECT_EQ(file.ReadNumber(L"Missing", 7), 7);
  EXPECT_EQ(file.ReadNumber(L"Padded", 7), -8);
}

TEST(KeyValueWriter, LayoutReplacementAndLineBreaksInValues) {
  KeyValueWriter file;
  file.WriteString(L"KeepWindowSize", L"Ok");
  file.WriteNumber(L"WindowHeight", -540);
  file.WriteComment(L"note");
  file.WriteString(L"Dir", L"C:\\\u00C9t\u00E9");
  file.WriteNumber(L"windowheight", 600);  // replaced where it stands
  file.WriteString(L"Bad", L"C:\\x\r\nPanel = Bureau");
  EXPECT_EQ(file.Text(),
            "\xEF\xBB\xBF\r\nKeepWindowSize = Ok\r\nwindowheight = 600\r\n; note\r\n"
            "Dir = C:\\\xC3\x89t\xC3\xA9\r\nBad = C:\\x\r\n");
  const KeyValueReader back = Read(file.Text());
  EXPECT_EQ(back.ReadString(L"Panel", L"none"), L"none");
  EXPECT_EQ(back.ReadString(L"Dir", L""), L"C:\\\u00C9t\u00E9");
  EXPECT_EQ(KeyValueWriter().Text(), "\xEF\xBB\xBF\r\n");
}

}  // namespace
}  // namespace kelvane
