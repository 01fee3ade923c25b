// The Historique tab on a recent-items folder of the test's own, through the
// real main window, its command and gadget tables and scripted requesters.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "app/popup_menus.h"
#include "explorer/shell_file_ops_win.h"
#include "recent/recent_tab_win.h"
#include "recent/recent_texts.h"
#include "toolkit/special_folders_win.h"
#include "win/recent_fixture.h"

namespace kelvane::test {
namespace {

using Kind = ScriptedRequesters::Kind;

FILETIME LocalTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second = 0) {
  const SYSTEMTIME local{year, month, 0, day, hour, minute, second, 0};
  SYSTEMTIME utc{};
  FILETIME time{};
  EXPECT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc));
  EXPECT_TRUE(SystemTimeToFileTime(&utc, &time));
  return time;
}

void SetPurgeDay(WORD year, WORD month, WORD day) {
  SYSTEMTIME chosen{year, month, 0, day, 12, 0, 0, 0};
  ASSERT_TRUE(DateTime_SetSystemtime(Gadget(kPurgeDate), GDT_VALID, &chosen));
}

class RecentTab : public RecentFixture {
 protected:
  // A bound only a hang reaches: on a loaded machine the list's threads can
  // be held back for seconds.
  static constexpr DWORD kHangMs = 60000;

  void SetUp() override {
    RecentFixture::SetUp();
    EmptyFolder(recent_);
    ListRecentFolder();
  }

  // Points the list at its folder and waits for the whole listing: the list
  // waits only briefly for it, and a loaded machine (or a first reading of
  // shortcuts through COM) takes longer.
  static void ListRecentFolder() {
    PointRecentListAtRecentFolder(App());
    ASSERT_TRUE(PumpUntil([] { return !List(kRecentList).IsListing(); }, kHangMs));
  }

  std::wstring Make(const std::wstring& name) {
    const std::wstring path = recent_ + name;
    EXPECT_TRUE(WriteAll(path, "lien"));
    return path;
  }
};

TEST_F(RecentTab, HeaderCountsEveryRowAndFollowsTheFolder) {
  Make(L"a.lnk");
  Make(L"b.lnk");
  CreateDirectoryW((recent_ + L"dossier").c_str(), nullptr);
  ASSERT_TRUE(DispatchGadgetEvent(kHistRecharger, GadgetEvent::Click));
  ASSERT_TRUE(PumpUntil([] { return !List(kRecentList).IsListing(); }, kHangMs));
  ASSERT_EQ(List(kRecentList).RowCount(), 3);
  // No ".." row in this list: three rows are three links, not two.
  EXPECT_EQ(FirstColumnTitle(kRecentList), L"3 liens vers des fichiers qui ont \u00E9t\u00E9 ouverts");

  // A shortcut added on disk reaches the header through the rows-changed event.
  Make(L"c.lnk");
  EXPECT_TRUE(PumpUntil([] { return FirstColumnTitle(kRecentList).starts_with(L"4 liens"); }, kHangMs))
      << std::string(FirstColumnTitle(kRecentList).begin(), FirstColumnTitle(kRecentList).end());
}

// Creation and write time alike: Wine keeps no creation time of its own and
// reports the write time in its place.
void SetTimes(const std::wstring& path, const FILETIME& time) {
  HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(SetFileTime(file, &time, nullptr, &time));
  CloseHandle(file);
}

TEST_F(RecentTab, PurgeTakesShortcutsCreatedBeforeLocalMidnightOfTheDay) {
  SetTimes(Make(L"veille.lnk"), LocalTime(2024, 6, 14, 23, 59));
  SetTimes(Make(L"jour.lnk"), LocalTime(2024, 6, 15, 0, 0, 0));
  SetTimes(Make(L"ancien.lnk"), LocalTime(2005, 1, 3, 10, 0));
  SetTimes(Make(L"lendemain.lnk"), LocalTime(2024, 6, 16, 9, 0));
  SetTimes(Make(L"note.txt"), LocalTime(2005, 1, 3, 10, 0));
  ASSERT_TRUE(CreateDirectoryW((recent_ + L"dossier.lnk").c_str(), nullptr));
  SetTimes(recent_ + L"dossier.lnk", LocalTime(2005, 1, 3, 10, 0));
  SetPurgeDay(2024, 6, 15);
  EXPECT_EQ(PurgeDateText(), L"15/06/2024");

  ask_.messageAnswers = {IDNO};
  ASSERT_TRUE(DispatchGadgetEvent(kHistFiltrer, GadgetEvent::Click));
  ASSERT_EQ(ask_.calls.size(), 1u);
  ExpectBox(ask_.calls[0], L"Suppression", PurgeQuestion(L"15/06/2024"), static_cast<UINT>(MB_YESNO | MB_ICONWARNING));
  EXPECT_TRUE(FileExists(recent_ + L"veille.lnk")) << "No deletes nothing";

  ask_.messageAnswers = {IDYES};
  ASSERT_TRUE(DispatchGadgetEvent(kHistFiltrer, GadgetEvent::Click));
  EXPECT_EQ(ask_.calls.size(), 2u) << "no error box";
  EXPECT_FALSE(FileExists(recent_ + L"veille.lnk")) << "23:59 the day before";
  EXPECT_FALSE(FileExists(recent_ + L"ancien.lnk"));
  EXPECT_TRUE(FileExists(recent_ + L"jour.lnk")) << "00:00:00 on the day itself";
  EXPECT_TRUE(FileExists(recent_ + L"lendemain.lnk"));
  EXPECT_TRUE(FileExists(recent_ + L"note.txt")) << "not a shortcut";
  EXPECT_TRUE(IsDirectory(recent_ + L"dossier.lnk")) << "folders are never purged";

  // Nothing left before that day: nothing to do, and no error either.
  ask_.messageAnswers = {IDYES};
  ASSERT_TRUE(DispatchGadgetEvent(kHistFiltrer, GadgetEvent::Click));
  EXPECT_EQ(ask_.calls.size(), 3u);
  EXPECT_TRUE(FileExists(recent_ + L"jour.lnk"));

  // A shortcut held open without delete sharing stays; the others go, and
  // the message names it with the system's reason.
  for (const wchar_t* name : {L"a.lnk", L"ouvert.lnk", L"z.lnk"}) SetTimes(Make(name), LocalTime(2005, 1, 3, 10, 0));
  HANDLE held = CreateFileW((recent_ + L"ouvert.lnk").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ask_.messageAnswers = {IDYES};
  ASSERT_TRUE(DispatchGadgetEvent(kHistFiltrer, GadgetEvent::Click));
  CloseHandle(held);
  EXPECT_FALSE(FileExists(recent_ + L"a.lnk"));
  EXPECT_FALSE(FileExists(recent_ + L"z.lnk"));
  EXPECT_TRUE(FileExists(recent_ + L"ouvert.lnk"));
  ASSERT_EQ(ask_.calls.size(), 5u);
  EXPECT_EQ(ask_.calls[4].title, L"Erreur!");
  EXPECT_EQ(ask_.calls[4].text,
            L"Erreur survenue lors de la suppression des fichiers. Ces raccourcis n'ont pu \u00EAtre supprim\u00E9s :"
            L"\r\nouvert.lnk : " + ShellErrorText(ERROR_SHARING_VIOLATION) + L"\r\n");
}

std::wstring CellText(int gadget, int row, int column) {
  wchar_t text[MAX_PATH] = {};
  ListView_GetItemText(FolderList(gadget)->Hwnd(), row, column, text, MAX_PATH);
  return text;
}

TEST_F(RecentTab, TargetColumnShowsWhereShortcutsPointAndTheDeadOnesCanGo) {
  const std::wstring kept = root_ + L"gard\u00E9.txt";
  const std::wstring gone = root_ + L"parti.txt";
  ASSERT_TRUE(WriteAll(kept, "l\u00E0"));
  ASSERT_TRUE(WriteAll(gone, "bient\u00F4t parti"));
  ASSERT_TRUE(SaveShellLink(recent_ + L"vivant.lnk", kept));
  ASSERT_TRUE(SaveShellLink(recent_ + L"mort.lnk", gone));
  ASSERT_TRUE(DeleteFileW(gone.c_str()));
  Make(L"note.txt");
  ListRecentFolder();
  ASSERT_EQ(List(kRecentList).RowCount(), 3);

  wchar_t title[32] = {};
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = title;
  column.cchTextMax = 32;
  ASSERT_TRUE(ListView_GetColumn(List(kRecentList).Hwnd(), 4, &column));
  EXPECT_STREQ(title, L"Cible");
  EXPECT_EQ(CellText(kRecentList, RowOf(kRecentList, L"vivant.lnk"), 4), kept);
  EXPECT_EQ(CellText(kRecentList, RowOf(kRecentList, L"mort.lnk"), 4), gone) << "a gone target still shows";
  EXPECT_EQ(CellText(kRecentList, RowOf(kRecentList, L"note.txt"), 4), L"") << "not a shortcut";

  ask_.messageAnswers = {IDNO};
  ASSERT_TRUE(DispatchCommand(CmdRecentMorts));
  ASSERT_EQ(ask_.calls.size(), 1u);
  EXPECT_EQ(ask_.calls[0].title, L"Raccourcis morts");
  EXPECT_EQ(ask_.calls[0].text,
            L"Voulez-vous supprimer d\u00E9finitivement le raccourci dont la cible n'existe plus ?");
  EXPECT_TRUE(FileExists(recent_ + L"mort.lnk")) << "No deletes nothing";

  ask_.messageAnswers = {IDYES};
  ASSERT_TRUE(DispatchCommand(CmdRecentMorts));
  EXPECT_EQ(ask_.calls.size(), 2u) << "no error box";
  EXPECT_FALSE(FileExists(recent_ + L"mort.lnk"));
  EXPECT_TRUE(FileExists(recent_ + L"vivant.lnk"));
  EXPECT_TRUE(FileExists(recent_ + L"note.txt"));

  // None left: said so, nothing asked.
  ASSERT_TRUE(DispatchCommand(CmdRecentMorts));
  ASSERT_EQ(ask_.calls.size(), 3u);
  EXPECT_EQ(ask_.calls[2].text, L"Aucun raccourci dont la cible n'existe plus.");
  EXPECT_EQ(ask_.calls[2].type, kInformationBox);
  EXPECT_TRUE(FileExists(recent_ + L"vivant.lnk"));
}

TEST_F(RecentTab, DeleteSelectedTakesReadOnlyFilesLeavesFoldersAndReportsFailures) {
  const std::wstring locked = Make(L"ouvert.lnk");
  SetFileAttributesW(Make(L"lecture seule.lnk").c_str(), FILE_ATTRIBUTE_READONLY);
  Make(L"autre.lnk");
  Make(L"garde.lnk");
  ASSERT_TRUE(CreateDirectoryW((recent_ + L"dossier").c_str(), nullptr));
  ListRecentFolder();
  SelectRows(kRecentList, {L"lecture seule.lnk", L"autre.lnk", L"dossier"});

  ASSERT_TRUE(DispatchCommand(CmdRecentSupprSelect));
  EXPECT_TRUE(ask_.calls.empty()) << "no question, no error";
  EXPECT_FALSE(FileExists(recent_ + L"lecture seule.lnk"));
  EXPECT_FALSE(FileExists(recent_ + L"autre.lnk"));
  EXPECT_TRUE(FileExists(recent_ + L"garde.lnk"));
  EXPECT_TRUE(IsDirectory(recent_ + L"dossier"));
  EXPECT_TRUE(PumpUntil([] { return FirstColumnTitle(kRecentList).starts_with(L"3 liens"); }, kHangMs));

  // A file held open without delete sharing cannot go: one line per failure,
  // the others still go.
  ListRecentFolder();
  SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY);
  HANDLE held = CreateFileW(locked.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  SelectRows(kRecentList, {L"ouvert.lnk", L"garde.lnk"});
  ASSERT_TRUE(DispatchGadgetEvent(kHistSupprimerRacc, GadgetEvent::Click));
  CloseHandle(held);
  ASSERT_EQ(ask_.calls.size(), 1u);
  ExpectBox(ask_.calls[0], L"Erreur!", L"Le Fichier ouvert.lnk n'a pu \u00EAtre supprim\u00E9\r", kErrorBox);
  EXPECT_FALSE(FileExists(recent_ + L"garde.lnk"));
  EXPECT_TRUE(FileExists(locked));
  EXPECT_TRUE(GetFileAttributesW(locked.c_str()) & FILE_ATTRIBUTE_READONLY) << "a file that stays keeps its attributes";
}

TEST_F(RecentTab, DeleteAllAsksFirst) {
  Make(L"a.lnk");
  PointRecentListAtRecentFolder(App());
  ask_.messageAnswers = {IDNO, IDYES};
  ASSERT_TRUE(DispatchCommand(CmdRecentSupprTout));
  ASSERT_EQ(ask_.calls.size(), 1u);
  EXPECT_EQ(ask_.calls[0].title, L"Effacer fichiers r\u00E9cents");
  EXPECT_EQ(ask_.calls[0].text,
            L"\u00CAtes-vous s\u00FBr(e) de vouloir effacer tous les raccourcis vers les fichiers consult\u00E9s ?");
  EXPECT_EQ(ask_.calls[0].type, static_cast<UINT>(MB_YESNO)) << "no icon";
  EXPECT_TRUE(FileExists(recent_ + L"a.lnk"));
  // Yes hands the work to the system (under Wine it only clears a registry
  // key, so the files themselves are not checked here).
  ASSERT_TRUE(DispatchGadgetEvent(kHistSupprimerTout, GadgetEvent::Click));
  EXPECT_EQ(ask_.calls.size(), 2u);
  EXPECT_EQ(FirstColumnTitle(kRecentList), RecentCountHeader(List(kRecentList).RowCount()));
}

TEST_F(RecentTab, AddEntryHandsTheChosenFileToTheSystem) {
  // The system writes its shortcut into its own recent folder.
  const std::wstring systemRecent = SpecialFolderPath(CSIDL_RECENT);
  ASSERT_FALSE(systemRecent.empty());
  const std::wstring name = L"essai-" + std::to_wstring(GetTickCount()) + L".txt";
  const std::wstring file = root_ + name;
  ASSERT_TRUE(WriteAll(file, "x"));

  ask_.fileAnswers = {L""};  // cancelled: nothing
  ASSERT_TRUE(DispatchGadgetEvent(kHistCreerRacc, GadgetEvent::Click));
  ASSERT_EQ(ask_.calls.size(), 1u);
  ExpectDialog(ask_.calls[0], Kind::OpenFile, L"Selection Fichiers", L"c:\\");

  ask_.fileAnswers = {file};
  ASSERT_TRUE(DispatchGadgetEvent(kHistCreerRacc, GadgetEvent::Click));
  const std::wstring shortcut = systemRecent + name + L".lnk";
  EXPECT_TRUE(WaitFor([&] { return FileExists(shortcut); }, kHangMs));
  RemovePath(shortcut);
}

TEST_F(RecentTab, OpeningAnEntryThatWentAwayExplainsWhy) {
  const std::wstring path = Make(L"parti.lnk");
  ListRecentFolder();
  SelectRows(kRecentList, {L"parti.lnk"});
  // Gone before the list hears of it.
  ASSERT_TRUE(DeleteFileW(path.c_str()));
  ASSERT_TRUE(DispatchGadgetEvent(kRecentList, GadgetEvent::DoubleClick));
  ASSERT_EQ(ask_.calls.size(), 1u);
  ExpectBox(ask_.calls[0], L"Fichier r\u00E9cent...",
            L"Erreur!\nLe fichier n'est plus disponible.\nSoit il a \u00E9t\u00E9 supprim\u00E9, soit il a "
            L"\u00E9t\u00E9 d\u00E9plac\u00E9.",
            kWarningBox);

  ASSERT_TRUE(DispatchCommand(CmdRecentOuvrir));
  ASSERT_EQ(ask_.calls.size(), 2u);
  ExpectBox(ask_.calls[1], L"Erreur!", L"Impossible d'ouvrir parti.lnk", kErrorBox);

  // Without a selected focused row nothing is opened and nothing is said.
  ListView_SetItemState(List(kRecentList).Hwnd(), -1, 0, LVIS_SELECTED);
  ASSERT_TRUE(DispatchCommand(CmdRecentOuvrir));
  ASSERT_TRUE(DispatchGadgetEvent(kRecentList, GadgetEvent::DoubleClick));
  EXPECT_EQ(ask_.calls.size(), 2u);
}

TEST_F(RecentTab, ViewModeMenuActsOnTheListThatOpenedIt) {
  ExplorerListControl& recent = List(kRecentList);
  ExplorerListControl& explorer = List(kExplorerList);
  ExplorerListControl& desktop = List(kDesktopList);
  HMENU menu = PopupMenu(kMenuAffichage);
  auto checked = [&](int command) { return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_CHECKED) != 0; };

  ASSERT_TRUE(DispatchCommand(CmdPetitesIco, {.viewTarget = kRecentList}));
  EXPECT_EQ(recent.DisplayMode(), 1);
  EXPECT_EQ(explorer.DisplayMode(), 3);
  EXPECT_EQ(desktop.DisplayMode(), 0);
  for (int id = CmdLargesIco; id <= CmdModeDetails; ++id) EXPECT_EQ(checked(id), id == CmdPetitesIco);

  ASSERT_TRUE(DispatchCommand(CmdModeListe, {.viewTarget = kExplorerList}));
  EXPECT_EQ(explorer.DisplayMode(), 2);
  EXPECT_EQ(recent.DisplayMode(), 1);
  EXPECT_EQ(desktop.DisplayMode(), 0);
  for (int id = CmdLargesIco; id <= CmdModeDetails; ++id) EXPECT_EQ(checked(id), id == CmdModeListe);

  ASSERT_TRUE(DispatchCommand(CmdModeDetails, {.viewTarget = kRecentList}));
  EXPECT_EQ(recent.DisplayMode(), 3);
  EXPECT_EQ(explorer.DisplayMode(), 2);

  // The desktop list has a drop-down of its own: the menu never reaches it,
  // nor any list when no list opened it.
  ASSERT_TRUE(DispatchCommand(CmdModeListe, {.viewTarget = kDesktopList}));
  ASSERT_TRUE(DispatchCommand(CmdPetitesIco));
  EXPECT_EQ(desktop.DisplayMode(), 0);
  EXPECT_EQ(recent.DisplayMode(), 3);
  EXPECT_EQ(explorer.DisplayMode(), 2);
}

}  // namespace
}  // namespace kelvane::test
