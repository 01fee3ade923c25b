#include "explorer/folder_merge.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace kelvane {
namespace {

// Paths without a final backslash map to their kind and, for files, content.
class FakeFileSystem : public MergeFileSystem {
 public:
  struct Node {
    PathKind kind;
    std::string content;
  };
  std::map<std::wstring, Node> nodes;
  std::set<std::wstring> failingMoves;  // sources whose move fails

  void File(const std::wstring& path, const std::string& content) { nodes[path] = {PathKind::File, content}; }
  void Folder(const std::wstring& path) { nodes[path] = {PathKind::Folder, {}}; }

  PathKind KindOf(const std::wstring& path) override {
    const auto found = nodes.find(Trim(path));
    return found == nodes.end() ? PathKind::None : found->second.kind;
  }
  bool List(const std::wstring& folder, std::vector<FolderEntry>* entries) override {
    if (KindOf(folder) != PathKind::Folder) return false;
    for (const auto& [path, node] : nodes) {
      if (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
          path.find(L'\\', folder.size()) == std::wstring::npos) {
        entries->push_back({path.substr(folder.size()), node.kind});
      }
    }
    return true;
  }
  bool Move(const std::wstring& from, const std::wstring& to, bool replaceFile) override {
    if (failingMoves.count(from) || !nodes.count(from)) return false;
    if (nodes.count(to)) {
      if (!replaceFile || nodes[to].kind != PathKind::File || nodes[from].kind != PathKind::File) return false;
    }
    std::map<std::wstring, Node> moved;
    for (auto it = nodes.begin(); it != nodes.end();) {
      if (it->first == from || it->first.rfind(from + L"\\", 0) == 0) {
        moved[to + it->first.substr(from.size())] = it->second;
        it = nodes.erase(it);
      } else {
        ++it;
      }
    }
    for (auto& [path, node] : moved) nodes[path] = node;
    return true;
  }
  bool RemoveEmptyFolder(const std::wstring& folder) override {
    std::vector<FolderEntry> entries;
    if (!List(folder, &entries) || !entries.empty()) return false;
    nodes.erase(Trim(folder));
    return true;
  }

  std::string At(const std::wstring& path) const {
    const auto found = nodes.find(path);
    return found == nodes.end() ? "<none>" : found->second.content;
  }

 private:
  static std::wstring Trim(std::wstring path) {
    if (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
  }
};

class FolderMerge : public ::testing::Test {
 protected:
  void SetUp() override {
    // Dropped: D:\In\Photos; existing: C:\Out\Photos.
    fs.Folder(L"D:\\In\\Photos");
    fs.File(L"D:\\In\\Photos\\new.jpg", "new");
    fs.File(L"D:\\In\\Photos\\same.jpg", "dropped");
    fs.Folder(L"D:\\In\\Photos\\2024");
    fs.File(L"D:\\In\\Photos\\2024\\a.jpg", "a-dropped");
    fs.Folder(L"D:\\In\\Photos\\Only here");
    fs.File(L"D:\\In\\Photos\\Only here\\x.jpg", "x");
    fs.Folder(L"C:\\Out\\Photos");
    fs.File(L"C:\\Out\\Photos\\old.jpg", "old");
    fs.File(L"C:\\Out\\Photos\\same.jpg", "existing");
    fs.Folder(L"C:\\Out\\Photos\\2024");
    fs.File(L"C:\\Out\\Photos\\2024\\b.jpg", "b-existing");
  }

  FakeFileSystem fs;
};

TEST_F(FolderMerge, KeepsTheFilesOfBothFoldersAndReplacesOnlySameNamedFiles) {
  ASSERT_TRUE(MergeFolderInto(L"D:\\In\\Photos\\", L"C:\\Out\\Photos\\", fs));
  EXPECT_EQ(fs.At(L"C:\\Out\\Photos\\old.jpg"), "old");
  EXPECT_EQ(fs.At(L"C:\\Out\\Photos\\new.jpg"), "new");
  EXPECT_EQ(fs.At(L"C:\\Out\\Photos\\same.jpg"), "dropped");
  EXPECT_EQ(fs.At(L"C:\\Out\\Photos\\2024\\a.jpg"), "a-dropped");
  EXPECT_EQ(fs.At(L"C:\\Out\\Photos\\2024\\b.jpg"), "b-existing");
  EXPECT_EQ(fs.At(L"C:\\Out\\Photos\\Only here\\x.jpg"), "x");
  // The dropped folder is gone, its parent stays.
  EXPECT_EQ(fs.KindOf(L"D:\\In\\Photos"), PathKind::None);
  EXPECT_EQ(fs.KindOf(L"D:\\In"), PathKind::None);  // never made in this fake
  EXPECT_EQ(fs.nodes.size(), 9u);
}

TEST_F(FolderMerge, WhatCannotBeMergedStaysInTheDroppedFolderAndNothingIsLost) {
  // A file facing a folder of the same name, a link, and a move that fails.
  fs.File(L"D:\\In\\Photos\\clash", "file");
  fs.Folder(L"C:\\Out\\Photos\\clash");
  fs.nodes[L"D:\\In\\Photos\\2024\\link"] = {PathKind::Link, {}};
  fs.File(L"C:\\Out\\Photos\\2024\\link", "target file");
  fs.failingMoves.insert(L"D:\\In\\Photos\\new.jpg");
  EXPECT_FALSE(MergeFolderInto(L"D:\\In\\Photos\\", L"C:\\Out\\Photos\\", fs));
  EXPECT_EQ(fs.At(L"D:\\In\\Photos\\clash"), "file");
  EXPECT_EQ(fs.KindOf(L"C:\\Out\\Photos\\clash"), PathKind::Folder);
  EXPECT_EQ(fs.KindOf(L"D:\\In\\Photos\\2024\\link"), PathKind::Link);
  EXPECT_EQ(fs.At(L"C:\\Out\\Photos\\2024\\link"), "target file");
  EXPECT_EQ(fs.At(L"D:\\In\\Photos\\new.jpg"), "new");
  EXPECT_EQ(fs.KindOf(L"C:\\Out\\Photos\\new.jpg"), PathKind::None);
  // The rest went over all the same; the folders still holding items stay.
  EXPECT_EQ(fs.At(L"C:\\Out\\Photos\\same.jpg"), "dropped");
  EXPECT_EQ(fs.At(L"C:\\Out\\Photos\\2024\\a.jpg"), "a-dropped");
  EXPECT_EQ(fs.At(L"C:\\Out\\Photos\\Only here\\x.jpg"), "x");
  EXPECT_EQ(fs.KindOf(L"D:\\In\\Photos\\2024"), PathKind::Folder);
  EXPECT_EQ(fs.KindOf(L"D:\\In\\Photos"), PathKind::Folder);
}

TEST_F(FolderMerge, AnUnreadableDroppedFolderMovesNothing) {
  const auto before = fs.nodes.size();
  EXPECT_FALSE(MergeFolderInto(L"D:\\Missing\\", L"C:\\Out\\Photos\\", fs));
  EXPECT_EQ(fs.nodes.size(), before);
}

}  // namespace
}  // namespace kelvane
