#include "explorer/explorer_selection.h"

#include <gtest/gtest.h>

#include <vector>

namespace kelvane {
namespace {

using Paths = std::vector<std::wstring>;

TEST(ExplorerSelection, CollectsSelectedRowsInListOrderWithoutDotEntries) {
  const std::vector<FolderRowInfo> rows{
      {L"..", true}, {L"Photos", true}, {L"a.txt", false}, {L".", true}, {L"b c.doc", true}, {L"", true},
      {L"...", true},  // a real (if odd) name, not the parent entry
  };
  EXPECT_EQ(CollectSelectedPaths(L"C:\\Data\\", rows),
            (Paths{L"C:\\Data\\Photos", L"C:\\Data\\b c.doc", L"C:\\Data\\..."}));
  // Only ".." selected: nothing at all.
  EXPECT_TRUE(CollectSelectedPaths(L"C:\\Data\\", std::vector<FolderRowInfo>{{L"..", true}}).empty());
  // The drive overview's rows are whole drives: never collected as files.
  EXPECT_TRUE(CollectSelectedPaths(L"", std::vector<FolderRowInfo>{{L"D:\\", true}, {L"..", true}}).empty());
  EXPECT_TRUE(CollectSelectedPaths(L"\\\\", std::vector<FolderRowInfo>{{L"server\\share", true}}).empty());
}

TEST(ExplorerSelection, LineFeedTextsSplitIntoOneMoreFieldThanFeedsAndJoinBack) {
  EXPECT_EQ(SplitAtLineFeeds(L""), Paths{L""});
  EXPECT_EQ(SplitAtLineFeeds(L"C:\\a.txt"), Paths{L"C:\\a.txt"});
  EXPECT_EQ(SplitAtLineFeeds(L"C:\\a\\\nD:\\b.txt\n"), (Paths{L"C:\\a\\", L"D:\\b.txt", L""}));
  const Paths fields{L"C:\\a\\", L"D:\\\u00E9t\u00E9.txt"};
  EXPECT_EQ(JoinWithLineFeeds(fields), L"C:\\a\\\nD:\\\u00E9t\u00E9.txt");
  EXPECT_EQ(SplitAtLineFeeds(JoinWithLineFeeds(fields)), fields);
  EXPECT_EQ(JoinWithLineFeeds(Paths{}), L"");
}

TEST(ExplorerSelection, NamesThatWouldLeaveTheFolderAreRefused) {
  EXPECT_TRUE(IsNameWithinFolder(L"Nouveau dossier"));
  EXPECT_TRUE(IsNameWithinFolder(L"r\u00E9sum\u00E9.v2.txt"));
  EXPECT_FALSE(IsNameWithinFolder(L""));
  EXPECT_FALSE(IsNameWithinFolder(L"."));
  EXPECT_FALSE(IsNameWithinFolder(L".."));
  EXPECT_FALSE(IsNameWithinFolder(L"..\\x.txt"));
  EXPECT_FALSE(IsNameWithinFolder(L"sub/x.txt"));
  EXPECT_FALSE(IsNameWithinFolder(L"C:\\Windows\\x"));
}

TEST(ExplorerSelection, PathsCompareAsWindowsComparesThem) {
  EXPECT_TRUE(SamePath(L"C:\\Data\\Photos\\", L"c:/data/PHOTOS"));
  EXPECT_TRUE(SamePath(L"C:\\\u00C9t\u00E9", L"C:\\\u00E9T\u00C9\\"));
  EXPECT_FALSE(SamePath(L"C:\\Data\\Photo", L"C:\\Data\\Photos"));
  EXPECT_TRUE(IsInsideFolder(L"C:\\Data\\Photos\\2024\\", L"C:\\data\\"));
  EXPECT_TRUE(IsInsideFolder(L"C:\\Data\\x", L"C:\\"));
  EXPECT_FALSE(IsInsideFolder(L"C:\\Data\\", L"C:\\Data"));
  EXPECT_FALSE(IsInsideFolder(L"C:\\Database\\x", L"C:\\Data\\"));
  EXPECT_FALSE(IsInsideFolder(L"C:\\Data", L""));
  EXPECT_TRUE(IsInsideFolder(L"C:\\\u0394\u03A9\\x", L"c:\\\u03B4\u03C9")) << "Greek, as NTFS folds it";
  EXPECT_TRUE(SamePath(L"D:\\\u041F\u0430\u043F\u043A\u0430", L"d:\\\u043F\u0410\u041F\u041A\u0410"));
  EXPECT_FALSE(SamePath(L"C:\\e", L"C:\\\u00E9")) << "accents count";
  for (const wchar_t* root : {L"C:", L"c:\\", L"\\\\srv\\share\\", L"\\\\?\\D:\\", L"\\\\?\\UNC\\srv\\s", L"\\"}) {
    EXPECT_TRUE(IsVolumeRootPath(root)) << std::wstring(root).size();
  }
  for (const wchar_t* path : {L"C:\\x", L"\\\\srv\\share\\x", L"x", L""}) {
    EXPECT_FALSE(IsVolumeRootPath(path)) << std::wstring(path).size();
  }
}

}  // namespace
}  // namespace kelvane
