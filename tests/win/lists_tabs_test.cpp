// The commands of the three favourite tabs on the real main window, the
// dialogs answered by scripted requesters: what is asked, what changes in
// the lists and their headers, and when the files are written.
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdlib>

#include "app/folder_lists.h"
#include "app/panel_tabs.h"
#include "lists/list_rules.h"
#include "toolkit/explorer_list_win.h"
#include "win/lists_fixture.h"

namespace kelvane::test {
namespace {

using Kind = ScriptedRequesters::Kind;

constexpr UINT kInfo = MB_OK | MB_ICONINFORMATION;
constexpr UINT kWarning = MB_OK | MB_ICONWARNING;
constexpr UINT kYesNoWarning = MB_YESNO | MB_ICONWARNING;

class ListsTabs : public ListsTest {};

// Pixels of the list's body (below its header, from a column on) in its
// text colour, as it shows on the screen.
int TextPixelsInBody(HWND list, int fromX) {
  UpdateWindow(list);
  RECT area{};
  GetClientRect(list, &area);
  RECT header{};
  GetWindowRect(ListView_GetHeader(list), &header);
  COLORREF text = ListView_GetTextColor(list);
  if (text == CLR_DEFAULT) text = GetSysColor(COLOR_WINDOWTEXT);
  const uint32_t wanted = (GetRValue(text) << 16) | (GetGValue(text) << 8) | GetBValue(text);
  const std::vector<uint32_t> pixels = ScreenPixels(list);
  int count = 0;
  for (int y = header.bottom - header.top; y < area.bottom; ++y) {
    for (int x = fromX; x < area.right; ++x) count += (pixels[y * area.right + x] & 0xFFFFFF) == wanted;
  }
  return count;
}

// The start of a row's text, halfway down, on the screen.
POINT RowPoint(HWND list, int row) {
  RECT label{};
  ListView_GetItemRect(list, row, &label, LVIR_LABEL);
  POINT point{label.left, (label.top + label.bottom) / 2};
  ClientToScreen(list, &point);
  return point;
}

TEST_F(ListsTabs, ApplicationsRefuseDuplicateNamesUntilRenamedAndKeepTheFileUntilSaved) {
  ask_.fileAnswers = {L"C:\\Tools\\SETUP.EXE", L"D:\\Other\\setup.exe", L"D:\\Other\\setup.exe"};
  SelectTab(2);
  DispatchCommand(CmdAjoutAppli);
  EXPECT_EQ(CurrentTab(), 0);
  ASSERT_EQ(ask_.calls.size(), 1u);
  ExpectDialog(ask_.calls[0], Kind::OpenFile, L"S\u00E9lectionner un fichier ex\u00E9cutable", L"C:\\Program Files\\");
  EXPECT_EQ(ask_.calls[0].filters, L"Fichiers EXE|*.exe");
  EXPECT_EQ(Names(kAppsKind), std::vector<std::wstring>{L"SETUP.EXE"});
  EXPECT_EQ(EntryAt(App().favourites, kAppsKind, 0).target, L"C:\\Tools\\SETUP.EXE");
  EXPECT_EQ(ListHeader(kAppsKind), L"1 applications ex\u00E9cutables list\u00E9es");

  // Same file name, another folder: refused, but the dialog's folder moves on.
  DispatchCommand(CmdAjoutAppli);
  ASSERT_EQ(ask_.calls.size(), 3u);
  EXPECT_EQ(ask_.calls[1].initial, L"C:\\Tools\\");
  EXPECT_EQ(ask_.calls[2].kind, Kind::Message);
  ExpectBox(ask_.calls[2], L"Doublon d\u00E9tect\u00E9",
            L"L'application setup.exe se trouve d\u00E9j\u00E0 dans votre liste.",
            kInfo);
  EXPECT_EQ(EntryCount(App().favourites, kAppsKind), 1);
  EXPECT_EQ(App().defaultAppsFolder, L"D:\\Other\\");

  // Renamed, the entry no longer blocks its old name. Rename keeps the header.
  SetListHeader(kAppsKind, L"kept");
  SelectOnly(kAppsKind, 0);
  ask_.inputAnswers = {L"Installer"};
  DispatchCommand(CmdAppliRenommer);
  ASSERT_EQ(ask_.calls.size(), 4u);
  ExpectDialog(ask_.calls[3], Kind::InputText, L"Renommer", L"SETUP.EXE");
  EXPECT_EQ(ask_.calls[3].text, L"Entrez le nouveau nom de votre application");
  EXPECT_EQ(ListHeader(kAppsKind), L"kept");
  DispatchCommand(CmdAjoutAppli);
  EXPECT_EQ(Names(kAppsKind), (std::vector<std::wstring>{L"Installer", L"setup.exe"}));
  EXPECT_EQ(ListHeader(kAppsKind), L"2 applications ex\u00E9cutables list\u00E9es");

  // Renaming onto another entry's name is allowed; cancelled or emptied changes nothing.
  SelectOnly(kAppsKind, 1);
  ask_.inputAnswers = {L"INSTALLER", std::nullopt, L""};
  DispatchCommand(CmdAppliRenommer);
  DispatchCommand(CmdAppliRenommer);
  DispatchCommand(CmdAppliRenommer);
  EXPECT_EQ(Names(kAppsKind), (std::vector<std::wstring>{L"Installer", L"INSTALLER"}));
  // A cancelled dialog: nothing happens, nothing is said.
  const size_t before = ask_.calls.size();
  DispatchCommand(CmdAjoutAppli);
  EXPECT_EQ(ask_.calls.size(), before + 1);
  EXPECT_EQ(EntryCount(App().favourites, kAppsKind), 2);

  // CheckSaveList 0: nothing written until the lists are saved.
  EXPECT_FALSE(FileExists(FilePath(kAppsKind)));
  DispatchCommand(CmdEnregistrerListes);
  EXPECT_EQ(FileBytes(kAppsKind),
            "2\r\nInstaller\r\nC:\\Tools\\SETUP.EXE\r\nINSTALLER\r\nD:\\Other\\setup.exe\r\n");
  EXPECT_EQ(FileBytes(kFilesKind), "0\r\n");
  EXPECT_EQ(FileBytes(kLinksKind), "0\r\n");
  EXPECT_EQ(ask_.unanswered, 2) << "the duplicate box (OK) and the cancelled dialog";
}

TEST_F(ListsTabs, RemoveAsksWithTheNameAndOnlyYesRemoves) {
  AppendEntry(App().favourites, kAppsKind, {L"a.exe", L"C:\\a.exe"});
  AppendEntry(App().favourites, kAppsKind, {L"b.exe", L"C:\\b.exe"});
  SelectOnly(kAppsKind, 1);
  ask_.messageAnswers = {IDNO, IDYES};
  DispatchCommand(CmdAppliRetirer);
  ASSERT_EQ(ask_.calls.size(), 1u);
  ExpectBox(ask_.calls[0], L"Suppression",
            L"\u00CAtes-vous s\u00FBr(e) de vouloir retirer b.exe de votre liste ?",
            kYesNoWarning);
  EXPECT_EQ(EntryCount(App().favourites, kAppsKind), 2);
  DispatchCommand(CmdAppliRetirer);
  EXPECT_EQ(Names(kAppsKind), std::vector<std::wstring>{L"a.exe"});
  EXPECT_EQ(ListHeader(kAppsKind), L"1 applications ex\u00E9cutables list\u00E9es");
  SelectOnly(kAppsKind, 0);
  ask_.messageAnswers = {IDYES};
  DispatchCommand(CmdAppliRetirer);
  EXPECT_EQ(ListHeader(kAppsKind), L"0 applications ex\u00E9cutables list\u00E9es");
  // Nothing selected: nothing asked.
  DispatchCommand(CmdAppliRetirer);
  EXPECT_EQ(ask_.calls.size(), 3u);

  // Files: the same question and header.
  AppendEntry(App().favourites, kFilesKind, {L"Photos", L"D:\\Photos\\"});
  SelectOnly(kFilesKind, 0);
  ask_.messageAnswers = {IDYES};
  DispatchCommand(CmdFichierRetirer);
  EXPECT_EQ(ask_.calls.back().text, L"\u00CAtes-vous s\u00FBr(e) de vouloir retirer Photos de votre liste ?");
  EXPECT_EQ(ListHeader(kFilesKind), L"0 fichiers list\u00E9s");
}

TEST_F(ListsTabs, SaveOnChangeWritesTheChangedListAfterEveryChange) {
  App().prefs.CheckSaveList = 1;
  ask_.fileAnswers = {L"C:\\Tools\\tool.exe"};
  DispatchCommand(CmdAjoutAppli);
  EXPECT_EQ(FileBytes(kAppsKind), "1\r\ntool.exe\r\nC:\\Tools\\tool.exe\r\n");
  EXPECT_FALSE(FileExists(FilePath(kFilesKind))) << "only the changed list is written";
  SelectOnly(kAppsKind, 0);
  ask_.inputAnswers = {L"\u00C9diteur"};
  DispatchCommand(CmdAppliRenommer);
  EXPECT_EQ(FileBytes(kAppsKind), "1\r\n\xC3\x89" "diteur\r\nC:\\Tools\\tool.exe\r\n");
  ask_.messageAnswers = {IDYES};
  DispatchCommand(CmdAppliRetirer);
  EXPECT_EQ(FileBytes(kAppsKind), "0\r\n");

  // Back to 0: a change leaves the file as it was.
  App().prefs.CheckSaveList = 0;
  ask_.inputAnswers = {L"https://example.org/", L"Exemple"};
  DispatchCommand(CmdAjoutLien);
  EXPECT_FALSE(FileExists(FilePath(kLinksKind)));
  DispatchCommand(CmdEnregistrerListes);
  EXPECT_EQ(FileBytes(kLinksKind), "1\r\nExemple\r\nhttps://example.org/\r\n");
}

TEST_F(ListsTabs, FilesAndFoldersShareOneNameSpaceAndFolderNamesComeFromTheirPath) {
  ask_.fileAnswers = {L"C:\\Docs\\NOTES"};
  DispatchCommand(CmdAjoutFichier);
  EXPECT_EQ(CurrentTab(), 1);
  ASSERT_EQ(ask_.calls.size(), 1u);
  EXPECT_EQ(ask_.calls[0].title, L"S\u00E9lectionner un fichier");
  EXPECT_EQ(ask_.calls[0].initial, L"C:\\users\\");
  EXPECT_EQ(ask_.calls[0].filters, L"Tous fichiers (*.*)|*.*");
  EXPECT_EQ(App().defaultFilesFolder, L"C:\\Docs\\");

  // The folder dialog answers without a final backslash; one is added.
  ask_.folderAnswers = {L"C:\\Docs\\Notes", L"D:\\", L"C:\\Data\\Photos"};
  DispatchCommand(CmdAjoutDossier);
  ASSERT_EQ(ask_.calls.size(), 3u);
  ExpectDialog(ask_.calls[1], Kind::BrowseFolder, L"S\u00E9lectionner un dossier", L"C:\\Docs\\");
  EXPECT_EQ(ask_.calls[2].text, L"Le dossier Notes se trouve d\u00E9j\u00E0 dans votre liste.");
  EXPECT_EQ(ask_.calls[2].type, kInfo);
  EXPECT_EQ(App().defaultFilesFolder, L"C:\\Docs\\Notes\\") << "the picked folder, even when refused";

  DispatchCommand(CmdAjoutDossier);
  DispatchCommand(CmdAjoutDossier);
  EXPECT_EQ(ask_.calls[3].initial, L"C:\\Docs\\Notes\\");
  const std::vector<ListEntry> entries = ReadEntries(App().favourites, kFilesKind);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[1].name, L"D:");
  EXPECT_EQ(entries[1].target, L"D:\\");
  EXPECT_EQ(entries[2].name, L"Photos");
  EXPECT_EQ(entries[2].target, L"C:\\Data\\Photos\\");
  EXPECT_EQ(ListHeader(kFilesKind), L"3 fichiers list\u00E9s");

  // A file named like a folder entry is refused with the file's message.
  ask_.fileAnswers = {L"E:\\photos"};
  DispatchCommand(CmdAjoutFichier);
  EXPECT_EQ(ask_.calls.back().text, L"Le fichier photos se trouve d\u00E9j\u00E0 dans votre liste.");

  // Rename asks as for applications.
  SelectOnly(kFilesKind, 2);
  ask_.inputAnswers = {L"Vacances"};
  DispatchCommand(CmdFichierRenommer);
  EXPECT_EQ(ask_.calls.back().text, L"Entrez le nouveau nom de votre application");
  EXPECT_EQ(ask_.calls.back().initial, L"Photos");
  EXPECT_EQ(EntryAt(App().favourites, kFilesKind, 2).name, L"Vacances");
}

TEST_F(ListsTabs, LinksTakeTwoInputBoxesAndTheirHeaderChangesFormAfterARemoval) {
  ask_.inputAnswers = {L"https://", L"News"};
  DispatchCommand(CmdAjoutLien);
  EXPECT_EQ(CurrentTab(), 2);
  ASSERT_EQ(ask_.calls.size(), 2u);
  EXPECT_EQ(ask_.calls[0].title, L"Ajouter un lien de site web");
  EXPECT_EQ(ask_.calls[0].text, L"Saisissez l'adresse Internet de votre choix");
  EXPECT_EQ(ask_.calls[0].initial, L"https://");
  EXPECT_EQ(ask_.calls[1].title, L"Nom du site web");
  EXPECT_EQ(ask_.calls[1].text, L"Pour simplifier la gestion donnez un nom \u00E0 ce lien");
  EXPECT_EQ(ask_.calls[1].initial, L"");
  EXPECT_EQ(EntryAt(App().favourites, kLinksKind, 0), (ListEntry{L"News", L"https://", 0}));
  EXPECT_EQ(ListHeader(kLinksKind), L"1 Liens internet list\u00E9s");

  // Same name, other address: refused. Cancelling either box adds nothing.
  ask_.inputAnswers = {L"https://other.example/", L"NEWS", std::nullopt, L"https://x/", L""};
  DispatchCommand(CmdAjoutLien);
  EXPECT_EQ(ask_.calls.back().text, L"Le site web NEWS se trouve d\u00E9j\u00E0 dans votre liste.");
  DispatchCommand(CmdAjoutLien);
  DispatchCommand(CmdAjoutLien);
  EXPECT_EQ(EntryCount(App().favourites, kLinksKind), 1);

  // A trailing blank makes another name; the same address may come twice.
  ask_.inputAnswers = {L"https://a.example/", L"Actu", L"https://a.example/", L"Actu "};
  DispatchCommand(CmdAjoutLien);
  DispatchCommand(CmdAjoutLien);
  EXPECT_EQ(Names(kLinksKind), (std::vector<std::wstring>{L"News", L"Actu", L"Actu "}));

  // Removal asks with the address and writes the other form of the header.
  SelectOnly(kLinksKind, 1);
  ask_.messageAnswers = {IDYES};
  DispatchCommand(CmdLienRetirer);
  ExpectBox(ask_.calls.back(), L"Suppression",
            L"\u00CAtes-vous s\u00FBr(e) de vouloir supprimer https://a.example/ de votre liste ?",
            kYesNoWarning);
  EXPECT_EQ(ListHeader(kLinksKind), L"2 liens internet enregistr\u00E9s");
  ask_.inputAnswers = {L"https://b.example/", L"B"};
  DispatchCommand(CmdAjoutLien);
  EXPECT_EQ(ListHeader(kLinksKind), L"3 Liens internet list\u00E9s");

  SelectOnly(kLinksKind, 0);
  ask_.inputAnswers = {L"Nouvelles"};
  DispatchCommand(CmdLienRenommer);
  EXPECT_EQ(ask_.calls.back().text, L"Entrez le nouveau nom pour votre application");
  EXPECT_EQ(EntryAt(App().favourites, kLinksKind, 0).name, L"Nouvelles");
  EXPECT_EQ(EntryAt(App().favourites, kLinksKind, 0).target, L"https://");
}

TEST_F(ListsTabs, OpeningMissingTargetsExplainsAndKeepsTheEntries) {
  const std::wstring gone = folder_ + L"gone.exe";
  AppendEntry(App().favourites, kAppsKind, {L"gone.exe", gone});
  SelectOnly(kAppsKind, 0);
  DispatchGadgetEvent(kAppsList, GadgetEvent::DoubleClick);
  ASSERT_EQ(ask_.calls.size(), 1u);
  ExpectBox(ask_.calls[0], L"Application...",
            L"Erreur!\nL'application n'est plus disponible.\nSoit elle a \u00E9t\u00E9 supprim\u00E9e, soit elle a "
            L"\u00E9t\u00E9 d\u00E9plac\u00E9e.",
            kWarning);
  DispatchCommand(CmdAppliOuvrir);  // no existence test: the start itself fails
  EXPECT_EQ(ask_.calls[1].title, L"D\u00E9marrage programme");
  EXPECT_EQ(ask_.calls[1].text, L"Impossible de d\u00E9marrer l'application gone.exe");
  EXPECT_EQ(EntryCount(App().favourites, kAppsKind), 1);

  AppendEntry(App().favourites, kFilesKind, {L"Rapport", folder_ + L"Rapport\\"});
  SelectOnly(kFilesKind, 0);
  DispatchGadgetEvent(kFilesList, GadgetEvent::DoubleClick);
  EXPECT_EQ(ask_.calls[2].title, L"Fichier...");
  EXPECT_EQ(ask_.calls[2].text,
            L"Erreur!\nLe fichier n'est plus disponible.\nSoit il a \u00E9t\u00E9 supprim\u00E9, soit il a "
            L"\u00E9t\u00E9 d\u00E9plac\u00E9.");
  DispatchCommand(CmdFichierOuvrir);
  EXPECT_EQ(ask_.calls[3].title, L"Ouverture de fichier");
  EXPECT_EQ(ask_.calls[3].text, L"Impossible d'ouvrir le fichier dans son programme par d\u00E9faut");
  EXPECT_EQ(EntryCount(App().favourites, kFilesKind), 1);

  // A document that exists but that nothing opens.
  const std::wstring orphan = folder_ + L"orphan.kvnoassoc";
  ASSERT_TRUE(WriteAll(orphan, "x"));
  AppendEntry(App().favourites, kFilesKind, {L"orphan", orphan});
  SelectOnly(kFilesKind, 1);
  DispatchGadgetEvent(kFilesList, GadgetEvent::DoubleClick);
  EXPECT_EQ(ask_.calls[4].title, L"Fichier...");
  EXPECT_EQ(ask_.calls[4].text, L"Impossible d'ouvrir ce fichier.");

  // An address that no program takes: the name follows the command's text only.
  AppendEntry(App().favourites, kLinksKind, {L"Nulle part", L"kelvanenoscheme://nowhere"});
  SelectOnly(kLinksKind, 0);
  DispatchGadgetEvent(kLinksList, GadgetEvent::DoubleClick);
  EXPECT_EQ(ask_.calls[5].title, L"Connexion...");
  EXPECT_EQ(ask_.calls[5].text, L"Impossible de se connecter au site web");
  DispatchCommand(CmdLienOuvrir);
  EXPECT_EQ(ask_.calls[6].text, L"Impossible de se connecter au site web Nulle part");
  EXPECT_EQ(ask_.calls.size(), 7u);

  // No selection: a double click does nothing.
  SelectOnly(kAppsKind, -1);
  DispatchGadgetEvent(kAppsList, GadgetEvent::DoubleClick);
  EXPECT_EQ(ask_.calls.size(), 7u);
}

TEST_F(ListsTabs, LinksShowImage16FromTheirOwnImageListOthersTheShellIcons) {
  HWND apps = ListView(kAppsKind);
  HWND links = ListView(kLinksKind);
  SHFILEINFOW info{};
  const auto system = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(
      L"C:\\", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES));
  EXPECT_EQ(ListView_GetImageList(apps, LVSIL_SMALL), system);
  EXPECT_EQ(ListView_GetImageList(ListView(kFilesKind), LVSIL_SMALL), system);
  EXPECT_TRUE(GetWindowLongW(apps, GWL_STYLE) & LVS_SHAREIMAGELISTS) << "the shell's list must not be destroyed";
  HIMAGELIST own = ListView_GetImageList(links, LVSIL_SMALL);
  ASSERT_NE(own, nullptr);
  EXPECT_NE(own, system);
  EXPECT_EQ(ImageList_GetImageCount(own), 1);
  EXPECT_FALSE(GetWindowLongW(links, GWL_STYLE) & LVS_SHAREIMAGELISTS);

  // An added application or folder takes the shell's icon of its target.
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  const std::wstring notepad = std::wstring(windows) + L"\\notepad.exe";
  ask_.fileAnswers = {notepad, folder_ + L"missing.exe"};
  DispatchCommand(CmdAjoutAppli);
  DispatchCommand(CmdAjoutAppli);
  EXPECT_GE(EntryAt(App().favourites, kAppsKind, 0).icon, 0);
  // A missing target shows a stand-in image, and its text stands where the others' does.
  EXPECT_GE(EntryAt(App().favourites, kAppsKind, 1).icon, 0);
  RECT present{};
  RECT missing{};
  ASSERT_TRUE(ListView_GetItemRect(apps, 0, &present, LVIR_LABEL));
  ASSERT_TRUE(ListView_GetItemRect(apps, 1, &missing, LVIR_LABEL));
  EXPECT_EQ(missing.left, present.left);
  ask_.folderAnswers = {folder_};
  DispatchCommand(CmdAjoutDossier);
  EXPECT_GE(EntryAt(App().favourites, kFilesKind, 0).icon, 0);
}

TEST_F(ListsTabs, AnEmptyListSaysHowToAddTheFirstEntryUntilItHasOne) {
  ShowWindow(window_, SW_SHOW);
  const int pastRowText = Scale(60, DpiOf(window_));  // right of a short name and its icon
  for (int kind : kListKinds) {
    SelectTab(kind - 1);
    EXPECT_GT(TextPixelsInBody(ListView(kind), pastRowText), 30) << "the hint is written in list " << kind;
  }
  SelectTab(1);
  AppendEntry(App().favourites, kFilesKind, {L"R", L""});
  EXPECT_EQ(TextPixelsInBody(ListView(kFilesKind), pastRowText), 0) << "gone with the first entry";
  RemoveEntry(App().favourites, kFilesKind, 0);
  EXPECT_GT(TextPixelsInBody(ListView(kFilesKind), pastRowText), 30) << "back with the last one removed";
  ShowWindow(window_, SW_HIDE);
}

TEST_F(ListsTabs, TheMenuKeyAndShiftF10OpenTheRowMenuAtTheFocusedRow) {
  ShowWindow(window_, SW_SHOW);
  SetWindowPos(window_, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  for (int kind : kListKinds) {
    SelectTab(kind - 1);
    AppendEntry(App().favourites, kind, {L"Premier", L"C:\\premier"});
    AppendEntry(App().favourites, kind, {L"Second", L"C:\\second"});
    SelectOnly(kind, 1);
    HWND list = ListView(kind);
    const POINT row = RowPoint(list, 1);
    const RECT menu = OpenedMenuRect([&] { SendMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1); });
    ASSERT_GT(menu.bottom, menu.top) << "list " << kind;
    EXPECT_LE(std::abs(menu.left - row.x), 2) << "list " << kind;
    EXPECT_LE(std::abs(menu.top - row.y), 2) << "list " << kind;
  }
  HWND links = ListView(kLinksKind);
  const POINT second = RowPoint(links, 1);
  SetKeyDown(VK_SHIFT, true);
  RECT menu = OpenedMenuRect([&] { SendMessageW(links, WM_SYSKEYDOWN, VK_F10, 0); });
  SetKeyDown(VK_SHIFT, false);
  ASSERT_GT(menu.bottom, menu.top) << "Shift+F10";
  EXPECT_LE(std::abs(menu.top - second.y), 2);

  // A selected row without the focus: at the list's corner. Nothing selected: no menu, as with the mouse.
  ListView_SetItemState(links, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemState(links, 0, LVIS_SELECTED, LVIS_SELECTED);
  POINT corner{0, 0};
  ClientToScreen(links, &corner);
  menu = OpenedMenuRect([&] { SendMessageW(links, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(links), -1); });
  EXPECT_LE(std::abs(menu.left - corner.x), 2);
  EXPECT_LE(std::abs(menu.top - corner.y), 2);
  SelectOnly(kLinksKind, -1);
  menu = OpenedMenuRect([&] { SendMessageW(links, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(links), -1); });
  EXPECT_EQ(menu.bottom, menu.top);

  // The explorer's list, likewise at its focused row.
  SelectTab(4);
  const std::wstring shown = folder_ + L"menu\\";
  ASSERT_TRUE(CreateDirectoryW(shown.c_str(), nullptr));
  ASSERT_TRUE(WriteAll(shown + L"a.txt", "a") && WriteAll(shown + L"b.txt", "b"));
  ExplorerListControl* explorer = FolderList(kExplorerList);
  explorer->SetFolder(shown);
  ASSERT_TRUE(PumpUntil([&] { return !explorer->IsListing() && explorer->RowCount() == 3; }, 10000));
  HWND view = explorer->Hwnd();
  ListView_SetItemState(view, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemState(view, 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  const POINT third = RowPoint(view, 2);
  menu = OpenedMenuRect([&] { SendMessageW(view, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view), -1); });
  ASSERT_GT(menu.bottom, menu.top) << "explorer";
  EXPECT_LE(std::abs(menu.top - third.y), 2);
  explorer->SetFolder(folder_);
  RemovePath(shown.substr(0, shown.size() - 1));
  ShowWindow(window_, SW_HIDE);
}

}  // namespace
}  // namespace kelvane::test
