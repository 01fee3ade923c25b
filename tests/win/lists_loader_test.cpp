// The list loader and the list files on the real main window: what a load
// puts in the lists and their headers, and that no save ever writes a list
// that is only partly loaded or a file that could not be read.
#include "app/shutdown.h"
#include "lists/dead_targets_win.h"
#include "lists/list_file.h"
#include "lists/list_recovery_win.h"
#include "lists/list_sync_win.h"
#include "win/lists_fixture.h"

namespace kelvane::test {
namespace {

class ListsLoader : public ListsTest {
 protected:
  static void Write(int kind, const std::string& bytes) { ASSERT_TRUE(WriteAll(ListFilePath(App().favourites, kind), bytes)); }

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
  // The shell's image list comes from the loader's thread, after the rows
  // and when no longer held: till then the views hold a blank list of its
  // icon size, so that the rows keep their height when it comes.
  for (int kind : {kAppsKind, kFilesKind}) ListView_SetImageList(ListView(kind), nullptr, LVSIL_SMALL);
  // Held icons wait past the rows until let go.
  HoldShellImages(true);
  HoldListIcons(true);
  StartListLoader(App().favourites);
  for (int kind : {kAppsKind, kFilesKind}) ListViewReady(App().favourites, kind);
  ASSERT_TRUE(PumpUntil([] { return !ListLoadRunning(kAppsKind) && !ListLoadRunning(kLinksKind); }, 10000));
  EXPECT_EQ(App().favourites.List(kAppsKind).Icon(0), -1);
  EXPECT_TRUE(ListLoaderBusy());
  // The targets are checked once the loader is done: one background thread
  // at a time beside the window's.
  EXPECT_FALSE(PumpUntil([] { return !DeadRows(App().favourites, kAppsKind).empty(); }, 500));
  for (int kind : {kAppsKind, kFilesKind}) {
    HIMAGELIST standIn = ListView_GetImageList(ListView(kind), LVSIL_SMALL);
    ASSERT_NE(standIn, nullptr) << kind;
    EXPECT_EQ(ImageList_GetImageCount(standIn), 0) << kind;
    int side = 0;
    ImageList_GetIconSize(standIn, &side, &side);
    EXPECT_EQ(side, GetSystemMetrics(SM_CXSMICON)) << kind;
  }
  HoldShellImages(false);
  HoldListIcons(false);
  WaitForLoaderIdle();
  EXPECT_GE(App().favourites.List(kAppsKind).Icon(0), 0);
  EXPECT_EQ(ListView_GetImageList(ListView(kAppsKind), LVSIL_SMALL), SystemImageList(false));
  EXPECT_EQ(ListView_GetImageList(ListView(kFilesKind), LVSIL_SMALL), SystemImageList(false));

  EXPECT_EQ(Names(kAppsKind), (std::vector<std::wstring>{L"Bloc-notes", L"Disparu"})) << "the BOM is skipped";
  EXPECT_EQ(ListHeader(kAppsKind), L"2 applications ex\u00E9cutables list\u00E9es");
  EXPECT_GE(EntryAt(App().favourites, kAppsKind, 0).icon, 0) << "the shell's icon came from the loader";
  EXPECT_GE(EntryAt(App().favourites, kAppsKind, 1).icon, 0) << "a missing target loads with the stand-in image";
  // Count 3 with one entry in the file: no empty rows for the missing two.
  const std::vector<ListEntry> files = ReadEntries(App().favourites, kFilesKind);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].target, L"C:\\Docs\\R\u00E9sum\u00E9.txt");
  EXPECT_EQ(ListHeader(kFilesKind), L"1 fichiers list\u00E9s");
  // An empty file: no count is shown, the column keeps its title.
  EXPECT_EQ(EntryCount(App().favourites, kLinksKind), 0);
  EXPECT_EQ(ListHeader(kLinksKind), CatalogText(L"Panel", L"LiensWeb"));

  // The missing target is found on a thread of its own, then drawn greyed
  // with a tooltip that says so (asked as the list asks its page).
  ASSERT_TRUE(PumpUntil([] { return IsDeadRow(App().favourites, kAppsKind, 1); }, 10000));
  EXPECT_FALSE(IsDeadRow(App().favourites, kAppsKind, 0));
  HWND apps = ListView(kAppsKind);
  auto notify = [&](NMHDR* header) {
    *header = {apps, static_cast<UINT_PTR>(kAppsKind), header->code};
    return SendMessageW(GetParent(apps), WM_NOTIFY, kAppsKind, reinterpret_cast<LPARAM>(header));
  };
  NMLVCUSTOMDRAW draw{};
  draw.nmcd.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
  draw.nmcd.dwDrawStage = CDDS_PREPAINT;
  EXPECT_TRUE(notify(&draw.nmcd.hdr) & CDRF_NOTIFYITEMDRAW);
  for (int row : {0, 1}) {
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
    draw.clrText = RGB(1, 2, 3);
    notify(&draw.nmcd.hdr);
    EXPECT_EQ(draw.clrText == GetSysColor(COLOR_GRAYTEXT), row == 1) << row;
  }
  wchar_t text[80] = L"Disparu";
  NMLVGETINFOTIPW tip{};
  tip.hdr.code = static_cast<UINT>(LVN_GETINFOTIPW);
  tip.pszText = text;
  tip.cchTextMax = 80;
  tip.iItem = 1;
  notify(&tip.hdr);
  EXPECT_EQ(std::wstring(text), L"Introuvable : C:\\nowhere\\gone.exe");

  // Loading again appends: every entry twice. Saving writes what is shown,
  // in the format of the program (CR LF, no BOM).
  StartListLoader(App().favourites);
  WaitForLoaderIdle();
  EXPECT_EQ(EntryCount(App().favourites, kAppsKind), 4);
  EXPECT_EQ(ListHeader(kAppsKind), L"4 applications ex\u00E9cutables list\u00E9es");
  EXPECT_TRUE(SaveList(App().favourites, kLinksKind));
  EXPECT_EQ(FileBytes(kLinksKind), "0\r\n");
  EXPECT_FALSE(SaveList(App().favourites, 0));
  EXPECT_FALSE(SaveList(App().favourites, 4));

  // The command offers the missing entries; cancelled, then a "Non", leave them.
  ASSERT_TRUE(PumpUntil([] { return DeadRows(App().favourites, kAppsKind) == std::vector<int>{1, 3}; }, 10000));
  ask_.pickAnswers = {std::nullopt, std::vector<bool>{true, false}, std::vector<bool>{false, true}};
  ask_.messageAnswers = {IDNO, IDYES};
  for (int round = 0; round < 3; ++round) DispatchCommand(CmdAppliIntrouvables);
  ASSERT_EQ(ask_.calls.size(), 5u);
  ASSERT_EQ(ask_.calls[0].rows.size(), 2u);
  EXPECT_EQ(ask_.calls[0].rows[1].target, L"C:\\nowhere\\gone.exe");
  EXPECT_EQ(ask_.calls[4].text, L"Retirer 1 favori introuvable de votre liste ?");
  EXPECT_EQ(Names(kAppsKind), (std::vector<std::wstring>{L"Bloc-notes", L"Disparu", L"Bloc-notes"}));
}

TEST_F(ListsLoader, ASaveRightAfterTheStartWaitsForTheWholeList) {
  const std::vector<ListEntry> entries = ManyEntries(20000, L"C:\\Program Files\\App\\app.exe");
  const std::string bytes = SerializeList(entries);
  Write(kAppsKind, bytes);
  Write(kFilesKind, bytes);
  StartListLoader(App().favourites, ListLoaderOptions{false});
  // No message has been handled yet: nothing is applied unless the save does it.
  EXPECT_TRUE(SaveList(App().favourites, kFilesKind));
  EXPECT_EQ(EntryCount(App().favourites, kFilesKind), 20000);
  EXPECT_EQ(FileBytes(kFilesKind), bytes);
  EXPECT_EQ(ListHeader(kFilesKind), L"20000 fichiers list\u00E9s");
  // The lists before it in the file order are complete too; shutdown's order.
  EXPECT_EQ(EntryCount(App().favourites, kAppsKind), 20000);
  SaveAllLists(App().favourites);
  EXPECT_EQ(FileBytes(kAppsKind), bytes);
}

TEST_F(ListsLoader, RowsTakenBeforeTheWindowShowsAreOneListsAloneAndItsEndWaitsForTheLoop) {
  const std::string bytes = SerializeList(ManyEntries(300, L"C:\\x.exe"));
  Write(kAppsKind, bytes);
  Write(kFilesKind, bytes);
  StartListLoader(App().favourites, ListLoaderOptions{false});
  // No message handled: the applications' rows as the thread reads them.
  const ULONGLONG start = GetTickCount64();
  while (EntryCount(App().favourites, kAppsKind) < 300 && GetTickCount64() - start < 10000) {
    TakeRowsReadSoFar(kAppsKind);
    Sleep(1);
  }
  EXPECT_EQ(EntryCount(App().favourites, kAppsKind), 300);
  EXPECT_TRUE(ListLoadRunning(kAppsKind)) << "its end, which may tell the user something, comes with the loop";
  EXPECT_EQ(EntryCount(App().favourites, kFilesKind), 0);
  WaitForLoaderIdle();
  EXPECT_FALSE(ListLoadRunning(kAppsKind));
  EXPECT_EQ(EntryCount(App().favourites, kFilesKind), 300);
  EXPECT_EQ(ListHeader(kAppsKind), L"300 applications ex\u00E9cutables list\u00E9es");
}

TEST_F(ListsLoader, CommandsDuringALoadSeeTheWholeList) {
  std::vector<ListEntry> entries = ManyEntries(5000, L"C:\\x.exe");
  entries.back().name = L"Dernier.exe";
  Write(kAppsKind, SerializeList(entries));
  StartListLoader(App().favourites, ListLoaderOptions{false});
  // The last entry of the file is found although it was not in the list yet.
  ask_.fileAnswers = {L"C:\\Autre\\DERNIER.EXE", L"C:\\Autre\\nouveau.exe"};
  DispatchCommand(CmdAjoutAppli);
  ASSERT_EQ(ask_.calls.size(), 2u);
  EXPECT_EQ(ask_.calls[1].title, L"Doublon d\u00E9tect\u00E9");
  DispatchCommand(CmdAjoutAppli);
  EXPECT_EQ(EntryCount(App().favourites, kAppsKind), 5001);
  EXPECT_EQ(EntryAt(App().favourites, kAppsKind, 5000).name, L"nouveau.exe") << "added after everything loaded";
}

TEST_F(ListsLoader, IconsFindTheirRowsWhenRowsMoveDuringTheLoad) {
  // Folders: under Wine too their icon is not the stand-in of rows still waiting.
  std::vector<ListEntry> entries = ManyEntries(1500, folder_);
  entries[0].target = Notepad();  // another icon
  Write(kFilesKind, SerializeList(entries));
  StartListLoader(App().favourites);
  ASSERT_TRUE(FinishListLoad(kFilesKind));
  // Removing the first rows moves every other row up while icons still come.
  for (int i = 0; i < 3; ++i) RemoveEntry(App().favourites, kFilesKind, 0);
  WaitForLoaderIdle();
  ASSERT_EQ(EntryCount(App().favourites, kFilesKind), 1497);
  const int icon = SmallShellIcon(folder_);
  int withIcon = 0;
  for (int row = 0; row < EntryCount(App().favourites, kFilesKind); ++row) withIcon += EntryAt(App().favourites, kFilesKind, row).icon == icon;
  EXPECT_EQ(withIcon, 1497);
}

TEST_F(ListsLoader, EveryMissingTargetOfALongListIsFoundThoughTheListChangesWhileItIsChecked) {
  std::vector<ListEntry> entries;
  for (int i = 0; i < 10000; ++i) entries.push_back({L"Perdu " + std::to_wstring(i), L"C:\\nowhere\\gone-" + std::to_wstring(i) + L".exe"});
  Write(kAppsKind, SerializeList(entries));
  StartListLoader(App().favourites, ListLoaderOptions{false});
  ASSERT_TRUE(FinishListLoad(kAppsKind));
  StopListLoader();  // the checks wait for the loader's end
  // The targets go to the checking thread a part per message: a row removed
  // or added between two parts is neither skipped nor missed.
  HWND checks = FindWindowExW(HWND_MESSAGE, nullptr, L"KelvaneTargetChecks", nullptr);
  ASSERT_TRUE(checks);
  const auto handleOne = [checks] {
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, checks, WM_APP + 2, WM_APP + 2, PM_REMOVE));
    DispatchMessageW(&msg);
  };
  handleOne();
  RemoveEntry(App().favourites, kAppsKind, 0);
  handleOne();
  ASSERT_TRUE(AppendEntry(App().favourites, kAppsKind, {L"Perdu aussi", L"C:\\nowhere\\also-gone.exe"}));
  handleOne();
  ASSERT_TRUE(PumpUntil([] { return DeadRows(App().favourites, kAppsKind).size() == 10000; }, 20000))
      << DeadRows(App().favourites, kAppsKind).size();
}

TEST_F(ListsLoader, AFileThatCannotBeReadIsNeverWrittenOver) {
  const std::string favourites = "1\r\nPr\xC3\xA9" "cieux\r\nC:\\precieux.exe\r\n";
  Write(kFilesKind, favourites);
  Write(kAppsKind, "1\r\na\r\nC:\\a.exe\r\n");
  // Another program holds the file open for itself during the whole load.
  HANDLE held = CreateFileW(ListFilePath(App().favourites, kFilesKind).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  StartListLoader(App().favourites, ListLoaderOptions{false});
  WaitForLoaderIdle();
  CloseHandle(held);
  EXPECT_EQ(EntryCount(App().favourites, kFilesKind), 0);
  EXPECT_TRUE(ListFileUnreadable(kFilesKind));
  EXPECT_EQ(EntryCount(App().favourites, kAppsKind), 1) << "the other lists load";

  ASSERT_EQ(ask_.calls.size(), 1u) << "told once";
  EXPECT_NE(ask_.calls[0].text.find(ListFilePath(App().favourites, kFilesKind)), std::wstring::npos);
  EXPECT_NE(ask_.calls[0].text.find(RecoveredListPath(App().favourites, kFilesKind)), std::wstring::npos);

  // Neither a save on demand, nor a save on change, nor shutdown's save write
  // over it; what the user adds goes beside it, and the user is told where.
  EXPECT_TRUE(SaveList(App().favourites, kFilesKind));
  App().prefs.CheckSaveList = 1;
  AppendEntry(App().favourites, kFilesKind, {L"nouveau", L"C:\\nouveau.txt"});
  AutoSaveList(App().favourites, kFilesKind);
  SaveAllLists(App().favourites);
  EXPECT_EQ(FileBytes(kFilesKind), favourites);
  EXPECT_EQ(FileBytes(kAppsKind), "1\r\na\r\nC:\\a.exe\r\n");
  EXPECT_EQ(ReadAll(RecoveredListPath(App().favourites, kFilesKind)), "1\r\nnouveau\r\nC:\\nouveau.txt\r\n");
  ASSERT_EQ(ask_.calls.size(), 2u);
  EXPECT_NE(ask_.calls[1].text.find(RecoveredListPath(App().favourites, kFilesKind)), std::wstring::npos);
  DeleteFileW(RecoveredListPath(App().favourites, kFilesKind).c_str());

  // Once readable again, the next load takes it and saves work as before.
  ClearEntries(App().favourites, kFilesKind);
  ClearEntries(App().favourites, kAppsKind);
  StartListLoader(App().favourites, ListLoaderOptions{false});
  WaitForLoaderIdle();
  EXPECT_FALSE(ListFileUnreadable(kFilesKind));
  EXPECT_TRUE(SaveList(App().favourites, kFilesKind));
  EXPECT_EQ(FileBytes(kFilesKind), favourites);
}

TEST_F(ListsLoader, AFailedSaveLeavesThePreviousFileWholeAndSaysWhy) {
  const std::string ancien = "1\r\nancien\r\nC:\\ancien.exe\r\n";
  Write(kAppsKind, ancien);
  StartListLoader(App().favourites, ListLoaderOptions{false});
  WaitForLoaderIdle();
  AppendEntry(App().favourites, kAppsKind, {L"nouveau", L"C:\\nouveau.exe"});
  // The file written beside the list cannot be made: a folder holds its name.
  const std::wstring temp = ListFilePath(App().favourites, kAppsKind) + L".tmp";
  ASSERT_TRUE(CreateDirectoryW(temp.c_str(), nullptr));
  EXPECT_FALSE(SaveList(App().favourites, kAppsKind));
  EXPECT_NE(ListFilesNotSaved(App().favourites), L"");
  RemoveDirectoryW(temp.c_str());
  EXPECT_EQ(FileBytes(kAppsKind), ancien);
  EXPECT_TRUE(SaveList(App().favourites, kAppsKind));
  EXPECT_EQ(ListFilesNotSaved(App().favourites), L"");
  const std::string two = FileBytes(kAppsKind);
  EXPECT_EQ(two, "2\r\nancien\r\nC:\\ancien.exe\r\nnouveau\r\nC:\\nouveau.exe\r\n");

  // A reader that does not let the file be renamed (a scanner, an indexer)
  // holds it for longer than the save retries.
  AppendEntry(App().favourites, kAppsKind, {L"encore", L"C:\\encore.exe"});
  HANDLE reader = CreateFileW(ListFilePath(App().favourites, kAppsKind).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  // A quit meets the failed save: it asks, and "Non" keeps the program running.
  App().quitRequested = true;
  EXPECT_FALSE(SaveBeforeQuit());
  EXPECT_FALSE(App().quitRequested);
  CloseHandle(reader);
  EXPECT_EQ(FileBytes(kAppsKind), two);
  EXPECT_FALSE(FileExists(temp));
  WIN32_FIND_DATAW found{};
  HANDLE leftovers = FindFirstFileW((folder_ + L"rf*.tmp").c_str(), &found);
  EXPECT_EQ(leftovers, INVALID_HANDLE_VALUE) << "ReplaceFileW's leftovers";
  if (leftovers != INVALID_HANDLE_VALUE) FindClose(leftovers);
  // Each failure named the file (with the system's reason), and so did the question.
  ASSERT_EQ(ask_.calls.size(), 3u);
  for (const auto& call : ask_.calls) EXPECT_NE(call.text.find(ListFilePath(App().favourites, kAppsKind)), std::wstring::npos);
  EXPECT_EQ(ask_.calls[2].type & MB_YESNO, static_cast<UINT>(MB_YESNO));
  EXPECT_TRUE(SaveList(App().favourites, kAppsKind));
  EXPECT_EQ(EntryCount(App().favourites, kAppsKind), 3);
  EXPECT_EQ(ParseListFile(FileBytes(kAppsKind)).entries, ReadEntries(App().favourites, kAppsKind));
}

TEST_F(ListsLoader, OddFilesAtStartAreRecoveredOrKeptAndTheUserToldOnce) {
  // A save killed before its rename (earlier versions: between ReplaceFileW's
  // two): the list is empty, its whole new text is beside it.
  const std::string apps = "1\r\nBloc-notes\r\nC:\\notepad.exe\r\n";
  Write(kAppsKind, "");
  ASSERT_TRUE(WriteAll(ListFilePath(App().favourites, kAppsKind) + L".tmp", apps));
  // A temporary file cut short beside a whole list, and ReplaceFileW's leftover.
  Write(kLinksKind, "1\r\nA\r\nhttps://a.example/\r\n");
  ASSERT_TRUE(WriteAll(ListFilePath(App().favourites, kLinksKind) + L".tmp", "2\r\nA\r\nhttps://a.example/\r\nB"));
  ASSERT_TRUE(WriteAll(folder_ + L"rf1A2B.tmp", ""));
  // A file whose first line is not a count.
  const std::string files = "deux\r\nPhotos\r\nD:\\Photos\\\r\nDocs\r\nD:\\Docs\\\r\n";
  Write(kFilesKind, files);
  RecoverListFilesAtStart(folder_);
  StartListLoader(App().favourites, ListLoaderOptions{false});
  WaitForLoaderIdle();

  EXPECT_EQ(FileBytes(kAppsKind), apps);
  EXPECT_EQ(Names(kAppsKind), std::vector<std::wstring>{L"Bloc-notes"});
  EXPECT_EQ(EntryCount(App().favourites, kLinksKind), 1);
  for (const std::wstring& gone : {ListFilePath(App().favourites, kAppsKind) + L".tmp", ListFilePath(App().favourites, kLinksKind) + L".tmp",
                                   folder_ + L"rf1A2B.tmp"}) {
    EXPECT_FALSE(FileExists(gone)) << WideToUtf8(gone);
  }
  EXPECT_EQ(Names(kFilesKind), (std::vector<std::wstring>{L"Photos", L"Docs"}));
  ASSERT_EQ(ask_.calls.size(), 2u);
  EXPECT_NE(ask_.calls[0].text.find(L"MyApps.txt.tmp"), std::wstring::npos);
  EXPECT_NE(ask_.calls[1].text.find(ListFilePath(App().favourites, kFilesKind)), std::wstring::npos);
  // Not written over while unchanged, written as usual once changed.
  SaveAllLists(App().favourites);
  EXPECT_EQ(FileBytes(kFilesKind), files);
  RemoveEntry(App().favourites, kFilesKind, 1);
  EXPECT_TRUE(SaveList(App().favourites, kFilesKind));
  EXPECT_EQ(FileBytes(kFilesKind), "1\r\nPhotos\r\nD:\\Photos\\\r\n");
  EXPECT_EQ(ask_.calls.size(), 2u);
}

TEST_F(ListsLoader, ADamagedFileComesBackFromItsLastGoodCopyWithOneMessage) {
  const std::string one = "1\r\nBloc-notes\r\nC:\\notepad.exe\r\n";
  Write(kAppsKind, one);
  StartListLoader(App().favourites, ListLoaderOptions{false});
  WaitForLoaderIdle();
  AppendEntry(App().favourites, kAppsKind, {L"Paint", L"C:\\mspaint.exe"});
  ASSERT_TRUE(SaveList(App().favourites, kAppsKind));
  const std::string two = FileBytes(kAppsKind);
  EXPECT_EQ(ReadAll(ListFilePath(App().favourites, kAppsKind) + L".bak"), one) << "the save kept the file it replaced";
  // Zeros where the text was, as a power cut can leave a file.
  const std::string zeros(two.size(), '\0');
  Write(kAppsKind, zeros);
  const std::wstring prefs = folder_ + L"Kelvane.prefs";
  ASSERT_TRUE(WriteAll(prefs, ""));
  ASSERT_TRUE(WriteAll(prefs + L".bak", "\r\nPanel = Liens\r\n"));
  ClearEntries(App().favourites, kAppsKind);
  ask_.calls.clear();
  // The lists are checked as the start's load reads them (once, off the
  // window's thread); the preferences before.
  RecoverListFilesAtStart(folder_);
  EXPECT_EQ(FileBytes(kAppsKind), zeros);
  const auto startLoad = [] {
    ListLoaderOptions atStart;
    atStart.icons = false;
    atStart.restoreDamaged = true;
    StartListLoader(App().favourites, atStart);
    WaitForLoaderIdle();
  };
  startLoad();
  EXPECT_EQ(Names(kAppsKind), std::vector<std::wstring>{L"Bloc-notes"});
  EXPECT_EQ(ReadAll(ListFilePath(App().favourites, kAppsKind) + L".damaged"), zeros) << "the damaged file is kept";
  EXPECT_EQ(ReadAll(prefs), "\r\nPanel = Liens\r\n");
  RecoverListFilesAtStart(folder_);  // a second start finds nothing to say
  ClearEntries(App().favourites, kAppsKind);
  startLoad();
  ASSERT_TRUE(PumpUntil([this] { return ask_.calls.size() >= 2; }));
  ASSERT_EQ(ask_.calls.size(), 2u);
  EXPECT_NE(ask_.calls[0].text.find(L"Kelvane.prefs.damaged"), std::wstring::npos);
  EXPECT_NE(ask_.calls[1].text.find(L"MyApps.txt.bak"), std::wstring::npos);
}

TEST_F(ListsLoader, AListChangedByAnotherProgramIsLoadedAgainOrTheUserChoosesWhatToKeep) {
  Write(kLinksKind, "1\r\nA\r\nhttps://a.example/\r\n");
  StartListLoader(App().favourites, ListLoaderOptions{false});
  WaitForLoaderIdle();
  HANDLE change = ListFolderChange(App().favourites);
  ASSERT_NE(change, nullptr);
  // A sync client brings a new version: nothing unsaved here, so it is loaded.
  Write(kLinksKind, "2\r\nA\r\nhttps://a.example/\r\nB\r\nhttps://b.example/\r\n");
  ASSERT_EQ(WaitForSingleObject(change, 10000), WAIT_OBJECT_0) << "the folder's notification fired";
  OnListFolderChanged(App().favourites);
  WaitForLoaderIdle();
  EXPECT_EQ(Names(kLinksKind), (std::vector<std::wstring>{L"A", L"B"}));
  // The program's own save is no change from elsewhere.
  RemoveEntry(App().favourites, kLinksKind, 0);
  ASSERT_TRUE(SaveList(App().favourites, kLinksKind));
  OnListFolderChanged(App().favourites);
  WaitForLoaderIdle();
  EXPECT_EQ(Names(kLinksKind), std::vector<std::wstring>{L"B"});
  EXPECT_TRUE(ask_.calls.empty());

  // Both sides changed: "Non" keeps this side and writes the file's beside it,
  // "Oui" loads the file's and keeps this side beside it.
  const std::wstring file = ListFilePath(App().favourites, kLinksKind);
  const std::string other = "1\r\nAutre\r\nhttps://autre.example/\r\n";
  AppendEntry(App().favourites, kLinksKind, {L"Mien", L"https://mien.example/"});
  Write(kLinksKind, other);
  ask_.messageAnswers.push_back(IDNO);
  OnListFolderChanged(App().favourites);
  WaitForLoaderIdle();
  EXPECT_EQ(Names(kLinksKind), (std::vector<std::wstring>{L"B", L"Mien"}));
  EXPECT_EQ(ParseListFile(FileBytes(kLinksKind)).entries, ReadEntries(App().favourites, kLinksKind));
  EXPECT_EQ(ReadAll(file + L".remote"), other);

  AppendEntry(App().favourites, kLinksKind, {L"Encore", L"https://encore.example/"});
  const std::string mine = SerializeList(ReadEntries(App().favourites, kLinksKind));
  Write(kLinksKind, other);
  ask_.messageAnswers.push_back(IDYES);
  OnListFolderChanged(App().favourites);
  WaitForLoaderIdle();
  EXPECT_EQ(Names(kLinksKind), std::vector<std::wstring>{L"Autre"});
  EXPECT_EQ(ReadAll(file + L".local"), mine);
  ASSERT_EQ(ask_.calls.size(), 2u);
  EXPECT_NE(ask_.calls[0].text.find(L"MyLinks.txt.remote"), std::wstring::npos);
}

}  // namespace
}  // namespace kelvane::test
