#include "explorer/path_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace kelvane {
namespace {

using namespace std::string_literals;

TEST(PathList, EachPathEndsInNulAndTheEmptyElementEndsTheList) {
  // Callers leave an empty element after the last path: its NUL plus the
  // final terminator follow the last path's own NUL.
  const std::vector<std::wstring> one{L"C:\\a.txt", L""};
  EXPECT_EQ(BuildPathList(one), L"C:\\a.txt\0\0\0"s);

  const std::vector<std::wstring> two{L"C:\\a.txt", L"D:\\b c\\d\u00E9.doc", L""};
  EXPECT_EQ(BuildPathList(two), L"C:\\a.txt\0D:\\b c\\d\u00E9.doc\0\0\0"s);

  // Paths after an empty element are not part of the list.
  const std::vector<std::wstring> gap{L"C:\\a.txt", L"", L"C:\\b.txt", L""};
  EXPECT_EQ(BuildPathList(gap), L"C:\\a.txt\0\0\0"s);

  // Without the empty element, still doubly terminated.
  const std::vector<std::wstring> bare{L"C:\\a.txt"};
  EXPECT_EQ(BuildPathList(bare), L"C:\\a.txt\0\0"s);
}

TEST(PathList, EmptySelectionsGiveAnEmptyDoublyTerminatedList) {
  EXPECT_EQ(BuildPathList(std::vector<std::wstring>{L""}), L"\0\0"s);
  EXPECT_EQ(BuildPathList(std::vector<std::wstring>{}), L"\0\0"s);
  EXPECT_EQ(BuildPathList(std::vector<std::wstring>{L"", L"C:\\a.txt"}), L"\0\0"s);
}

TEST(PathList, OneFinalBackslashGoesExceptOnRoots) {
  const std::vector<std::wstring> folders{L"C:\\Data\\Photos\\", L"\\\\srv\\share\\dir\\", L"C:\\x\\\\", L""};
  EXPECT_EQ(BuildPathList(folders), L"C:\\Data\\Photos\0\\\\srv\\share\\dir\0C:\\x\\\0\0\0"s);
  // "D:" would name drive D's current directory; "\" would vanish and end the list.
  const std::vector<std::wstring> roots{L"D:\\", L"\\", L""};
  EXPECT_EQ(BuildPathList(roots), L"D:\\\0\\\0\0\0"s);
  // The caller's array is left as it was.
  EXPECT_EQ(folders[0], L"C:\\Data\\Photos\\");
}

}  // namespace
}  // namespace kelvane
