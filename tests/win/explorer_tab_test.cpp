// The explorer tab's own commands on real folders: the count title and the
// path field after every way of changing folder, rename, new folder, open,
// properties and the search on the PC.
#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <utility>

#include "app/popup_menus.h"
#include "win/explorer_fixture.h"

namespace kelvane::test {
namespace {

using Kind = ScriptedRequesters::Kind;

class ExplorerTab : public ExplorerTest {};

struct ShellCall {
  std::wstring verb;
  std::wstring file;
  int show;
};
std::vector<ShellCall> g_shellCalls;
INT_PTR g_shellResult = 42;

INT_PTR RecordShellCall(const wchar_t* verb, const std::wstring& file, int show) {
  g_shellCalls.push_back({verb ? verb : L"", file, show});
  return g_shellResult;
}

TEST_F(ExplorerTab, EveryFolderChangeRewritesTheCountTitleAndThePath) {
  for (int i = 0; i < 10; ++i) ASSERT_TRUE(MakeFile(root_ + L"f" + std::to_wstring(i) + L".txt"));
  for (const wchar_t* sub : {L"A", L"B", L"C"}) ASSERT_TRUE(CreateDirectoryW((root_ + sub).c_str(), nullptr));
  ASSERT_TRUE(MakeFile(root_ + L"A\\inner.txt"));

  ShowRoot();
  EXPECT_EQ(Header(), L"Contient 13 fichiers et dossiers");  // ".." not counted
  EXPECT_EQ(GadgetText(kExplorerPath), root_);

  // The folder dialog: titled, starting at the documents folder; cancelled, nothing moves.
  ask_.folderAnswers = {L"", root_ + L"A"};
  DispatchCommand(CmdSelectDossier);
  ASSERT_EQ(ask_.calls.size(), 1u);
  ExpectDialog(ask_.calls[0], Kind::BrowseFolder, L"S\u00E9lectionnez un r\u00E9pertoire", App().documentsFolder);
  EXPECT_EQ(List()->Folder(), root_);
  DispatchCommand(CmdSelectDossier);
  EXPECT_EQ(List()->Folder(), root_ + L"A\\");
  EXPECT_EQ(GadgetText(kExplorerPath), root_ + L"A\\");
  EXPECT_EQ(Header(), L"Contient 1 fichiers et dossiers");

  // Enter on ".." in the list: the control goes up and says so.
  Select({L".."});
  SendMessageW(List()->Hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(PumpUntil([&] { return GadgetText(kExplorerPath) == root_; }));
  EXPECT_EQ(List()->Folder(), root_);
  EXPECT_EQ(Header(), L"Contient 13 fichiers et dossiers");

  // A file created behind the list's back shows in the title once listed.
  ASSERT_TRUE(MakeFile(root_ + L"late.txt"));
  EXPECT_TRUE(PumpUntil([] { return Header() == L"Contient 14 fichiers et dossiers"; }));
  DispatchGadgetEvent(kExplRecharger, GadgetEvent::Click);
  EXPECT_EQ(Header(), L"Contient 14 fichiers et dossiers");

  // A folder that cannot be listed is not shown as empty: the title says
  // why, and the folder stays shown.
  const std::wstring gone = root_ + L"A\\";
  ASSERT_TRUE(DeleteFileW((gone + L"inner.txt").c_str()));
  ASSERT_TRUE(RemoveDirectoryW(gone.c_str()));
  ShowExplorerFolder(App(), gone);
  EXPECT_TRUE(PumpUntil([] { return Header().starts_with(L"Ce dossier ne peut \u00EAtre lu : "); }))
      << testing::PrintToString(Header());
  EXPECT_GT(Header().size(), std::wstring(L"Ce dossier ne peut \u00EAtre lu : ").size());
  EXPECT_EQ(List()->Folder(), gone);
  EXPECT_EQ(GadgetText(kExplorerPath), gone);
}

TEST_F(ExplorerTab, SpecialFoldersOpenFromTheMenuAndContactsCountFilesOnly) {
  const std::wstring profile = root_ + L"profile\\";
  ASSERT_TRUE(CreateDirectoryW(profile.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW((profile + L"Contacts").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW((profile + L"Favorites").c_str(), nullptr));
  ASSERT_TRUE(MakeFile(profile + L"Contacts\\anne.contact"));
  ASSERT_TRUE(MakeFile(profile + L"Contacts\\paul.contact"));
  const std::wstring savedProfile = App().profileFolder;
  App().profileFolder = profile;

  DispatchCommand(CmdMesContacts);
  EXPECT_EQ(List()->Folder(), profile + L"Contacts\\");
  EXPECT_EQ(GadgetText(kExplorerPath), profile + L"Contacts\\");
  EXPECT_EQ(Header(), L"Contient 2 fichiers");
  DispatchGadgetEvent(kExplRecharger, GadgetEvent::Click);  // still the contacts
  EXPECT_EQ(Header(), L"Contient 2 fichiers");

  DispatchCommand(CmdMyFavorites);
  EXPECT_EQ(GadgetText(kExplorerPath), profile + L"Favorites\\");
  EXPECT_EQ(Header(), L"Contient 0 fichiers et dossiers");

  // The others come from the system; each jump shows what the menu names.
  for (int command : {CmdMesdocuments, CmdMesimages, CmdMamusique, CmdMesvideos, CmdMesTelecharges}) {
    DispatchCommand(command);
    EXPECT_EQ(GadgetText(kExplorerPath), DossiersMenuFolder(command)) << command;
    EXPECT_EQ(List()->Folder(), DossiersMenuFolder(command)) << command;
  }
  EXPECT_NE(DossiersMenuFolder(CmdMesTelecharges), L"");
  App().profileFolder = savedProfile;
}

TEST_F(ExplorerTab, RenameAsksOncePerSelectedRowAndReportsEachFailure) {
  ASSERT_TRUE(MakeFile(root_ + L"one.txt", "1"));
  ASSERT_TRUE(MakeFile(root_ + L"two.txt", "2"));
  ASSERT_TRUE(MakeFile(root_ + L"taken.txt", "t"));
  ASSERT_TRUE(CreateDirectoryW((root_ + L"Dossier").c_str(), nullptr));
  ShowRoot();
  // By name, so that the questions come in a known order.
  if (List()->SortColumn() != 0) List()->SortByColumn(0);
  if (List()->SortDescending()) List()->SortByColumn(0);

  Select({L"..", L"one.txt", L"two.txt"});
  ask_.inputAnswers = {L"un.txt", L"deux.txt"};
  DispatchCommand(CmdExplRenommer);
  ASSERT_EQ(ask_.calls.size(), 2u);  // ".." is never offered
  for (const auto& call : ask_.calls) {
    EXPECT_EQ(call.kind, Kind::InputText);
    EXPECT_EQ(call.title, L"Renommer");
    EXPECT_EQ(call.text, L"Entrez le nouveau nom pour votre fichier");
  }
  EXPECT_EQ(ask_.calls[0].initial, L"one.txt");
  EXPECT_EQ(ask_.calls[1].initial, L"two.txt");
  EXPECT_EQ(ReadAll(root_ + L"un.txt"), "1");
  EXPECT_EQ(ReadAll(root_ + L"deux.txt"), "2");

  // A folder; a file onto a taken name; a name that would leave the folder;
  // a cancelled question and an empty answer change nothing.
  ShowRoot();
  ask_.calls.clear();
  const std::pair<const wchar_t*, std::optional<std::wstring>> renames[] = {
      {L"Dossier", L"Classeur"}, {L"un.txt", L"taken.txt"}, {L"deux.txt", L"..\\up.txt"},
      {L"taken.txt", std::nullopt}, {L"taken.txt", L""}};
  for (const auto& [name, answer] : renames) {
    Select({name});
    ask_.inputAnswers = {answer};
    DispatchCommand(CmdExplRenommer);
  }
  EXPECT_TRUE(IsDirectory(root_ + L"Classeur"));
  EXPECT_EQ(ReadAll(root_ + L"un.txt"), "1");
  EXPECT_EQ(ReadAll(root_ + L"taken.txt"), "t");
  EXPECT_EQ(ReadAll(root_ + L"deux.txt"), "2");
  EXPECT_FALSE(FileExists(base_ + L"up.txt"));
  const std::wstring fileError =
      L"Erreur, le fichier n'a pu \u00EAtre renomm\u00E9. Il est peut-\u00EAtre en cours d'utilisation, Essayez "
      L"ult\u00E9rieurement.";
  std::vector<std::wstring> messages;
  for (const auto& call : ask_.calls) {
    if (call.kind != Kind::Message) continue;
    EXPECT_EQ(call.title, L"Erreur!");
    EXPECT_EQ(call.type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    messages.push_back(call.text);
  }
  EXPECT_EQ(messages, (std::vector<std::wstring>{fileError, fileError}));

  // A folder that cannot take the name reports the folder's text.
  ASSERT_TRUE(CreateDirectoryW((root_ + L"Autre").c_str(), nullptr));
  ShowRoot();
  Select({L"Classeur"});
  ask_.calls.clear();
  ask_.inputAnswers = {L"Autre"};
  DispatchCommand(CmdExplRenommer);
  ASSERT_EQ(ask_.calls.size(), 2u);
  EXPECT_EQ(ask_.calls[1].text,
            L"Erreur, le dossier n'a pu \u00EAtre renomm\u00E9. Il est peut-\u00EAtre ouvert dans une autre "
            L"application. Essayez ult\u00E9rieurement.");
  EXPECT_TRUE(IsDirectory(root_ + L"Classeur"));
}

TEST_F(ExplorerTab, NewFolderIsMadeInTheShownFolderAndCounted) {
  ASSERT_TRUE(MakeFile(root_ + L"a.txt"));
  ShowRoot();
  EXPECT_EQ(Header(), L"Contient 1 fichiers et dossiers");

  ask_.inputAnswers = {L"Projets \u00E9t\u00E9", L"", std::nullopt, L"Projets \u00E9t\u00E9", L"..\\dehors"};
  DispatchGadgetEvent(kExplNouveauDossier, GadgetEvent::Click);
  ASSERT_EQ(ask_.calls.size(), 1u);
  EXPECT_EQ(ask_.calls[0].title, L"Cr\u00E9er un nouveau dossier");
  EXPECT_EQ(ask_.calls[0].text, L"Saisissez le nom de votre nouveau dossier");
  EXPECT_EQ(ask_.calls[0].initial, L"");
  EXPECT_TRUE(IsDirectory(root_ + L"Projets \u00E9t\u00E9"));
  EXPECT_EQ(Header(), L"Contient 2 fichiers et dossiers");

  DispatchGadgetEvent(kExplNouveauDossier, GadgetEvent::Click);  // empty: nothing
  DispatchGadgetEvent(kExplNouveauDossier, GadgetEvent::Click);  // cancelled: nothing
  EXPECT_EQ(ask_.calls.size(), 3u);
  DispatchGadgetEvent(kExplNouveauDossier, GadgetEvent::Click);  // exists already
  DispatchGadgetEvent(kExplNouveauDossier, GadgetEvent::Click);  // outside the folder
  ASSERT_EQ(ask_.calls.size(), 7u);
  for (size_t i : {4u, 6u}) {
    EXPECT_EQ(ask_.calls[i].title, L"ERREUR!");
    EXPECT_EQ(ask_.calls[i].text, L"Une erreur a emp\u00EAch\u00E9 la cr\u00E9ation de votre nouveau dossier.");
    EXPECT_EQ(ask_.calls[i].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
  }
  EXPECT_FALSE(IsDirectory(base_ + L"dehors"));
}

TEST_F(ExplorerTab, OpenUsesExploreForFoldersAndOpenForFilesAndSearchFindsOnDriveC) {
  ASSERT_TRUE(CreateDirectoryW((root_ + L"Dossier").c_str(), nullptr));
  ASSERT_TRUE(MakeFile(root_ + L"note.txt"));
  ShowRoot();
  g_shellCalls.clear();
  g_shellResult = 42;
  SetExplorerShellExecuteForTests(RecordShellCall);

  Select({L"Dossier"});
  DispatchCommand(CmdExplOuvrir);
  Select({L"note.txt"});
  DispatchCommand(CmdExplOuvrir);
  Select({L".."});
  DispatchCommand(CmdExplOuvrir);  // the parent entry opens nothing
  ASSERT_EQ(g_shellCalls.size(), 2u);
  EXPECT_EQ(g_shellCalls[0].verb, L"explore");
  EXPECT_EQ(g_shellCalls[0].file, root_ + L"Dossier");
  EXPECT_EQ(g_shellCalls[0].show, SW_SHOWNORMAL);
  EXPECT_EQ(g_shellCalls[1].verb, L"open");
  EXPECT_EQ(g_shellCalls[1].file, root_ + L"note.txt");
  EXPECT_TRUE(ask_.calls.empty());

  g_shellResult = SE_ERR_NOASSOC;
  Select({L"note.txt"});
  DispatchCommand(CmdExplOuvrir);
  ASSERT_EQ(ask_.calls.size(), 1u);
  ExpectBox(ask_.calls[0], L"Erreur!", L"Impossible d'ouvrir note.txt", static_cast<UINT>(MB_OK | MB_ICONERROR));

  g_shellCalls.clear();
  DispatchCommand(CmdChercherPC);
  ASSERT_EQ(g_shellCalls.size(), 1u);
  EXPECT_EQ(g_shellCalls[0].verb, L"find");
  EXPECT_EQ(g_shellCalls[0].file, L"C:\\");
  EXPECT_EQ(g_shellCalls[0].show, SW_SHOW);

  // Properties go to the shell without a question (Wine shows no sheet).
  Select({L"note.txt"});
  DispatchCommand(CmdExplProprietes);
  DispatchGadgetEvent(kExplProprietes, GadgetEvent::Click);
  EXPECT_EQ(ask_.calls.size(), 1u);
}

}  // namespace
}  // namespace kelvane::test
