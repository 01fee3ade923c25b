// The shell's file operation for real: the program's flag sets must copy,
// move and delete files and whole folders without any question, and the
// path-list rules must reach the shell as the callers expect.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "explorer/shell_file_ops_win.h"
#include "win/kelvane_process.h"
#include "win/shell_dialog_answerer.h"

namespace kelvane::test {
namespace {

class ShellFileOps : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = MakeTempFolder();
    source_ = folder_ + L"source\\";
    target_ = folder_ + L"cible\\";
    ASSERT_TRUE(CreateDirectoryW(source_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(target_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((source_ + L"sous dossier").c_str(), nullptr));
    ASSERT_TRUE(WriteAll(source_ + L"a.txt", "nouveau"));
    ASSERT_TRUE(WriteAll(source_ + L"sous dossier\\b.txt", "b"));
    ASSERT_TRUE(WriteAll(target_ + L"a.txt", "ancien"));
  }
  void TearDown() override { RemovePath(folder_.substr(0, folder_.size() - 1)); }

  // The target folder as the shell takes it, ended by an empty element.
  std::vector<std::wstring> Destination() const { return {target_, L""}; }
  // What a copy and a move both leave in the target: the old a.txt replaced.
  void ExpectSourceContentsInTarget() const {
    EXPECT_EQ(ReadAll(target_ + L"a.txt"), "nouveau");
    EXPECT_EQ(ReadAll(target_ + L"sous dossier\\b.txt"), "b");
  }

  std::wstring folder_, source_, target_;
};

TEST_F(ShellFileOps, CopyReplacesExistingFilesAndCopiesFoldersWhole) {
  // A folder with its final backslash, as the explorer's selection gives it.
  const std::vector<std::wstring> sources{source_ + L"a.txt", source_ + L"sous dossier\\", L""};
  ASSERT_TRUE(ShellCopyFiles(sources, Destination(), L"Copie", nullptr, kCopyFlags));
  ExpectSourceContentsInTarget();
  EXPECT_TRUE(FileExists(source_ + L"a.txt"));
  EXPECT_TRUE(FileExists(source_ + L"sous dossier\\b.txt"));
}

TEST_F(ShellFileOps, MoveTakesFilesAndFoldersAwayFromTheirSource) {
  const std::vector<std::wstring> sources{source_ + L"a.txt", source_ + L"sous dossier", L""};
  ASSERT_TRUE(ShellMoveFiles(sources, Destination(), L"Déplacement", nullptr, kMoveFlags));
  ExpectSourceContentsInTarget();
  EXPECT_FALSE(FileExists(source_ + L"a.txt"));
  EXPECT_FALSE(IsDirectory(source_ + L"sous dossier"));
}

TEST_F(ShellFileOps, DeleteStopsAtTheFirstEmptyElementAndReportsFailures) {
  ASSERT_TRUE(WriteAll(source_ + L"c.txt", "c"));
  const std::vector<std::wstring> sources{source_ + L"a.txt", source_ + L"sous dossier\\", L"",
                                          source_ + L"c.txt", L""};
  ASSERT_TRUE(ShellDeleteFiles(sources, L"Suppression", nullptr, kDeleteFlags));
  EXPECT_FALSE(FileExists(source_ + L"a.txt"));
  EXPECT_FALSE(IsDirectory(source_ + L"sous dossier"));
  EXPECT_TRUE(FileExists(source_ + L"c.txt")) << "after the empty element: not part of the list";

  // Nothing to delete is no failure, whatever the shell would say of an
  // empty list; a path that names nothing is one.
  EXPECT_TRUE(ShellDeleteFiles(std::vector<std::wstring>{L""}, L"Suppression", nullptr, kDeleteFlags));
  EXPECT_FALSE(ShellDeleteFiles(std::vector<std::wstring>{source_ + L"absent.txt", L""}, L"Suppression",
                                nullptr, kDeleteFlags));
  EXPECT_TRUE(FileExists(source_ + L"c.txt"));
}

TEST_F(ShellFileOps, RecycleFileSendsOneFileToTheRecycleBinUnlessTheUserSaysNo) {
  const std::wstring name = L"corbeille-" + std::to_wstring(GetTickCount()) + L".txt";
  const std::wstring file = folder_ + name;
  ASSERT_TRUE(WriteAll(file, "x"));
  {
    // Declining the shell's question leaves the file: a failure for the caller.
    ShellDialogAnswerer no({IDNO});
    EXPECT_FALSE(RecycleFile(file));
  }
  EXPECT_TRUE(FileExists(file));
  {
    ShellDialogAnswerer yes({IDYES});
    ASSERT_TRUE(RecycleFile(file));
  }
  EXPECT_FALSE(FileExists(file));
  // Wine keeps its recycle bin in the freedesktop trash of $HOME.
  wchar_t home[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"HOME", home, MAX_PATH) && home[0] == L'/') {
    std::wstring trash = L"Z:" + std::wstring(home) + L"/.local/share/Trash/files/" + name;
    for (wchar_t& c : trash) {
      if (c == L'/') c = L'\\';
    }
    EXPECT_TRUE(FileExists(trash)) << "not found in the recycle bin";
    RemovePath(trash);
  }
  EXPECT_FALSE(RecycleFile(L""));
}

}  // namespace
}  // namespace kelvane::test
