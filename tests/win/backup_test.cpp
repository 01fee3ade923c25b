// Backup, restore and removal of the backup on the real main window and a
// real backup folder: the questions and messages, the files copied both
// ways, and the lists around a restore that succeeds or fails.
#include <windows.h>

#include "backup/backup_texts.h"
#include "backup/backup_win.h"
#include "app/preferences_window.h"
#include "settings/preferences_win.h"
#include "win/lists_fixture.h"

namespace kelvane::test {
namespace {

namespace t = backup_texts;

// Records whether the main window took input while each message was shown.
class WatchingRequesters : public ScriptedRequesters {
 public:
  std::vector<bool> mainEnabled;
  int Message(HWND owner, const std::wstring& title, const std::wstring& text, UINT type) override {
    mainEnabled.push_back(IsWindowEnabled(App().mainWindow) != FALSE);
    return ScriptedRequesters::Message(owner, title, text, type);
  }
};

int g_listsLoaded = 0;

class BackupTest : public ListsTest {
 protected:
  void SetUp() override {
    ListsTest::SetUp();
    parent_ = MakeTempFolder();
    backup_ = parent_ + L"KelvaneSave\\";
    ASSERT_TRUE(CreateDirectoryW(backup_.c_str(), nullptr));
    App().prefs.PrefBackup = backup_;
    DeleteFileW(PreferencesPath(App()).c_str());
  }
  void TearDown() override {
    ListsTest::TearDown();
    RemovePath(parent_.substr(0, parent_.size() - 1));
  }
  std::wstring Data(const wchar_t* name) const { return App().dataFolder + name; }
  std::wstring Saved(const wchar_t* name) const { return backup_ + name; }
  void ExpectMessage(size_t index, const wchar_t* title, const wchar_t* text, UINT type) {
    ASSERT_LT(index, watch_.calls.size());
    EXPECT_EQ(watch_.calls[index].title, title);
    EXPECT_EQ(watch_.calls[index].text, text);
    EXPECT_EQ(watch_.calls[index].type, type);
  }

  // A message whose text begins with `text` (a reason may follow it).
  void ExpectMessageStarting(size_t index, const wchar_t* title, const std::wstring& text, UINT type) {
    ASSERT_LT(index, watch_.calls.size());
    EXPECT_EQ(watch_.calls[index].title, title);
    EXPECT_EQ(watch_.calls[index].text.substr(0, text.size()), text) << watch_.calls[index].text;
    EXPECT_EQ(watch_.calls[index].type, type);
  }

  std::wstring parent_;
  std::wstring backup_;
  WatchingRequesters watch_;
  ScopedRequesters watchScope_{watch_};
};

constexpr UINT kYesNoWarning = MB_YESNO | MB_ICONWARNING;

TEST_F(BackupTest, BackupThenAddThenRestoreGivesBackTheSavedListsAndExtraFiles) {
  AppendEntry(App().favourites, kAppsKind, {L"Bloc-notes", L"C:\\windows\\notepad.exe"});
  AppendEntry(App().favourites, kLinksKind, {L"Exemple", L"https://example.org/"});
  // Leftovers of earlier saves are never part of a backup.
  ASSERT_TRUE(WriteAll(Data(L"MyApps.txt.tmp"), "1\r\n"));
  ASSERT_TRUE(WriteAll(Data(L"rf3A2B.tmp"), ""));
  DispatchCommand(CmdCreerSauvegarde);
  DeleteFileW(Data(L"MyApps.txt.tmp").c_str());
  DeleteFileW(Data(L"rf3A2B.tmp").c_str());
  ExpectMessage(0, t::kTitleBackup, t::kBackupDone, kInformationBox);
  EXPECT_FALSE(FileExists(Saved(L"MyApps.txt.tmp")));
  EXPECT_FALSE(FileExists(Saved(L"rf3A2B.tmp")));
  EXPECT_EQ(watch_.mainEnabled, std::vector<bool>{false});
  EXPECT_TRUE(IsWindowEnabled(App().mainWindow));
  EXPECT_EQ(ReadAll(Saved(L"MyApps.txt")), "1\r\nBloc-notes\r\nC:\\windows\\notepad.exe\r\n");
  EXPECT_EQ(ReadAll(Saved(L"MyFiles.txt")), "0\r\n");
  EXPECT_EQ(ReadAll(Saved(L"Kelvane.prefs")), ReadAll(Data(L"Kelvane.prefs")));

  // An extra file survives the next backup and comes back with a restore.
  ASSERT_TRUE(WriteAll(Saved(L"extra.txt"), "mine"));
  DispatchCommand(CmdCreerSauvegarde);
  EXPECT_EQ(ReadAll(Saved(L"extra.txt")), "mine");

  AppendEntry(App().favourites, kAppsKind, {L"Regedit", L"C:\\windows\\regedit.exe"});
  g_listsLoaded = 0;
  SetListsLoadedHook([] { ++g_listsLoaded; });
  watch_.messageAnswers = {IDNO, IDYES};
  DispatchCommand(CmdRecupSauvegarde);
  ExpectMessage(2, t::kTitleRestore, t::kRestoreQuestion, kYesNoWarning);
  EXPECT_EQ(EntryCount(App().favourites, kAppsKind), 2) << "No: nothing restored";
  DispatchCommand(CmdRecupSauvegarde);
  ExpectMessage(4, t::kTitleRestore, t::kRestoreDone, kInformationBox);
  EXPECT_FALSE(watch_.mainEnabled.back());
  EXPECT_TRUE(IsWindowEnabled(App().mainWindow));
  WaitForLoaderIdle();
  SetListsLoadedHook(nullptr);
  EXPECT_EQ(Names(kAppsKind), std::vector<std::wstring>{L"Bloc-notes"});
  EXPECT_EQ(Names(kLinksKind), std::vector<std::wstring>{L"Exemple"});
  EXPECT_EQ(ListHeader(kAppsKind), L"1 applications ex\u00E9cutables list\u00E9es");
  EXPECT_EQ(ReadAll(Data(L"extra.txt")), "mine");
  EXPECT_EQ(g_listsLoaded, 1) << "the loader ran again, and with it the recent list's refresh";
}

TEST_F(BackupTest, AReadOnlyFileInTheBackupIsReplaced) {
  AppendEntry(App().favourites, kLinksKind, {L"A", L"https://a.example/"});
  DispatchCommand(CmdCreerSauvegarde);
  ASSERT_TRUE(SetFileAttributesW(Saved(L"MyLinks.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  AppendEntry(App().favourites, kLinksKind, {L"B", L"https://b.example/"});
  DispatchCommand(CmdCreerSauvegarde);
  ExpectMessage(1, t::kTitleBackup, t::kBackupDone, kInformationBox);
  EXPECT_EQ(ReadAll(Saved(L"MyLinks.txt")), "2\r\nA\r\nhttps://a.example/\r\nB\r\nhttps://b.example/\r\n");
}

TEST_F(BackupTest, ABackupThatFailsHalfwayLeavesThePreviousBackupWhole) {
  AppendEntry(App().favourites, kAppsKind, {L"Old", L"C:\\old.exe"});
  DispatchCommand(CmdCreerSauvegarde);
  const std::string saved = ReadAll(Saved(L"MyApps.txt"));
  AppendEntry(App().favourites, kAppsKind, {L"New", L"C:\\new.exe"});
  // A file of the data folder that no one else may read: its copy fails.
  ASSERT_TRUE(WriteAll(Data(L"held.txt"), "x"));
  HANDLE held = CreateFileW(Data(L"held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  DispatchCommand(CmdCreerSauvegarde);
  CloseHandle(held);
  DeleteFileW(Data(L"held.txt").c_str());
  ExpectMessageStarting(1, t::kTitleBackup, t::kBackupFailed, kErrorBox);
  EXPECT_EQ(ReadAll(Saved(L"MyApps.txt")), saved);
  EXPECT_FALSE(FileExists(Saved(L"held.txt")));
  EXPECT_FALSE(IsDirectory(parent_ + L"KelvaneSave (en cours)")) << "nothing left beside the backup";
}

TEST_F(BackupTest, AMissingBackupFolderFailsAfterTheFilesWereWrittenAndChangesNothing) {
  App().prefs.PrefBackup = parent_ + L"Absent\\KelvaneSave\\";
  AppendEntry(App().favourites, kAppsKind, {L"Bloc-notes", L"C:\\windows\\notepad.exe"});
  DispatchCommand(CmdCreerSauvegarde);
  ExpectMessage(0, t::kTitleBackup, t::kBackupFailed, kErrorBox);
  EXPECT_EQ(ReadAll(Data(L"MyApps.txt")), "1\r\nBloc-notes\r\nC:\\windows\\notepad.exe\r\n");
  EXPECT_TRUE(FileExists(Data(L"Kelvane.prefs")));

  watch_.messageAnswers = {IDYES};
  DispatchCommand(CmdRecupSauvegarde);
  ExpectMessage(1, t::kTitleRestore, t::kRestoreQuestion, kYesNoWarning);
  ExpectMessage(2, t::kTitleRestore, t::kNoBackupFound, kWarningBox);
  EXPECT_EQ(Names(kAppsKind), std::vector<std::wstring>{L"Bloc-notes"});
  DispatchCommand(CmdSupprSauvegarde);
  EXPECT_EQ(watch_.calls.size(), 3u) << "deleting a missing backup says nothing";
}

TEST_F(BackupTest, WithoutABackupFolderBackupAndRestoreOfferThePreferencesWindow) {
  App().prefs.PrefBackup.clear();
  watch_.messageAnswers = {IDNO, IDYES};
  DispatchCommand(CmdCreerSauvegarde);
  ExpectMessage(0, t::kTitleBackup, t::kNoBackupFolder, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION));
  EXPECT_EQ(PreferencesWindowHandle(), nullptr);
  EXPECT_FALSE(FileExists(Data(L"MyApps.txt"))) << "nothing written without a folder";
  DispatchCommand(CmdRecupSauvegarde);
  ExpectMessage(1, t::kTitleBackup, t::kNoBackupFolder, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION));
  EXPECT_NE(PreferencesWindowHandle(), nullptr);
  ClosePreferencesWindow();
  DispatchCommand(CmdSupprSauvegarde);
  EXPECT_EQ(watch_.calls.size(), 2u);
}

TEST_F(BackupTest, DeletingTheBackupAsksAndLaterBackupsFailUntilAFolderIsChosenAgain) {
  DispatchCommand(CmdCreerSauvegarde);
  watch_.messageAnswers = {IDNO, IDYES};
  DispatchCommand(CmdSupprSauvegarde);
  ExpectMessage(1, t::kTitleDeleteQuestion, (std::wstring(t::kDeleteQuestion) + L"\n\n" + backup_).c_str(),
                kYesNoWarning);
  EXPECT_TRUE(IsDirectory(backup_));
  DispatchCommand(CmdSupprSauvegarde);
  ExpectMessage(3, t::kTitleDeleteDone, t::kDeleteDone, kInformationBox);
  EXPECT_FALSE(IsDirectory(backup_));
  EXPECT_EQ(App().prefs.PrefBackup, backup_);
  DispatchCommand(CmdCreerSauvegarde);
  ExpectMessage(4, t::kTitleBackup, t::kBackupFailed, kErrorBox);

  // A file held open in the backup: the deletion fails and says so.
  ASSERT_TRUE(CreateDirectoryW(backup_.c_str(), nullptr));
  DispatchCommand(CmdCreerSauvegarde);
  ASSERT_TRUE(WriteAll(Saved(L"held.txt"), "x"));
  HANDLE held =
      CreateFileW(Saved(L"held.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  watch_.messageAnswers = {IDYES};
  DispatchCommand(CmdSupprSauvegarde);
  CloseHandle(held);
  ExpectMessage(7, t::kTitleDeleteFailed, t::kDeleteFailed, kErrorBox);

  // A folder typed by hand that holds no backup of the program is never
  // deleted; nor is the data folder.
  const std::wstring victim = parent_ + L"Victime\\";
  ASSERT_TRUE(CreateDirectoryW(victim.c_str(), nullptr));
  ASSERT_TRUE(WriteAll(victim + L"precious.txt", "keep"));
  for (const std::wstring& typed : {victim, App().dataFolder}) {
    App().prefs.PrefBackup = typed;
    watch_.messageAnswers = {IDYES};
    const size_t before = watch_.calls.size();
    DispatchCommand(CmdSupprSauvegarde);
    ASSERT_EQ(watch_.calls.size(), before + 1) << "no question";
    EXPECT_EQ(watch_.calls.back().type, kWarningBox);
    EXPECT_NE(watch_.calls.back().text.find(typed), std::wstring::npos) << watch_.calls.back().text;
  }
  EXPECT_EQ(ReadAll(victim + L"precious.txt"), "keep");
  EXPECT_TRUE(IsDirectory(App().dataFolder));
}

TEST_F(BackupTest, ShutdownWithAutoBackupWritesListsAndPreferencesSilently) {
  AppendEntry(App().favourites, kFilesKind, {L"Photos", L"D:\\Photos\\"});
  App().prefs.PrefAutoBackup = 0;
  SaveAtShutdown(App(), App().favourites);
  EXPECT_EQ(ReadAll(Data(L"MyFiles.txt")), "1\r\nPhotos\r\nD:\\Photos\\\r\n");
  EXPECT_FALSE(FileExists(Data(L"Kelvane.prefs"))) << "without auto-backup only the lists";

  // Backups turned off: no automatic backup, even with the auto box's value
  // left at 1 in the file.
  App().prefs.PrefAutoBackup = 1;
  App().prefs.CheckBackup = 0;
  SaveAtShutdown(App(), App().favourites);
  EXPECT_FALSE(FileExists(Saved(L"MyFiles.txt")));

  App().prefs.CheckBackup = 1;
  App().prefs.PrefBackup.clear();
  SaveAtShutdown(App(), App().favourites);
  EXPECT_NE(ReadAll(Data(L"Kelvane.prefs")).find("PrefAutoBackup = 1\r\n"), std::string::npos);
  EXPECT_FALSE(FileExists(Saved(L"MyFiles.txt")));

  App().prefs.PrefBackup = backup_;
  SaveAtShutdown(App(), App().favourites);
  EXPECT_EQ(ReadAll(Saved(L"MyFiles.txt")), "1\r\nPhotos\r\nD:\\Photos\\\r\n");
  EXPECT_TRUE(watch_.calls.empty());
}

TEST_F(BackupTest, ARestoreWhoseCopyFailsKeepsEveryListAndFileWhole) {
  AppendEntry(App().favourites, kAppsKind, {L"Old", L"C:\\old.exe"});
  AppendEntry(App().favourites, kLinksKind, {L"Old link", L"https://old.example/"});
  DispatchCommand(CmdCreerSauvegarde);
  for (int kind : kListKinds) ClearEntries(App().favourites, kind);
  AppendEntry(App().favourites, kAppsKind, {L"New", L"C:\\new.exe"});
  AppendEntry(App().favourites, kLinksKind, {L"New link", L"https://new.example/"});
  SaveAllLists(App().favourites);
  const std::string links = ReadAll(Data(L"MyLinks.txt"));

  // The backup's links file cut short (a full medium): said, nothing changed.
  const std::string whole = ReadAll(Saved(L"MyLinks.txt"));
  ASSERT_TRUE(WriteAll(Saved(L"MyLinks.txt"), whole.substr(0, whole.size() / 2)));
  watch_.messageAnswers = {IDYES};
  DispatchCommand(CmdRecupSauvegarde);
  ExpectMessageStarting(2, t::kTitleRestore, t::kRestoreFailed, kErrorBox);
  EXPECT_NE(watch_.calls[2].text.find(L"MyLinks.txt"), std::wstring::npos) << watch_.calls[2].text;
  WaitForLoaderIdle();
  EXPECT_EQ(Names(kAppsKind), std::vector<std::wstring>{L"New"});
  EXPECT_EQ(ReadAll(Data(L"MyLinks.txt")), links);
  EXPECT_EQ(ReadAll(Data(L"MyApps.txt")), "1\r\nNew\r\nC:\\new.exe\r\n");
  ASSERT_TRUE(WriteAll(Saved(L"MyLinks.txt"), whole));

  // Another program holds the links file: it cannot be replaced.
  HANDLE held = CreateFileW(Data(L"MyLinks.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  watch_.messageAnswers = {IDYES};
  DispatchCommand(CmdRecupSauvegarde);
  CloseHandle(held);
  ExpectMessageStarting(4, t::kTitleRestore, t::kRestoreFailed, kErrorBox);
  WaitForLoaderIdle();
  EXPECT_EQ(Names(kAppsKind), std::vector<std::wstring>{L"New"});
  EXPECT_EQ(Names(kLinksKind), std::vector<std::wstring>{L"New link"});
  EXPECT_EQ(ReadAll(Data(L"MyLinks.txt")), links);
  // What the next save writes is the lists as they were, never an empty list.
  SaveAllLists(App().favourites);
  EXPECT_EQ(ReadAll(Data(L"MyApps.txt")), "1\r\nNew\r\nC:\\new.exe\r\n");
  EXPECT_EQ(ReadAll(Data(L"MyLinks.txt")), links);
}

TEST_F(BackupTest, ABackupFolderInsideTheDataFolderTypedInOtherCaseIsNotCopiedIntoItself) {
  const std::wstring inside = App().dataFolder + L"\u00C9t\u00E9\\";
  ASSERT_TRUE(CreateDirectoryW(inside.c_str(), nullptr));
  App().prefs.PrefBackup = App().dataFolder + L"\u00E9T\u00C9\\";
  DispatchCommand(CmdCreerSauvegarde);
  DispatchCommand(CmdCreerSauvegarde);
  ExpectMessage(1, t::kTitleBackup, t::kBackupDone, kInformationBox);
  EXPECT_TRUE(FileExists(inside + L"MyApps.txt"));
  EXPECT_FALSE(IsDirectory(inside + L"\u00C9t\u00E9"));
  EXPECT_FALSE(IsDirectory(inside + L"\u00E9T\u00C9"));
  RemovePath(inside.substr(0, inside.size() - 1));
}

}  // namespace
}  // namespace kelvane::test
