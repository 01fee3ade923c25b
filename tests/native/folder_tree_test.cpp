#include "backup/folder_tree.h"

#include "backup/backup_folder_choice.h"
#include "backup/backup_marker.h"
#include "backup/backup_set.h"
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
    bool operator==(const Node&) const = default;
  };
  std::map<std::wstring, Node> nodes;
  std::set<std::wstring> failCopyTo;    // copies onto these fail
  std::set<std::wstring> failDelete;    // these files cannot be deleted
  std::set<std::wstring> unlistable;    // these folders cannot be listed
  std::set<std::wstring> failWrite;     // writes of these fail, leaving the file as it was
  std::set<std::wstring> cutWrite;      // writes of these keep half the bytes and report success
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
  bool Exists(const std::wstring& path) override { return Has(path); }
  bool ReadFileBytes(const std::wstring& path, std::string* bytes) override {
    const auto it = nodes.find(path);
    if (it == nodes.end() || it->second.folder) return false;
    *bytes = it->second.content;
    return true;
  }
  bool WriteFileBytes(const std::wstring& path, std::string_view bytes) override {
    const size_t cut = path.rfind(L'\\');
    if (failWrite.count(path) || !IsFolder(path.substr(0, cut))) return false;
    if (auto it = nodes.find(path); it != nodes.end() && (it->second.readOnly || it->second.folder)) return false;
    File(path, std::string(cutWrite.count(path) ? bytes.substr(0, bytes.size() / 2) : bytes));
    return true;
  }
  bool RenameFolder(const std::wstring& from, const std::wstring& to) override {
    if (!IsFolder(from) || Has(to)) return false;
    std::map<std::wstring, Node> renamed;
    for (auto& [path, node] : nodes) {
      const bool inside = path == from || path.rfind(from + L"\\", 0) == 0;
      renamed[inside ? to + path.substr(from.size()) : path] = node;
    }
    nodes = std::move(renamed);
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

// A data folder of whole list files, and a backup folder chosen and made.
class BackupSet : public FolderTree {
 protected:
  void SetUp() override {
    FolderTree::SetUp();
    fs.File(L"C:\\Data\\MyApps.txt", "1\r\nA\r\nC:\\a.exe\r\n");
    fs.File(L"C:\\Data\\MyLinks.txt", "0\r\n", true);
    fs.File(L"C:\\Data\\MyApps.txt.tmp", "1\r\n");
    fs.File(L"C:\\Data\\rf3A2B.tmp", "");
    fs.Folder(L"E:\\Sauve");
    fs.Folder(kBackup);
  }
  std::wstring Saved(const wchar_t* name) const { return std::wstring(kBackup) + L"\\" + name; }
  // Nothing beside the backup folder.
  std::vector<std::wstring> Siblings() {
    std::vector<std::wstring> names;
    const auto entries = fs.List(L"E:\\Sauve");
    for (const TreeEntry& entry : *entries) names.push_back(entry.name);
    return names;
  }
  static constexpr wchar_t kBackup[] = L"E:\\Sauve\\KelvaneSave";
};

TEST_F(BackupSet, ABackupReplacesThePreviousOneOnlyOnceWrittenWholeAndChecked) {
  ASSERT_TRUE(WriteBackup(fs, L"C:\\Data\\", L"E:\\Sauve\\KelvaneSave\\").ok());
  EXPECT_EQ(fs.Content(Saved(L"MyApps.txt")), "1\r\nA\r\nC:\\a.exe\r\n");
  EXPECT_EQ(fs.Content(Saved(L"Sub\\note.txt")), "note");
  EXPECT_FALSE(fs.Has(Saved(L"MyApps.txt.tmp")));
  EXPECT_FALSE(fs.Has(Saved(L"rf3A2B.tmp")));
  EXPECT_TRUE(CheckBackup(fs, kBackup).ok());
  EXPECT_EQ(Siblings(), std::vector<std::wstring>{L"KelvaneSave"});
  fs.File(Saved(L"extra.txt"), "mine");  // placed by hand: kept by later backups

  // A write that fails halfway, one cut short without a word, a list file of
  // the data folder cut short: the previous backup stays whole each time.
  fs.File(L"C:\\Data\\MyApps.txt", "2\r\nA\r\nC:\\a.exe\r\nB\r\nC:\\b.exe\r\n");
  const auto before = fs.nodes;
  const std::wstring writing = L"E:\\Sauve\\KelvaneSave (en cours)";
  fs.failWrite.insert(writing + L"\\Sub\\note.txt");
  EXPECT_EQ(WriteBackup(fs, L"C:\\Data", kBackup).status, BackupStatus::kFailed);
  EXPECT_EQ(fs.nodes.size(), before.size());
  EXPECT_EQ(fs.Content(Saved(L"MyApps.txt")), "1\r\nA\r\nC:\\a.exe\r\n");
  fs.failWrite.clear();
  fs.cutWrite.insert(writing + L"\\MyApps.txt");
  const BackupResult cut = WriteBackup(fs, L"C:\\Data", kBackup);
  EXPECT_EQ(cut.status, BackupStatus::kDamaged);
  EXPECT_EQ(cut.path, writing + L"\\MyApps.txt");
  EXPECT_EQ(fs.Content(Saved(L"MyApps.txt")), "1\r\nA\r\nC:\\a.exe\r\n");
  fs.cutWrite.clear();
  fs.File(L"C:\\Data\\MyFiles.txt", "2\r\nPhotos\r\n");
  EXPECT_EQ(WriteBackup(fs, L"C:\\Data", kBackup).path, L"C:\\Data\\MyFiles.txt");
  EXPECT_EQ(Siblings(), std::vector<std::wstring>{L"KelvaneSave"});
  fs.DeleteOneFile(L"C:\\Data\\MyFiles.txt");

  ASSERT_TRUE(WriteBackup(fs, L"C:\\Data", kBackup).ok());
  EXPECT_EQ(fs.Content(Saved(L"MyApps.txt")), "2\r\nA\r\nC:\\a.exe\r\nB\r\nC:\\b.exe\r\n");
  EXPECT_EQ(fs.Content(Saved(L"extra.txt")), "mine");
  EXPECT_EQ(Siblings(), std::vector<std::wstring>{L"KelvaneSave"});
}

TEST_F(BackupSet, ABackupCutShortIsPutRightByTheNextOne) {
  ASSERT_TRUE(WriteBackup(fs, L"C:\\Data", kBackup).ok());
  // Stopped between the two renames: the previous backup aside, the new one
  // written; before that, a copy stopped halfway.
  ASSERT_TRUE(fs.RenameFolder(kBackup, L"E:\\Sauve\\KelvaneSave (pr\u00E9c\u00E9dente)"));
  fs.Folder(L"E:\\Sauve\\KelvaneSave (en cours)");
  fs.File(L"E:\\Sauve\\KelvaneSave (en cours)\\Kelvane.backup", BackupMarkerText({}));
  fs.File(L"E:\\Sauve\\KelvaneSave (en cours)\\MyApps.txt", "1\r\n");
  ASSERT_TRUE(WriteBackup(fs, L"C:\\Data", kBackup).ok());
  EXPECT_EQ(Siblings(), std::vector<std::wstring>{L"KelvaneSave"});
  EXPECT_TRUE(CheckBackup(fs, kBackup).ok());
  // A folder of that name that the program did not write is left alone.
  fs.Folder(L"E:\\Sauve\\KelvaneSave (en cours)");
  fs.File(L"E:\\Sauve\\KelvaneSave (en cours)\\lettre.doc", "x");
  EXPECT_EQ(WriteBackup(fs, L"C:\\Data", kBackup).status, BackupStatus::kNotABackup);
  EXPECT_EQ(fs.Content(L"E:\\Sauve\\KelvaneSave (en cours)\\lettre.doc"), "x");
}

TEST_F(BackupSet, OnlyABackupOfTheProgramIsReplacedOrDeleted) {
  fs.Folder(L"E:\\Victime");
  fs.File(L"E:\\Victime\\precious.txt", "keep");
  EXPECT_EQ(WriteBackup(fs, L"C:\\Data", L"E:\\Victime\\").status, BackupStatus::kNotABackup);
  EXPECT_EQ(DeleteBackupFolder(fs, L"E:\\Victime\\", L"C:\\Data", false).status, BackupStatus::kNotABackup);
  EXPECT_EQ(fs.Content(L"E:\\Victime\\precious.txt"), "keep");
  EXPECT_FALSE(fs.Has(L"E:\\Victime (en cours)"));
  // Never a drive, the data folder or a folder holding it, whatever it holds.
  for (const wchar_t* folder : {L"E:\\", L"C:\\DATA\\", L"C:\\"}) {
    EXPECT_EQ(WriteBackup(fs, L"C:\\Data", folder).status, BackupStatus::kRefused) << folder;
    EXPECT_EQ(DeleteBackupFolder(fs, folder, L"C:\\Data", false).status, BackupStatus::kRefused) << folder;
  }
  EXPECT_EQ(DeleteBackupFolder(fs, kBackup, L"C:\\Data", true).status, BackupStatus::kRefused);

  // Written before the marker existed: "KelvaneSave" holding only the
  // program's own files is known as a backup; with anything else, it is not.
  fs.Folder(L"E:\\Old");
  fs.Folder(L"E:\\Old\\kelvanesave");
  fs.File(L"E:\\Old\\kelvanesave\\MyApps.txt", "0\r\n");
  fs.File(L"E:\\Old\\kelvanesave\\rf1.tmp", "");
  EXPECT_TRUE(IsProgramBackupFolder(fs, L"E:\\Old\\kelvanesave\\"));
  fs.File(L"E:\\Old\\kelvanesave\\photo.jpg", "x");
  EXPECT_FALSE(IsProgramBackupFolder(fs, L"E:\\Old\\kelvanesave"));
  EXPECT_FALSE(IsProgramBackupFolder(fs, L"C:\\Data"));

  // A backup whose deletion stops halfway keeps its marker, and is still one.
  ASSERT_TRUE(WriteBackup(fs, L"C:\\Data", kBackup).ok());
  fs.File(Saved(L"extra.txt"), "mine");
  fs.failDelete.insert(Saved(L"extra.txt"));
  EXPECT_EQ(DeleteBackupFolder(fs, kBackup, L"C:\\Data", false).status, BackupStatus::kFailed);
  EXPECT_TRUE(IsProgramBackupFolder(fs, kBackup));
  fs.failDelete.clear();
  EXPECT_TRUE(DeleteBackupFolder(fs, kBackup, L"C:\\Data", false).ok());
  EXPECT_FALSE(fs.Has(kBackup));
}

TEST_F(BackupSet, ARestoreChecksTheBackupFirstAndChangesNothingWhenDamaged) {
  ASSERT_TRUE(WriteBackup(fs, L"C:\\Data", kBackup).ok());
  fs.File(L"C:\\Data\\MyApps.txt", "0\r\n");
  fs.File(Saved(L"Sub\\note.txt"), "note, changed since");
  const auto before = fs.nodes;
  const BackupResult damaged = RestoreBackupFiles(fs, kBackup, L"C:\\Data");
  EXPECT_EQ(damaged.status, BackupStatus::kDamaged);
  EXPECT_EQ(damaged.path, Saved(L"Sub\\note.txt"));
  EXPECT_EQ(fs.nodes, before);
  fs.File(Saved(L"Sub\\note.txt"), "note");

  // Each file written in one step (a read-only one too), the others still
  // restored after a failed one; the marker and temporary files stay out.
  fs.File(Saved(L"rf9.tmp"), "");
  fs.failWrite.insert(L"C:\\Data\\Sub\\note.txt");
  const BackupResult failed = RestoreBackupFiles(fs, kBackup, L"C:\\Data");
  EXPECT_EQ(failed.status, BackupStatus::kFailed);
  EXPECT_EQ(failed.path, L"C:\\Data\\Sub\\note.txt");
  EXPECT_EQ(fs.Content(L"C:\\Data\\MyApps.txt"), "1\r\nA\r\nC:\\a.exe\r\n");
  EXPECT_EQ(fs.Content(L"C:\\Data\\MyLinks.txt"), "0\r\n");
  EXPECT_FALSE(fs.Has(L"C:\\Data\\Kelvane.backup"));
  EXPECT_FALSE(fs.Has(L"C:\\Data\\rf9.tmp"));

  // Written before the marker existed: its list files must be whole.
  fs.Folder(L"E:\\Old");
  fs.File(L"E:\\Old\\MyLinks.txt", "3\r\nA\r\nhttps://a.example/\r\nB\r\nhttps://b.exam");
  EXPECT_EQ(RestoreBackupFiles(fs, L"E:\\Old", L"C:\\Data").status, BackupStatus::kDamaged);
  fs.Folder(L"E:\\Empty");
  EXPECT_EQ(RestoreBackupFiles(fs, L"E:\\Empty", L"C:\\Data").status, BackupStatus::kNoBackup);
}

TEST(BackupMarker, ListsEachFileAndFailsWhenCutOrDamaged) {
  const std::vector<BackupFileRecord> files = {RecordOf(L"MyApps.txt", "0\r\n"),
                                               RecordOf(L"Sub\\\u00E9t\u00E9.txt", "")};
  const std::string text = BackupMarkerText(files);
  EXPECT_EQ(ParseBackupMarker(text), files);
  EXPECT_FALSE(ParseBackupMarker(text.substr(0, text.size() - 3)));
  EXPECT_FALSE(ParseBackupMarker("Kelvane backup 1\r\n12\tzz\tMyApps.txt\r\n"));
  EXPECT_TRUE(IsTemporaryFileName(L"rfA1.TMP"));
  EXPECT_TRUE(ListFileIsWhole("2\r\nA\r\na\r\nB\r\nb\r\n"));
  EXPECT_FALSE(ListFileIsWhole("2\r\nA\r\na\r\nB\r\n"));     // an entry missing
  EXPECT_FALSE(ListFileIsWhole("2\r\nA\r\na\r\nB\r\nbb"));   // cut inside the last line
  EXPECT_FALSE(ListFileIsWhole("deux\r\nA\r\na\r\n"));
  EXPECT_FALSE(ListFileIsWhole(""));
}

TEST_F(FolderTree, ATypedBackupFolderIsCheckedAndAMissingOneMade) {
  using P = BackupFolderProblem;
  fs.File(L"E:\\note.txt", "x");
  fs.Folder(L"E:\\Docs");
  fs.File(L"E:\\Docs\\lettre.doc", "x");
  fs.Folder(L"E:\\Vide");
  const std::pair<const wchar_t*, P> cases[] = {
      {L"Sauve\\KelvaneSave\\", P::kNotFullPath}, {L"E:Sauve", P::kNotFullPath},
      {L"\\Sauve", P::kNotFullPath},              {L"E:\\Sauve\\..\\..\\", P::kNotFullPath},
      {L"E:\\", P::kForbidden},                   {L"\\\\serveur\\partage\\", P::kForbidden},
      {L"c:\\data\\", P::kForbidden},             {L"C:\\", P::kForbidden},
      {L"E:\\note.txt", P::kIsAFile},             {L"E:\\Absent\\KelvaneSave\\", P::kCannotMake},
      {L"E:\\Docs\\", P::kHoldsOtherFiles},       {L"E:\\Vide\\", P::kNone},
      {L"E:\\Nouvelle\\", P::kNone},              {L"\\\\serveur\\partage\\Sauve", P::kNone}};
  fs.Folder(L"\\\\serveur\\partage");
  for (const auto& [typed, problem] : cases) {
    EXPECT_EQ(PrepareTypedBackupFolder(fs, typed, L"C:\\Data\\", false), problem) << typed;
  }
  EXPECT_TRUE(fs.IsFolder(L"E:\\Nouvelle"));
  EXPECT_EQ(PrepareTypedBackupFolder(fs, L"E:\\Vide", L"C:\\Data", true), P::kForbidden);
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
