// The list loader and the list files on the real main window: what a load
// puts in the lists and their headers, and that no save ever writes a list
// that is only partly loaded or a file that could not be read.
#include "lists/list_file.h"
#include "win/lists_fixture.h"

namespace kelvane::test {
namespace {

class ListsLoader : public ListsTest {
 protected:
  static void Write(int kind, const std::string& bytes) { ASSERT_TRUE(WriteAll(ListFilePath(kind), bytes)); }

  static std::vector<ListEntry> ManyEntries(int count, const std::wstring& target) {
    std::vector<ListEntry> entries;
    for (int i = 0; i < count; ++i) entries.push_back({L"entr\u00E9e " + std::to_wstring(i), target});
    return entries;
  }

  static std::wstring Notepad() {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    return std::wstring(windows) + L"\\notepad.exe";
  }
};

TEST_F(ListsLoader, LoadsTheThreeFilesWithTheirCountsInTheHeaders) {
  Write(kAppsKind, "\xEF\xBB\xBF" "2\nBloc-notes\n" + WideToUtf8(Notepad()) + "\nDisparu\nC:\\nowhere\\gone.exe\n");
  Write(kFilesKind, "3\r\nR\xC3\xA9sum\xC3\xA9\r\nC:\\Docs\\R\xC3\xA9sum\xC3\xA9.txt\r\n");
  Write(kLinksKind, "");
  StartListLoader();
  WaitForLoaderIdle();

  EXPECT_EQ(Names(kAppsKind), (std::vector<std::wstring>{L"Bloc-notes", L"Disparu"})) << "the BOM is skipped";
  EXPECT_EQ(ListHeader(kAppsKind), L"2 applications ex\u00E9cutables list\u00E9es");
  EXPECT_GE(EntryAt(kAppsKind, 0).icon, 0) << "the shell's icon came from the loader";
  EXPECT_EQ(EntryAt(kAppsKind, 1).icon, -1) << "a missing target loads without icon";
  // Count 3 with one entry: two empty entries follow.
  const std::vector<ListEntry> files = ReadEntries(kFilesKind);
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[0].target, L"C:\\Docs\\R\u00E9sum\u00E9.txt");
  EXPECT_EQ(files[2], ListEntry{});
  EXPECT_EQ(ListHeader(kFilesKind), L"3 fichiers list\u00E9s");
  // An empty file: no count is shown, the column keeps its title.
  EXPECT_EQ(EntryCount(kLinksKind), 0);
  EXPECT_EQ(ListHeader(kLinksKind), CatalogText(L"Panel", L"LiensWeb"));

  // Loading again appends: every entry twice. Saving writes what is shown,
  // in the format of the program (CR LF, no BOM).
  StartListLoader();
  WaitForLoaderIdle();
  EXPECT_EQ(EntryCount(kAppsKind), 4);
  EXPECT_EQ(ListHeader(kAppsKind), L"4 applications ex\u00E9cutables list\u00E9es");
  EXPECT_TRUE(SaveList(kLinksKind));
  EXPECT_EQ(FileBytes(kLinksKind), "0\r\n");
  EXPECT_FALSE(SaveList(0));
  EXPECT_FALSE(SaveList(4));
}

TEST_F(ListsLoader, ASaveRightAfterTheStartWaitsForTheWholeList) {
  const std::vector<ListEntry> entries = ManyEntries(20000, L"C:\\Program Files\\App\\app.exe");
  const std::string bytes = SerializeList(entries);
  Write(kAppsKind, bytes);
  Write(kFilesKind, bytes);
  StartListLoader(ListLoaderOptions{false});
  // No message has been handled yet: nothing is applied unless the save does it.
  EXPECT_TRUE(SaveList(kFilesKind));
  EXPECT_EQ(EntryCount(kFilesKind), 20000);
  EXPECT_EQ(FileBytes(kFilesKind), bytes);
  EXPECT_EQ(ListHeader(kFilesKind), L"20000 fichiers list\u00E9s");
  // The lists before it in the file order are complete too; shutdown's order.
  EXPECT_EQ(EntryCount(kAppsKind), 20000);
  SaveAllLists();
  EXPECT_EQ(FileBytes(kAppsKind), bytes);
}

TEST_F(ListsLoader, CommandsDuringALoadSeeTheWholeList) {
  std::vector<ListEntry> entries = ManyEntries(5000, L"C:\\x.exe");
  entries.back().name = L"Dernier.exe";
  Write(kAppsKind, SerializeList(entries));
  StartListLoader(ListLoaderOptions{false});
  // The last entry of the file is found although it was not in the list yet.
  ask_.fileAnswers = {L"C:\\Autre\\DERNIER.EXE", L"C:\\Autre\\nouveau.exe"};
  DispatchCommand(CmdAjoutAppli);
  ASSERT_EQ(ask_.calls.size(), 2u);
  EXPECT_EQ(ask_.calls[1].title, L"Doublon d\u00E9tect\u00E9");
  DispatchCommand(CmdAjoutAppli);
  EXPECT_EQ(EntryCount(kAppsKind), 5001);
  EXPECT_EQ(EntryAt(kAppsKind, 5000).name, L"nouveau.exe") << "added after everything loaded";
}

TEST_F(ListsLoader, IconsFindTheirRowsWhenRowsMoveDuringTheLoad) {
  const std::wstring notepad = Notepad();
  std::vector<ListEntry> entries = ManyEntries(1500, notepad);
  entries[0].target = folder_;  // a folder: another icon
  Write(kFilesKind, SerializeList(entries));
  StartListLoader();
  ASSERT_TRUE(FinishListLoad(kFilesKind));
  // Removing the first rows moves every other row up while icons still come.
  for (int i = 0; i < 3; ++i) RemoveEntry(kFilesKind, 0);
  WaitForLoaderIdle();
  ASSERT_EQ(EntryCount(kFilesKind), 1497);
  int withIcon = 0;
  for (int row = 0; row < EntryCount(kFilesKind); ++row) withIcon += EntryAt(kFilesKind, row).icon >= 0;
  EXPECT_EQ(withIcon, 1497);
}

TEST_F(ListsLoader, AFileThatCannotBeReadIsNeverWrittenOver) {
  const std::string favourites = "1\r\nPr\xC3\xA9" "cieux\r\nC:\\precieux.exe\r\n";
  Write(kFilesKind, favourites);
  Write(kAppsKind, "1\r\na\r\nC:\\a.exe\r\n");
  // Another program holds the file open for itself during the whole load.
  HANDLE held = CreateFileW(ListFilePath(kFilesKind).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  StartListLoader(ListLoaderOptions{false});
  WaitForLoaderIdle();
  CloseHandle(held);
  EXPECT_EQ(EntryCount(kFilesKind), 0);
  EXPECT_TRUE(ListFileUnreadable(kFilesKind));
  EXPECT_EQ(EntryCount(kAppsKind), 1) << "the other lists load";

  // Neither a save on demand, nor a save on change, nor shutdown's save.
  EXPECT_FALSE(SaveList(kFilesKind));
  App().prefs.CheckSaveList = 1;
  AppendEntry(kFilesKind, {L"nouveau", L"C:\\nouveau.txt"});
  AutoSaveList(kFilesKind);
  SaveAllLists();
  EXPECT_EQ(FileBytes(kFilesKind), favourites);
  EXPECT_EQ(FileBytes(kAppsKind), "1\r\na\r\nC:\\a.exe\r\n");

  // Once readable again, the next load takes it and saves work as before.
  ListView_DeleteAllItems(ListView(kFilesKind));
  ListView_DeleteAllItems(ListView(kAppsKind));
  StartListLoader(ListLoaderOptions{false});
  WaitForLoaderIdle();
  EXPECT_FALSE(ListFileUnreadable(kFilesKind));
  EXPECT_TRUE(SaveList(kFilesKind));
  EXPECT_EQ(FileBytes(kFilesKind), favourites);
}

TEST_F(ListsLoader, AFailedSaveLeavesThePreviousFileWhole) {
  Write(kAppsKind, "1\r\nancien\r\nC:\\ancien.exe\r\n");
  StartListLoader(ListLoaderOptions{false});
  WaitForLoaderIdle();
  AppendEntry(kAppsKind, {L"nouveau", L"C:\\nouveau.exe"});
  // The file written beside the list cannot be made: a folder holds its name.
  const std::wstring temp = ListFilePath(kAppsKind) + L".tmp";
  ASSERT_TRUE(CreateDirectoryW(temp.c_str(), nullptr));
  EXPECT_FALSE(SaveList(kAppsKind));
  RemoveDirectoryW(temp.c_str());
  EXPECT_EQ(FileBytes(kAppsKind), "1\r\nancien\r\nC:\\ancien.exe\r\n");
  EXPECT_TRUE(SaveList(kAppsKind));
  EXPECT_EQ(FileBytes(kAppsKind), "2\r\nancien\r\nC:\\ancien.exe\r\nnouveau\r\nC:\\nouveau.exe\r\n");
}

}  // namespace
}  // namespace kelvane::test
