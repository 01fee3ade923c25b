#include "toolkit/utf.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(Utf, RoundTripsAccentsAndAstralCharacters) {
  const std::string utf8 = "R\xC3\xA9sum\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80";  // "Résumé € 😀"
  const std::wstring wide = Utf8ToWide(utf8);
  EXPECT_EQ(wide.substr(0, 6), L"R\u00E9sum\u00E9");
  EXPECT_EQ(wide[7], L'\u20AC');
  EXPECT_EQ(WideToUtf8(wide), utf8);
  // The astral character is one code point on Linux, a surrogate pair on Windows.
  EXPECT_EQ(wide.size(), sizeof(wchar_t) == 2 ? 11u : 10u);
}

TEST(Utf, MalformedBytesBecomeReplacementCharacters) {
  // Lone continuation, truncated sequence, overlong "/", encoded surrogate.
  const std::wstring wide = Utf8ToWide("a\x80" "b\xE2\x82" "\xC0\xAF" "\xED\xA0\x80");
  EXPECT_EQ(wide.substr(0, 3), L"a\uFFFDb");
  for (size_t i = 3; i < wide.size(); ++i) EXPECT_EQ(wide[i], L'\uFFFD') << i;
  EXPECT_FALSE(IsValidUtf8("a\x80"));
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));
  EXPECT_TRUE(IsValidUtf8("caf\xC3\xA9"));
  EXPECT_TRUE(IsValidUtf8(""));
}

TEST(Utf, Cp1252MapsTheWindowsRangeAndLatin1) {
  EXPECT_EQ(Cp1252ToWide("\x80\x9C\xE9\xFF\x81"), L"\u20AC\u0153\u00E9\u00FF\u0081");
  EXPECT_EQ(Cp1252ToWide("C:\\Donn\xE9" "es"), L"C:\\Donn\u00E9es");
}

}  // namespace
}  // namespace kelvane
