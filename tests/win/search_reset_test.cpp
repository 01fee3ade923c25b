// The search of the tool bar on the favourite and folder lists, and the
// reset of all lists and of the data folder, on the real main window.
#include <windows.h>
#include <commctrl.h>

#include "app/folder_lists.h"
#include "app/panel_tabs.h"
#include "backup/backup_win.h"
#include "app/search_reset.h"
#include "settings/preferences_win.h"
#include "toolkit/list_view_win.h"
#include "win/lists_fixture.h"

namespace kelvane::test {
namespace {

using Kind = ScriptedRequesters::Kind;

constexpr wchar_t kFailedText[] =
    L"La recherche n'a pas aboutie. Essayer \u00E0 nouveau en modifiant l'orthographe de l'\u00E9l\u00E9ment "
    L"cherch\u00E9.";

std::vector<std::wstring> g_opened;

int TopRow(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0)); }

class SearchResetTest : public ListsTest {
 protected:
  void SetUp() override {
    ListsTest::SetUp();
    // A data folder named as the program names it, inside a profile of its own.
    profile_ = MakeTempFolder();
    savedProfile_ = App().profileFolder;
    App().profileFolder = profile_;
    App().dataFolder = profile_ + L"Tamorin Kelvane\\";
    ASSERT_TRUE(CreateDirectoryW(App().dataFolder.c_str(), nullptr));
    g_opened.clear();
    SetFolderOpenerForTests([](const std::wstring& folder) { g_opened.push_back(folder); });
  }
  void TearDown() override {
    SetFolderOpenerForTests(nullptr);
    ListsTest::TearDown();
    // Later tests of the same process read the profile folder too.
    App().profileFolder = savedProfile_;
    RemovePath(profile_.substr(0, profile_.size() - 1));
  }
  std::wstring DataFolder() const { return App().dataFolder.substr(0, App().dataFolder.size() - 1); }

  void Search(int tab, const std::wstring& text) {
    SelectTab(tab);
    ask_.inputAnswers = {text};
    DispatchCommand(CmdRechercher);
  }

  std::wstring profile_;
  std::wstring savedProfile_;
};

TEST_F(SearchResetTest, FindsTheFirstNameBeginningWithTheTextLetterCaseCounting) {
  for (const wchar_t* name : {L"Notepad++", L"notes.txt", L"notes bis"}) AppendEntry(App().favourites, kAppsKind, {name, L"C:\\x"});
  HWND list = ListView(kAppsKind);
  SelectOnly(kAppsKind, 2);
  Search(0, L"note");
  ASSERT_EQ(ask_.calls.size(), 1u);
  EXPECT_EQ(ask_.calls[0].kind, Kind::InputText);
  EXPECT_EQ(ask_.calls[0].title, L"Recherche");
  EXPECT_EQ(ask_.calls[0].text,
            L"Entrez le nom ou une partie du nom de l'\u00E9l\u00E9ment recherch\u00E9 (sensible \u00E0 la casse)");
  EXPECT_EQ(ask_.calls[0].initial, L"");
  EXPECT_EQ(FirstSelectedRow(list), 1) << "the one nearer the top, though the other was selected";
  EXPECT_EQ(FocusedSelectedRow(list), 1);
  EXPECT_FALSE(IsRowSelected(kAppsKind, 2));
  EXPECT_EQ(GetFocus(), list);

  Search(0, L"Note");
  EXPECT_EQ(FirstSelectedRow(list), 0);
  // Longer than every name: said, selection unchanged.
  Search(0, L"Notepad++ plus");
  ASSERT_EQ(ask_.calls.size(), 4u);
  ExpectBox(ask_.calls[3], L"Echec de la Recherche", kFailedText, kInformationBox);
  EXPECT_EQ(FirstSelectedRow(list), 0);
  // Cancelled or empty: nothing happens.
  ask_.inputAnswers = {std::nullopt, L""};
  DispatchCommand(CmdRechercher);
  DispatchCommand(CmdRechercher);
  EXPECT_EQ(ask_.calls.size(), 6u);

  // Typing in the list (an owner-data view asks the model): letter case
  // ignored, from the given row on, round past the end.
  ASSERT_TRUE(GetWindowLongW(list, GWL_STYLE) & LVS_OWNERDATA);
  LVFINDINFOW typed{LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP, L"NOTES", 0, {}, 0};
  EXPECT_EQ(ListView_FindItem(list, 0, &typed), 1);
  typed.psz = L"notep";
  EXPECT_EQ(ListView_FindItem(list, 2, &typed), 0);
  typed.psz = L"notez";
  EXPECT_EQ(ListView_FindItem(list, -1, &typed), -1);
  // A removal moves the selection up with its row.
  SelectOnly(kAppsKind, 2);
  RemoveEntry(App().favourites, kAppsKind, 0);
  EXPECT_EQ(FirstSelectedRow(list), 1);
  EXPECT_EQ(RowText(list, 1, 0), L"notes bis");

  // The list of the tab shown: links on tab 2.
  AppendEntry(App().favourites, kLinksKind, {L"Notes en ligne", L"https://notes.example/"});
  Search(2, L"Notes");
  EXPECT_EQ(FirstSelectedRow(ListView(kLinksKind)), 0);
  EXPECT_EQ(ask_.calls.size(), 7u);
}

TEST_F(SearchResetTest, AMatchPastTheFirstPageEndsNearTheTopOfTheView) {
  SelectTab(0);
  HWND list = ListView(kAppsKind);
  const auto perPage = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
  ASSERT_GT(perPage, 2);
  for (int i = 0; i < perPage * 5; ++i) AppendEntry(App().favourites, kAppsKind, {L"Entry " + std::to_wstring(1000 + i), L"C:\\x"});
  const int target = perPage * 2;
  SendMessageW(list, LVM_ENSUREVISIBLE, perPage * 4, FALSE);
  EXPECT_EQ(FindAndSelect(kAppsKind, L"Entry " + std::to_wstring(1000 + target)), target);
  EXPECT_GE(TopRow(list), target - 2);
  EXPECT_LE(TopRow(list), target);
  // An early match leaves the list at its top.
  EXPECT_EQ(FindAndSelect(kAppsKind, L"Entry 1002"), 2);
  EXPECT_EQ(TopRow(list), 0);
  // No match: back at the top all the same, selection kept.
  SendMessageW(list, LVM_ENSUREVISIBLE, perPage * 4, FALSE);
  EXPECT_EQ(FindAndSelect(kAppsKind, L"entry"), -1);
  EXPECT_EQ(TopRow(list), 0);
  EXPECT_EQ(FirstSelectedRow(list), 2);
}

TEST_F(SearchResetTest, FolderListsAreSearchedByItemNameTheDesktopTabIncluded) {
  const std::wstring folder = MakeTempFolder();
  for (const wchar_t* name : {L"Alpha.txt", L"beta.txt", L"Beta2.txt"}) ASSERT_TRUE(WriteAll(folder + name, "x"));
  for (int gadget : {kExplorerList, kDesktopList}) {
    SCOPED_TRACE(gadget);
    ExplorerListControl* list = FolderList(gadget);
    ASSERT_NE(list, nullptr);
    list->SetFolder(folder);
    ASSERT_TRUE(PumpUntil([&] { return !list->IsListing() && list->RowCount() >= 3; }, 10000));
    Search(gadget == kExplorerList ? 4 : 5, L"Beta");
    const int row = list->FocusedRow();
    ASSERT_GE(row, 0);
    EXPECT_EQ(list->RowName(row), L"Beta2.txt");
    EXPECT_EQ(list->SelectedRows(), std::vector<int>{row});
    EXPECT_EQ(GetFocus(), list->Hwnd());
  }
  EXPECT_EQ(FindAndSelect(999, L"x"), -1);
  RemovePath(folder.substr(0, folder.size() - 1));
}

TEST_F(SearchResetTest, ResetEmptiesTheListsAndRemovesTheDataFolder) {
  AppendEntry(App().favourites, kAppsKind, {L"a", L"C:\\a.exe"});
  AppendEntry(App().favourites, kFilesKind, {L"f", L"C:\\f.txt"});
  SaveAllLists(App().favourites);
  ASSERT_TRUE(SavePreferences(App()));
  ASSERT_TRUE(CreateDirectoryW((App().dataFolder + L"Sub").c_str(), nullptr));
  ask_.messageAnswers = {IDNO, IDYES};
  DispatchCommand(CmdSupprimerTout);
  ASSERT_EQ(ask_.calls.size(), 1u);
  ExpectBox(ask_.calls[0], L"Supprimer tout!",
            L"\u00CAtes-vous s\u00FBr(e) de vouloir tout supprimer ?\nSi oui, toutes les listes seront effac\u00E9es "
            L"sans retour possible. Le programme sera r\u00E9initialis\u00E9.",
            static_cast<UINT>(MB_YESNO | MB_ICONWARNING));
  EXPECT_EQ(EntryCount(App().favourites, kAppsKind), 1);

  DispatchCommand(CmdSupprimerTout);
  ASSERT_EQ(ask_.calls.size(), 3u);
  ExpectBox(ask_.calls[2], L"Supprimer tout!",
            L"Toutes vos listes de favoris ont \u00E9t\u00E9 supprim\u00E9es!",
            kInformationBox);
  for (int kind : kListKinds) EXPECT_EQ(EntryCount(App().favourites, kind), 0);
  EXPECT_EQ(ListHeader(kAppsKind), L"0 applications ex\u00E9cutables list\u00E9es");
  EXPECT_EQ(ListHeader(kFilesKind), L"0 fichiers list\u00E9s");
  EXPECT_EQ(ListHeader(kLinksKind), L"0 Liens internet list\u00E9s");
  EXPECT_FALSE(FileExists(DataFolder()));
  EXPECT_TRUE(g_opened.empty());

  // Nothing added: what exit writes leaves no data folder behind.
  App().prefs.PrefAutoBackup = 1;
  SaveAtShutdown(App(), App().favourites);
  SaveAllLists(App().favourites);
  EXPECT_FALSE(FileExists(DataFolder()));
}

TEST_F(SearchResetTest, AnEntryAddedAfterAResetIsKeptAtExit) {
  AppendEntry(App().favourites, kAppsKind, {L"a", L"C:\\a.exe"});
  SaveAllLists(App().favourites);
  ask_.messageAnswers = {IDYES};
  DispatchCommand(CmdSupprimerTout);
  ASSERT_FALSE(FileExists(DataFolder()));
  ask_.inputAnswers = {L"https://example.org/", L"Exemple"};
  DispatchCommand(CmdAjoutLien);
  SaveAtShutdown(App(), App().favourites);
  EXPECT_EQ(ReadAll(App().dataFolder + L"MyLinks.txt"), "1\r\nExemple\r\nhttps://example.org/\r\n");
  EXPECT_FALSE(FileExists(App().dataFolder + L"Kelvane.prefs"));
}

TEST_F(SearchResetTest, AFileHeldOpenMakesTheResetFailAndOpenTheProfileFolder) {
  AppendEntry(App().favourites, kAppsKind, {L"a", L"C:\\a.exe"});
  SaveAllLists(App().favourites);
  HANDLE held = CreateFileW((App().dataFolder + L"MyApps.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ask_.messageAnswers = {IDYES};
  DispatchCommand(CmdSupprimerTout);
  CloseHandle(held);
  ASSERT_EQ(ask_.calls.size(), 2u);
  EXPECT_EQ(ask_.calls[1].text,
            L"Une erreur est survenue, toutes vos listes de favoris n'ont pas pu \u00EAtre supprim\u00E9es!\nEssayez "
            L"de le faire manuellement.");
  EXPECT_EQ(ask_.calls[1].type, kWarningBox);
  EXPECT_EQ(g_opened, std::vector<std::wstring>{profile_});
  EXPECT_TRUE(FileExists(App().dataFolder + L"MyApps.txt"));
  EXPECT_EQ(EntryCount(App().favourites, kAppsKind), 0);
}

// Answers the next box of that title with a button; false when none came.
bool Answer(const KelvaneProcess& process, const wchar_t* title, int button) {
  HWND box = nullptr;
  if (!WaitFor([&] { return (box = FindWindowOf(process, title)) != nullptr; }, 10000)) return false;
  PostMessageW(box, WM_COMMAND, button, 0);
  return WaitFor([&] { return !IsWindow(box); }, 10000);
}

TEST(SearchResetProcess, AfterAResetAndQuitTheNextStartBeginsFromNothing) {
  ASSERT_EQ(FindMainWindow(), nullptr) << "another Kelvane is running";
  const std::wstring data = DataFolderPath();
  RemovePath(data);
  ASSERT_TRUE(CreateDirectoryW(data.c_str(), nullptr));
  ASSERT_TRUE(WriteAll(data + L"\\MyApps.txt", "1\r\na\r\nC:\\a.exe\r\n"));
  ASSERT_TRUE(WriteAll(data + L"\\Kelvane.prefs", "\xEF\xBB\xBF\r\nPanel = Internet\r\n"));
  KelvaneProcess kelvane;
  ASSERT_TRUE(kelvane.Start());
  HWND window = kelvane.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  HWND apps = FindGadgetWindow(window, kAppsList);
  ASSERT_TRUE(WaitFor([&] { return SendMessageW(apps, LVM_GETITEMCOUNT, 0, 0) == 1; }, 15000));
  PostMessageW(window, WM_COMMAND, CmdSupprimerTout, 0);
  ASSERT_TRUE(Answer(kelvane, L"Supprimer tout!", IDYES));
  ASSERT_TRUE(Answer(kelvane, L"Supprimer tout!", IDOK));
  EXPECT_EQ(SendMessageW(apps, LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_FALSE(FileExists(data));
  PostMessageW(window, WM_COMMAND, CmdQuitter, 0);
  DWORD code = 1234;
  ASSERT_TRUE(kelvane.WaitForExit(30000, &code));
  EXPECT_FALSE(FileExists(data)) << "nothing was added: nothing written at exit";

  KelvaneProcess again;
  ASSERT_TRUE(again.Start());
  window = again.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ReadAll(data + L"\\MyApps.txt"), "");
  EXPECT_FALSE(FileExists(data + L"\\Kelvane.prefs"));
  HWND tabs = FindGadgetWindow(window, kPanelTabs);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0) << "the default start tab";
  PostMessageW(window, WM_COMMAND, CmdQuitter, 0);
  ASSERT_TRUE(again.WaitForExit(30000, &code));
  RemovePath(data);
}

}  // namespace
}  // namespace kelvane::test
