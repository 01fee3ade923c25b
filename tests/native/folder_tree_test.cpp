#include "backup/folder_tree.h"

#include "backup/backup_texts.h"
#include "catalog/catalog.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace kelvane {
namespace {

// A file system in memory. A read-only file cannot be replaced or deleted
// until its attributes are cleared, as on Windows.
class MemoryTree : public TreeFileSystem {
 public:
  struct Node {
    bool folder = false;
    bool readOnly = false;
    bool link = false;
    std::string content;
  };
  std::map<std::wstring, Node> nodes;
  std::set<std::wstring> failCopyTo;    // copies onto these fail
  std::set<std::wstring> failDelete;    // these files cannot be deleted
  std::set<std::wstring> unlistable;    // these folders cannot be listed
  std::vector<std::wstring> made;       // folders made, in order

  void Folder(const std::wstring& path) { nodes[path] = {true, false, false, {}}; }
  void File(const std::wstring& path, std::string content, bool readOnly = false) {
    nodes[path] = {false, readOnly, false, std::move(content)};
  }
  bool Has(const std::wstring& path) const { return nodes.count(path) != 0; }
  std::string Content(const std::wstring& path) const {
    const auto it = nodes.find(path);
    return it == nodes.end() ? "<none>" : it->second.content;
  }

  std::optional<std::vector<TreeEntry>> List(const std::wstring& folder) override {
    const auto it = nodes.find(folder);
    if (it == nodes.end() || !it->second.folder || unlistable.count(folder)) return std::nullopt;
    std::vector<TreeEntry> entries;
    const std::wstring prefix = folder + L"\\";
    for (const auto& [path, node] : nodes) {
      if (path.rfind(prefix, 0) != 0 || path.find(L'\\', prefix.size()) != std::wstring::npos) continue;
      entries.push_back({path.substr(prefix.size()), node.folder, node.link});
    }
    return entries;
  }
  bool IsFolder(const std::wstring& path) override {
    const auto it = nodes.find(path);
    return it != nodes.end() && it->second.folder;
  }
  bool MakeFolder(const std::wstring& path) override {
    const size_t cut = path.rfind(L'\\');
    if (Has(path) || cut == std::wstring::npos || !IsFolder(path.substr(0, cut))) return false;
    Folder(path);
    made.push_back(path);
    return true;
  }
  void ClearAttributes(const std::wstring& path) override {
    if (auto it = nodes.find(path); it != nodes.end()) it->second.readOnly = false;
  }
  bool CopyOneFile(const std::wstring& from, const std::wstring& to) override {
    const auto source = nodes.find(from);
    if (source == nodes.end() || failCopyTo.count(to)) return false;
    if (auto target = nodes.find(to); target != nodes.end() && (target->second.readOnly || target->second.folder)) {
      return false;
    }
    nodes[to] = source->second;
    return true;
  }
  bool DeleteOneFile(const std::wstring& path) override {
    const auto it = nodes.find(path);
    if (it == nodes.end() || it->second.readOnly || failDelete.count(path)) return false;
    nodes.erase(it);
    return true;
  }
  bool RemoveFolder(const std::wstring& path) override {
    const auto it = nodes.find(path);
    if (it == nodes.end() || !it->second.folder) return false;
    if (!it->second.link) {
      const auto children = List(path);
      if (children && !children->empty()) return false;
    }
    nodes.erase(it);
    return true;
  }
};

class FolderTree : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.Folder(L"C:");
    fs.Folder(L"C:\\Data");
    fs.File(L"C:\\Data\\MyApps.txt", "apps");
    fs.File(L"C:\\Data\\MyLinks.txt", "links", true);
    fs.Folder(L"C:\\Data\\Sub");
    fs.File(L"C:\\Data\\Sub\\note.txt", "note");
    fs.Folder(L"E:");
  }
  MemoryTree fs;
};

TEST_F(FolderTree, CopyMakesTheTreeAndKeepsFilesFoundOnlyInTheDestination) {
  fs.Folder(L"E:\\Save");
  fs.File(L"E:\\Save\\extra.txt", "mine");
  EXPECT_TRUE(CopyFolderTree(fs, L"C:\\Data\\", L"E:\\Save\\"));
  EXPECT_EQ(fs.Content(L"E:\\Save\\MyApps.txt"), "apps");
  EXPECT_EQ(fs.Content(L"E:\\Save\\MyLinks.txt"), "links");
  EXPECT_EQ(fs.Content(L"E:\\Save\\Sub\\note.txt"), "note");
  EXPECT_EQ(fs.Content(L"E:\\Save\\extra.txt"), "mine");
}

TEST_F(FolderTree, CopyReplacesReadOnlyCopiesAndMakesOneLevelOnly) {
  ASSERT_TRUE(CopyFolderTree(fs, L"C:\\Data", L"E:\\Save"));  // the copy of MyLinks.txt is read-only now
  fs.File(L"C:\\Data\\MyLinks.txt", "links 2");
  EXPECT_TRUE(CopyFolderTree(fs, L"C:\\Data", L"E:\\Save"));
  EXPECT_EQ(fs.Content(L"E:\\Save\\MyLinks.txt"), "links 2");
  // A drive is never made; a destination two levels down cannot be made.
  EXPECT_EQ(fs.made, (std::vector<std::wstring>{L"E:\\Save", L"E:\\Save\\Sub"}));
  EXPECT_FALSE(CopyFolderTree(fs, L"C:\\Data", L"E:\\Missing\\Save"));
  EXPECT_FALSE(fs.Has(L"E:\\Missing"));
}

TEST_F(FolderTree, CopyGoesOnAfterAFailureAndReportsIt) {
  fs.failCopyTo.insert(L"E:\\Save\\MyApps.txt");
  EXPECT_FALSE(CopyFolderTree(fs, L"C:\\Data", L"E:\\Save"));
  EXPECT_FALSE(fs.Has(L"E:\\Save\\MyApps.txt"));
  EXPECT_EQ(fs.Content(L"E:\\Save\\MyLinks.txt"), "links");
  EXPECT_EQ(fs.Content(L"E:\\Save\\Sub\\note.txt"), "note");
}

TEST_F(FolderTree, CopyRefusesEmptyPathsAndUnlistableSources) {
  EXPECT_FALSE(CopyFolderTree(fs, L"", L"E:\\Save"));
  EXPECT_FALSE(CopyFolderTree(fs, L"C:\\Data", L"\\"));
  EXPECT_FALSE(CopyFolderTree(fs, L"C:\\Nowhere", L"E:\\Save"));
  EXPECT_FALSE(fs.Has(L"E:\\Save"));  // nothing made for a source that is not there
}

TEST_F(FolderTree, CopyLeavesOutABackupFolderInsideItsOwnSourceAndFolderLinks) {
  fs.Folder(L"C:\\Data\\KelvaneSave");
  fs.nodes[L"C:\\Data\\Link"] = {true, false, true, {}};
  EXPECT_TRUE(CopyFolderTree(fs, L"C:\\Data", L"C:\\Data\\KelvaneSave\\"));
  EXPECT_EQ(fs.Content(L"C:\\Data\\KelvaneSave\\Sub\\note.txt"), "note");
  EXPECT_FALSE(fs.Has(L"C:\\Data\\KelvaneSave\\KelvaneSave"));
  EXPECT_FALSE(fs.Has(L"C:\\Data\\KelvaneSave\\Link"));
  // Typed with other letter case than the disk's, accented letters included.
  fs.Folder(L"C:\\Data\\\u00C9t\u00E9");
  EXPECT_TRUE(CopyFolderTree(fs, L"C:\\Data", L"C:\\Data\\\u00E9T\u00C9"));
  EXPECT_FALSE(fs.Has(L"C:\\Data\\\u00E9T\u00C9\\\u00C9t\u00E9"));
}

TEST_F(FolderTree, DeleteRemovesEverythingReadOnlyIncluded) {
  EXPECT_TRUE(DeleteFolderTree(fs, L"C:\\Data\\"));
  for (const auto& [path, node] : fs.nodes) EXPECT_EQ(path.rfind(L"C:\\Data", 0), std::wstring::npos) << path;
}

TEST_F(FolderTree, DeleteGoesOnAfterAFailureAndKeepsTheFolder) {
  fs.failDelete.insert(L"C:\\Data\\MyApps.txt");
  EXPECT_FALSE(DeleteFolderTree(fs, L"C:\\Data"));
  EXPECT_TRUE(fs.Has(L"C:\\Data\\MyApps.txt"));
  EXPECT_FALSE(fs.Has(L"C:\\Data\\MyLinks.txt"));
  EXPECT_FALSE(fs.Has(L"C:\\Data\\Sub"));
}

TEST_F(FolderTree, DeleteRemovesAFolderLinkWithoutWalkingIntoIt) {
  fs.Folder(L"C:\\Elsewhere");
  fs.File(L"C:\\Elsewhere\\precious.txt", "keep");
  fs.nodes[L"C:\\Data\\Link"] = {true, false, true, {}};
  EXPECT_TRUE(DeleteFolderTree(fs, L"C:\\Data"));
  EXPECT_EQ(fs.Content(L"C:\\Elsewhere\\precious.txt"), "keep");
}

TEST_F(FolderTree, DeleteOfWhatCannotBeListedDeletesNothing) {
  fs.unlistable.insert(L"C:\\Data");
  EXPECT_FALSE(DeleteFolderTree(fs, L"C:\\Data"));
  EXPECT_TRUE(fs.Has(L"C:\\Data\\MyApps.txt"));
  EXPECT_FALSE(DeleteFolderTree(fs, L""));
  EXPECT_FALSE(DeleteFolderTree(fs, L"C:\\"));
}

TEST(BackupFolder, IsTheChosenFolderWithKelvaneSave) {
  EXPECT_EQ(BackupFolderFor(L"E:\\Sauve"), L"E:\\Sauve\\KelvaneSave\\");
  EXPECT_EQ(BackupFolderFor(L"E:\\"), L"E:\\KelvaneSave\\");
  EXPECT_EQ(WithoutTrailingBackslash(L"E:\\Sauve\\\\"), L"E:\\Sauve");
  EXPECT_EQ(JoinPath(L"E:\\Sauve\\", L"a.txt"), L"E:\\Sauve\\a.txt");
}

}  // namespace
}  // namespace kelvane

namespace kelvane {
namespace {

// The messages carry their own texts; the catalog holds the same wording.
TEST(BackupTexts, SameWordingAsTheCatalog) {
  namespace t = backup_texts;
  BuildCatalog();
  EXPECT_EQ(t::kBackupDone, CatalogText(L"Requesters", L"SuccesSauvegarde"));
  EXPECT_EQ(t::kBackupFailed,
            CatalogText(L"Requesters", L"EchecSauvegarde") + L"\n" + CatalogText(L"Requesters", L"DroitsSauvegarde"));
  EXPECT_EQ(t::kNoBackupFolder, CatalogText(L"Requesters", L"QuestCreerRepSauv"));
  EXPECT_EQ(t::kRestoreQuestion, CatalogText(L"Requesters", L"InfoRecupSauvegarde"));
  EXPECT_EQ(t::kRestoreFailed, CatalogText(L"RecupBackup", L"EchecRecup "));
  EXPECT_EQ(t::kRestoreDone, CatalogText(L"RecupBackup", L"SuccesRecup"));
  EXPECT_EQ(t::kNoBackupFound,
            CatalogText(L"RecupBackup", L"NoSauvegarde") + L"\n" + CatalogText(L"RecupBackup", L"DroitsSauvegarde"));
  EXPECT_EQ(t::kDeleteQuestion, CatalogText(L"Requesters", L"QuestSupprSauvegarde"));
  EXPECT_EQ(t::kDeleteFailed, CatalogText(L"Requesters", L"EchecSupprSauvegarde"));
  EXPECT_EQ(t::kDeleteDone, CatalogText(L"Requesters", L"SuccesSupprSauvegarde"));
  EXPECT_EQ(t::kFolderCreationFailed, CatalogText(L"Requesters", L"EchecDosSauvegarde"));
}

}  // namespace
}  // namespace kelvane
