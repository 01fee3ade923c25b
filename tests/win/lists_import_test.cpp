// Imports and drops on the real main window: what the pick list is offered
// (duplicates unticked with their reason), what is added through the tabs'
// add path, what is said, and the pick list window itself.
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <map>
#include <vector>

#include "app/import_commands.h"
#include "app/panel_tabs.h"
#include "app/pick_list_window.h"
#include "explorer/drop_files.h"
#include "import/import_sources_win.h"
#include "import/pick_list.h"
#include "import/list_drop_win.h"
#include "toolkit/list_view_win.h"
#include "win/lists_fixture.h"

namespace kelvane::test {
namespace {

using Kind = ScriptedRequesters::Kind;

class ListsImport : public ListsTest {
 protected:
  void SetUp() override {
    ListsTest::SetUp();
    root_ = MakeTempFolder();
  }
  void TearDown() override {
    RemovePath(root_.substr(0, root_.size() - 1));
    ListsTest::TearDown();
  }

  // Writes a file (its folders made first) under the test's own folder.
  std::wstring Write(const std::wstring& relative, const std::string& bytes) {
    const std::wstring path = root_ + relative;
    SHCreateDirectoryExW(nullptr, FolderPartOf(path).c_str(), nullptr);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
  }

  // A shell link to `target`, saved as `relative`.
  std::wstring Link(const std::wstring& relative, const std::wstring& target) {
    const std::wstring path = root_ + relative;
    SHCreateDirectoryExW(nullptr, FolderPartOf(path).c_str(), nullptr);
    SaveShellLink(path, target);
    return path;
  }

  std::wstring root_;
};

std::string Json(const std::vector<std::pair<std::string, std::string>>& bookmarks) {
  std::string children;
  for (const auto& [name, url] : bookmarks) {
    if (!children.empty()) children += ",";
    children += R"({"type": "url", "name": ")" + name + R"(", "url": ")" + url + R"("})";
  }
  return R"({"roots": {"bookmark_bar": {"type": "folder", "name": "Barre", "children": [)" + children + "]}}}";
}

// The local application data folder pointed elsewhere for a scope.
class ScopedLocalAppData {
 public:
  explicit ScopedLocalAppData(const std::wstring& folder) : old_(LocalAppDataFolder()) {
    SetEnvironmentVariableW(L"LOCALAPPDATA", folder.c_str());
  }
  ~ScopedLocalAppData() { SetEnvironmentVariableW(L"LOCALAPPDATA", old_.empty() ? nullptr : old_.c_str()); }

 private:
  std::wstring old_;
};

std::vector<std::wstring> RowNotes(const std::vector<PickRow>& rows) {
  std::vector<std::wstring> notes;
  for (const PickRow& row : rows) notes.push_back(row.name + L"|" + row.note + (row.ticked ? L"|x" : L"|"));
  return notes;
}

// A data object holding bytes in some formats (HGLOBAL), as a drag source hands over.
class TestData : public IDataObject {
 public:
  void Put(CLIPFORMAT format, const void* bytes, size_t size) {
    const auto* begin = static_cast<const BYTE*>(bytes);
    formats_[format].assign(begin, begin + size);
  }
  void PutText(CLIPFORMAT format, const std::wstring& text) {
    Put(format, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    *object = IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDataObject) ? this : nullptr;
    return *object ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    const auto found = formats_.find(format->cfFormat);
    if (found == formats_.end() || !(format->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, found->second.size());
    memcpy(GlobalLock(memory), found->second.data(), found->second.size());
    GlobalUnlock(memory);
    *medium = STGMEDIUM{};
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return formats_.count(format->cfFormat) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  std::map<CLIPFORMAT, std::vector<BYTE>> formats_;
};

// A drop target that takes nothing: only to try registering a second one.
class NoDropTarget : public IDropTarget {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD*) override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD*) override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD*) override { return E_FAIL; }
};

void PutPaths(TestData& data, const std::vector<std::wstring>& paths) {
  const std::vector<uint8_t> block = BuildDropFilesBlock(paths);
  data.Put(CF_HDROP, block.data(), block.size());
}

TEST_F(ListsImport, BrowserProfilesAreFoundAnywhereAndOnlyTickedNewBookmarksAreAdded) {
  const std::wstring local = root_ + L"Local\\";
  Write(L"Local\\Exemple\\Navigateur\\User Data\\Default\\Bookmarks",
        Json({{"Banque", "https://banque.example/"}, {"M\\u00e9t\\u00e9o", "https://meteo.example/"},
              {"Script", "javascript:void(0)"}, {"Cuisine", "https://cuisine.example/"}}));
  Write(L"Local\\Exemple\\Navigateur\\User Data\\Profile 2\\Bookmarks", Json({{"cuisine", "https://c2.example/"}}));
  Write(L"Local\\Seul\\User Data\\Default\\Bookmarks", Json({{"Journal", "https://journal.example/"}}));
  Write(L"Local\\Exemple\\Navigateur\\User Data\\System Profile\\Bookmarks", Json({{"Non", "https://non.example/"}}));
  Write(L"Local\\Exemple\\Navigateur\\Bookmarks", Json({{"Non plus", "https://non.example/"}}));
  ScopedLocalAppData scope(local);
  App().prefs.CheckSaveList = 1;
  AppendEntry(App().favourites, kLinksKind, {L"BANQUE", L"https://ma-banque.example/"});

  // "Journal" is left unticked by the user; the duplicates come unticked.
  ask_.pickAnswers = {std::vector<bool>{false, true, true, false, false}};
  SelectTab(0);
  DispatchCommand(CmdImportNavigateurs);
  EXPECT_EQ(CurrentTab(), 2);
  ASSERT_EQ(ask_.calls.size(), 2u);
  EXPECT_EQ(ask_.calls[0].kind, Kind::PickRows);
  EXPECT_EQ(ask_.calls[0].title, L"Importer les favoris des navigateurs");
  EXPECT_EQ(ask_.calls[0].text, L"Cochez les favoris \u00E0 ajouter \u00E0 la liste.");
  // Makers and browsers in name order; within one browser the default profile first.
  EXPECT_EQ(RowNotes(ask_.calls[0].rows),
            (std::vector<std::wstring>{L"Banque|d\u00E9j\u00E0 pr\u00E9sent|", L"M\u00E9t\u00E9o||x", L"Cuisine||x",
                                       L"cuisine|en double|", L"Journal||x"}));
  EXPECT_EQ(Names(kLinksKind), (std::vector<std::wstring>{L"BANQUE", L"M\u00E9t\u00E9o", L"Cuisine"}));
  EXPECT_EQ(ask_.calls[1].kind, Kind::Message);
  EXPECT_EQ(ask_.calls[1].text, L"2 favoris ajout\u00E9s, 2 d\u00E9j\u00E0 pr\u00E9sents.");
  EXPECT_EQ(ask_.calls[1].type, static_cast<UINT>(kInformationBox));
  EXPECT_EQ(ListHeader(kLinksKind), L"3 Liens internet list\u00E9s");
  EXPECT_NE(FileBytes(kLinksKind).find("Cuisine\r\nhttps://cuisine.example/\r\n"), std::string::npos);

  // Again, cancelled: nothing is added or said. Then everything ticked: only "Journal" is new.
  DispatchCommand(CmdImportNavigateurs);
  ASSERT_EQ(ask_.calls.size(), 3u);
  ask_.pickAnswers = {std::vector<bool>(5, true)};
  DispatchCommand(CmdImportNavigateurs);
  ASSERT_EQ(ask_.calls.size(), 5u);
  EXPECT_EQ(ask_.calls[4].text, L"1 favori ajout\u00E9, 4 d\u00E9j\u00E0 pr\u00E9sents.");
  EXPECT_EQ(EntryCount(App().favourites, kLinksKind), 4);

  // No profile at all: said so, no pick list.
  ScopedLocalAppData none(root_ + L"Vide\\");
  DispatchCommand(CmdImportNavigateurs);
  EXPECT_EQ(ask_.calls.back().text, L"Aucun favori \u00E0 importer n'a \u00E9t\u00E9 trouv\u00E9.");
}

TEST_F(ListsImport, AnExportedFileShortcutsAndStartMenuProgramsGoToTheirTabs) {
  const std::wstring html = Write(L"favoris.html",
                                  "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n"
                                  "<DT><A HREF=\"https://wiki.example/\">Wiki</A>\n"
                                  "<DT><H3>Dossier</H3><DL><p><DT><A HREF=\"https://plan.example/\">Plan</A></DL><p>\n"
                                  "</DL>\n");
  ask_.fileAnswers = {html};
  ask_.pickAnswers = {std::vector<bool>{true, true}};
  DispatchCommand(CmdImportFichierFavoris);
  ASSERT_EQ(ask_.calls.size(), 3u);
  EXPECT_EQ(ask_.calls[0].kind, Kind::OpenFile);
  EXPECT_EQ(ask_.calls[0].filters, L"Favoris HTML (*.htm, *.html)|*.htm;*.html|Tous fichiers (*.*)|*.*");
  EXPECT_EQ(Names(kLinksKind), (std::vector<std::wstring>{L"Wiki", L"Plan"}));
  EXPECT_EQ(EntryAt(App().favourites, kLinksKind, 1).target, L"https://plan.example/");

  // Internet shortcuts and shell links of a favourites folder and its subfolders.
  const std::wstring notes = Write(L"Docs\\notes.txt", "x");
  Write(L"Favoris\\Actualit\u00E9s.url", "[InternetShortcut]\r\nURL=https://news.example/\r\n");
  Write(L"Favoris\\Sous\\Bidon.url", "[InternetShortcut]\r\nURL=javascript:x\r\n");
  Link(L"Favoris\\Sous\\Notes.lnk", notes);
  Link(L"Favoris\\Docs.lnk", root_ + L"Docs");
  std::vector<PickRow> found = FavouriteShortcutRows({root_ + L"Favoris"});
  std::sort(found.begin(), found.end(), [](const PickRow& a, const PickRow& b) { return a.name < b.name; });
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[0].name, L"Actualit\u00E9s");
  EXPECT_EQ(found[0].target, L"https://news.example/");
  EXPECT_EQ(found[1].target, root_ + L"Docs\\");
  EXPECT_EQ(found[2].target, notes);
  ask_.pickAnswers = {std::vector<bool>{true, true, true}};
  OfferAndAdd(kFilesKind, found, L"Importer les favoris de l'Explorateur");
  EXPECT_EQ(CurrentTab(), 1);
  EXPECT_EQ(Names(kFilesKind), (std::vector<std::wstring>{L"Actualit\u00E9s", L"Docs", L"Notes"}));

  // Start menu: links to programs only, from every level.
  const std::wstring tool = Write(L"Outils\\outil.exe", "MZ");
  Link(L"Menu\\Outil.lnk", tool);
  Link(L"Menu\\Accessoires\\Outil 2.lnk", tool);
  Link(L"Menu\\Lisez-moi.lnk", notes);
  std::vector<PickRow> programs = ProgramShortcutRows({root_ + L"Menu"});
  ASSERT_EQ(programs.size(), 2u);
  EXPECT_EQ(programs[0].name, L"Outil");
  EXPECT_EQ(programs[0].target, tool);
  EXPECT_EQ(programs[1].name, L"Outil 2");
  AppendEntry(App().favourites, kAppsKind, {L"outil", L"C:\\autre\\outil.exe"});
  ask_.pickAnswers = {std::vector<bool>{true, true}};
  OfferAndAdd(kAppsKind, programs, L"Importer les raccourcis du menu D\u00E9marrer");
  EXPECT_EQ(Names(kAppsKind), (std::vector<std::wstring>{L"outil", L"Outil 2"}));
  EXPECT_EQ(ask_.calls.back().text, L"1 favori ajout\u00E9, 1 d\u00E9j\u00E0 pr\u00E9sent.");
}

TEST_F(ListsImport, ThePickListShowsTheRowsTicksAndAnswersOkOrCancel) {
  const std::vector<PickRow> rows = {{L"Un", L"https://un.example/", L"", true},
                                     {L"Deux", L"https://deux.example/", kAlreadyPresentNote, false},
                                     {L"Trois", L"https://trois.example/", L"", true}};
  HWND window = OpenPickListWindow(window_, L"Importer", L"Cochez les favoris", rows);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(PickListWindowHandle(), window);
  HWND list = Gadget(kPickListRows);
  ASSERT_EQ(ListView_GetItemCount(list), 3);
  EXPECT_EQ(RowText(list, 1, 2), L"d\u00E9j\u00E0 pr\u00E9sent");
  EXPECT_EQ(RowText(list, 2, 1), L"https://trois.example/");
  wchar_t status[64] = {};
  SendMessageW(Gadget(kPickListStatusBar), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(status));
  EXPECT_STREQ(status, L"2 sur 3 coch\u00E9s");
  ListView_SetCheckState(list, 0, FALSE);
  ListView_SetCheckState(list, 1, TRUE);
  SendMessageW(window, WM_COMMAND, kPickListOk, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(PickListWindowHandle(), nullptr);
  EXPECT_EQ(PickListAnswer(), (std::vector<bool>{false, true, true}));

  window = OpenPickListWindow(window_, L"Importer", L"Cochez les favoris", rows);
  SendMessageW(window, WM_COMMAND, IDCANCEL, 0);  // Escape
  EXPECT_FALSE(PickListAnswer().has_value());

  // Shown modally: the owner is disabled while it is open, and enabled again.
  static BOOL ownerEnabled = TRUE;
  SetTimer(nullptr, 0, 0, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    ownerEnabled = IsWindowEnabled(App().mainWindow);
    SendMessageW(PickListWindowHandle(), WM_COMMAND, kPickListOk, 0);
  });
  EXPECT_EQ(ShowPickList(window_, L"Importer", L"Cochez", rows), (std::vector<bool>{true, false, true}));
  EXPECT_FALSE(ownerEnabled);
  EXPECT_TRUE(IsWindowEnabled(window_));
}

TEST_F(ListsImport, DropsAddFilesFoldersProgramsAndAddressesWithTheDuplicateRule) {
  // Each list is a registered drop target already.
  NoDropTarget second;
  for (int kind : kListKinds) EXPECT_EQ(RegisterDragDrop(ListView(kind), &second), DRAGDROP_E_ALREADYREGISTERED);

  const std::wstring notes = Write(L"Docs\\notes.txt", "x");
  const std::wstring tool = Write(L"Outils\\outil.exe", "MZ");
  const std::wstring link = Link(L"Bureau\\Mon outil.lnk", tool);
  TestData files;
  PutPaths(files, {notes, root_ + L"Docs", tool});
  EXPECT_TRUE(ListTakesDrop(kFilesKind, &files));
  EXPECT_EQ(DropOnList(App().favourites, kFilesKind, &files), 3);
  EXPECT_EQ(Names(kFilesKind), (std::vector<std::wstring>{L"notes.txt", L"Docs", L"outil.exe"}));
  EXPECT_EQ(EntryAt(App().favourites, kFilesKind, 1).target, root_ + L"Docs\\");
  EXPECT_EQ(ListHeader(kFilesKind), L"3 fichiers list\u00E9s");
  EXPECT_EQ(DropOnList(App().favourites, kFilesKind, &files), 0);
  ASSERT_EQ(ask_.calls.size(), 3u);
  EXPECT_EQ(ask_.calls[1].text, L"Le dossier Docs se trouve d\u00E9j\u00E0 dans votre liste.");

  TestData programs;
  PutPaths(programs, {notes, tool, link});
  EXPECT_EQ(DropOnList(App().favourites, kAppsKind, &programs), 2);
  EXPECT_EQ(Names(kAppsKind), (std::vector<std::wstring>{L"outil.exe", L"Mon outil"}));
  EXPECT_EQ(EntryAt(App().favourites, kAppsKind, 1).target, tool);
  TestData document;
  PutPaths(document, {notes});
  EXPECT_FALSE(ListTakesDrop(kAppsKind, &document));
  EXPECT_FALSE(ListTakesDrop(kLinksKind, &document));

  // A link from a browser, with its title; then plain text that is an address.
  TestData page;
  page.PutText(static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"UniformResourceLocatorW")),
               L"https://www.example.fr/page");
  FILEGROUPDESCRIPTORW group{};
  group.cItems = 1;
  wcscpy(group.fgd[0].cFileName, L"Page d'accueil.url");
  page.Put(static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CFSTR_FILEDESCRIPTORW)), &group, sizeof group);
  EXPECT_EQ(DropOnList(App().favourites, kLinksKind, &page), 1);
  TestData text;
  text.PutText(CF_UNICODETEXT, L" https://autre.example/a?b \r\n");
  EXPECT_EQ(DropOnList(App().favourites, kLinksKind, &text), 1);
  EXPECT_EQ(Names(kLinksKind), (std::vector<std::wstring>{L"Page d'accueil", L"autre.example"}));
  EXPECT_EQ(EntryAt(App().favourites, kLinksKind, 0).target, L"https://www.example.fr/page");
  TestData words;
  words.PutText(CF_UNICODETEXT, L"pas une adresse");
  EXPECT_FALSE(ListTakesDrop(kLinksKind, &words));
}

}  // namespace
}  // namespace kelvane::test
