// The file clipboard against the system clipboard: what the program puts
// there as another program reads it, what another program puts there as the
// program pastes it, the paste-related commands, the question at quit, and
// the clipboard viewer.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include "app/popup_menus.h"
#include "explorer/clipboard_window_win.h"
#include "explorer/file_clipboard_win.h"
#include "theme/colour_layer_win.h"
#include "theme/dark_mode_win.h"
#include "toolkit/tool_button_win.h"
#include "win/explorer_fixture.h"

namespace kelvane::test {
namespace {

using Kind = ScriptedRequesters::Kind;
using Names = std::vector<std::wstring>;

std::wstring ProgramPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

// This test program again, as the clipboard client of clipboard_client_test.cpp.
HANDLE StartClient(const wchar_t* mode, const std::wstring& file) {
  SetEnvironmentVariableW(L"KELVANE_CLIENT_MODE", mode);
  SetEnvironmentVariableW(L"KELVANE_CLIENT_FILE", file.c_str());
  std::wstring command = L"\"" + ProgramPath() +
                         L"\" --gtest_also_run_disabled_tests --gtest_filter=ClipboardClientProcess.DISABLED_Run";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const BOOL started =
      CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  SetEnvironmentVariableW(L"KELVANE_CLIENT_MODE", nullptr);
  SetEnvironmentVariableW(L"KELVANE_CLIENT_FILE", nullptr);
  if (!started) return nullptr;
  CloseHandle(process.hThread);
  return process.hProcess;
}

bool WaitForProcess(HANDLE process) {
  const bool ended = PumpUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, 60000);
  DWORD code = 1;
  GetExitCodeProcess(process, &code);
  CloseHandle(process);
  return ended && code == 0;
}

std::wstring ReadUtf16(const std::wstring& path) {
  const std::string bytes = ReadAll(path);
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

// What another program sees on the clipboard: "effect=..", "formats=..", paths.
Names SeenByClient(const std::wstring& scratch) {
  const std::wstring out = scratch + L"client-read.txt";
  HANDLE client = StartClient(L"read", out);
  if (!client || !WaitForProcess(client)) return {L"<client failed>"};
  Names lines;
  const std::wstring text = ReadUtf16(out);
  size_t start = 0;
  for (size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
    // Wine's DragQueryFileW counts an empty list as one empty name.
    if (end > start) lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

bool ButtonEnabled(int gadget) { return IsWindowEnabled(Gadget(gadget)) != FALSE; }
bool ButtonsEnabled(bool enabled) {
  for (int gadget : {kExplColler, kExplVider, kExplVoirPressePapier}) {
    if (ButtonEnabled(gadget) != enabled) return false;
  }
  return true;
}
int ViewerRows() { return ListView_GetItemCount(Gadget(kClipboardFileList)); }

// Empties the clipboard as another program would, past the program's commands.
void EmptyClipboardBehindTheProgram() {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
}
bool PasteEntryEnabled() {
  return !(GetMenuState(PopupMenu(kMenuExplorer), CmdExplColler, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}

class FileClipboard : public ExplorerTest {
 protected:
  void TearDown() override {
    CloseClipboardWindow();
    EmptySystemClipboard(App());
    ExplorerTest::TearDown();
  }
  // scratch_ holds the client's files; root_ what the list shows.
  void SetUp() override {
    ExplorerTest::SetUp();
    scratch_ = root_ + L"scratch\\";
    ASSERT_TRUE(CreateDirectoryW(scratch_.c_str(), nullptr));
  }
  std::wstring scratch_;
};

TEST_F(FileClipboard, CopyPutsOnlyTheSelectedPathsThatAnotherProgramReadsBack) {
  ASSERT_TRUE(CreateDirectoryW((root_ + L"Photos d'\u00E9t\u00E9").c_str(), nullptr));
  ASSERT_TRUE(MakeFile(root_ + L"r\u00E9sum\u00E9.txt"));
  ASSERT_TRUE(MakeFile(root_ + L"other.txt"));
  ShowRoot();
  EmptyFileClipboard(App());
  EXPECT_FALSE(ButtonEnabled(kExplColler));
  EXPECT_FALSE(PasteEntryEnabled());

  Select({L"..", L"Photos d'\u00E9t\u00E9", L"r\u00E9sum\u00E9.txt"});
  DispatchGadgetEvent(kExplCopier, GadgetEvent::Click);
  EXPECT_TRUE(ask_.calls.empty());
  // One format, no move hint; the folder without its final backslash.
  EXPECT_EQ(SeenByClient(scratch_),
            (Names{L"effect=0", L"formats=1", root_ + L"Photos d'\u00E9t\u00E9", root_ + L"r\u00E9sum\u00E9.txt"}));
  for (int gadget : {kExplColler, kExplVider, kExplVoirPressePapier}) EXPECT_TRUE(ButtonEnabled(gadget));
  EXPECT_TRUE(PasteEntryEnabled());
  EXPECT_EQ(ReadClipboardFiles(), root_ + L"Photos d'\u00E9t\u00E9\\\n" + root_ + L"r\u00E9sum\u00E9.txt");

  // The block itself: a 20-byte header, wide paths.
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_HDROP);
  ASSERT_NE(data, nullptr);
  const auto* header = static_cast<const DROPFILES*>(GlobalLock(data));
  EXPECT_EQ(header->pFiles, 20u);
  EXPECT_EQ(header->fWide, TRUE);
  EXPECT_EQ(header->pt.x, 0);
  EXPECT_EQ(header->fNC, FALSE);
  GlobalUnlock(data);
  CloseClipboard();

  // Nothing selected (".." only): still a success, an item with no file.
  Select({L".."});
  DispatchCommand(CmdExplCopier);
  EXPECT_TRUE(ask_.calls.empty());
  EXPECT_TRUE(ClipboardHasFiles());
  EXPECT_EQ(SeenByClient(scratch_), (Names{L"effect=0", L"formats=1"}));
  EXPECT_EQ(ReadClipboardFiles(), L"");
}

TEST_F(FileClipboard, FilesCutInAnotherProgramArePastedAsACopyAndStayAtTheirSource) {
  // Sources outside the shown folder, one of them gone before the paste.
  const std::wstring source = scratch_ + L"source\\";
  ASSERT_TRUE(CreateDirectoryW(source.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW((source + L"Dossier").c_str(), nullptr));
  ASSERT_TRUE(MakeFile(source + L"Dossier\\inner.txt", "inner"));
  ASSERT_TRUE(MakeFile(source + L"\u00E9t\u00E9.txt", "summer"));
  ASSERT_TRUE(MakeFile(source + L"gone.txt"));
  ASSERT_TRUE(WriteAll(scratch_ + L"put.txt", ""));
  {
    const std::wstring lines = source + L"Dossier\n" + source + L"\u00E9t\u00E9.txt\n" + source + L"gone.txt";
    HANDLE file = CreateFileW((scratch_ + L"put.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, lines.data(), static_cast<DWORD>(lines.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
  }
  // The buttons and the open viewer follow the other program's clipboard at once.
  EmptyClipboardBehindTheProgram();
  ASSERT_TRUE(PumpUntil([] { return ButtonsEnabled(false); }));
  OpenClipboardWindow(App());
  ASSERT_EQ(ViewerRows(), 0);
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, L"KelvaneClientReady");
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, L"KelvaneClientDone");
  HANDLE client = StartClient(L"put", scratch_ + L"put.txt");
  ASSERT_NE(client, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return WaitForSingleObject(ready, 0) == WAIT_OBJECT_0; }, 60000));
  EXPECT_TRUE(PumpUntil([] { return ButtonsEnabled(true) && ViewerRows() == 3; }, 10000));
  EXPECT_TRUE(PasteEntryEnabled());
  CloseClipboardWindow();
  ASSERT_TRUE(DeleteFileW((source + L"gone.txt").c_str()));

  // The ANSI block reads as wide paths; the folder gets its backslash and
  // the vanished file is left out.
  EXPECT_TRUE(ClipboardHasFiles());
  EXPECT_EQ(ReadClipboardFiles(), source + L"Dossier\\\n" + source + L"\u00E9t\u00E9.txt");

  ShowRoot();
  DispatchGadgetEvent(kExplColler, GadgetEvent::Click);
  DispatchCommand(CmdExplColler);  // again: the clipboard keeps its content
  EXPECT_TRUE(ask_.calls.empty());
  EXPECT_EQ(ReadAll(root_ + L"\u00E9t\u00E9.txt"), "summer");
  EXPECT_EQ(ReadAll(root_ + L"Dossier\\inner.txt"), "inner");
  EXPECT_EQ(ReadAll(source + L"\u00E9t\u00E9.txt"), "summer");
  EXPECT_EQ(ReadAll(source + L"Dossier\\inner.txt"), "inner");
  EXPECT_EQ(Header(), L"Contient 3 fichiers et dossiers");  // scratch, Dossier, été.txt

  // The folder shown goes away behind the list's back (moved: a deleted one
  // lingers while the list watches it): nothing is written in its place,
  // and the user is told.
  const std::wstring gone = root_ + L"parti\\";
  ASSERT_TRUE(CreateDirectoryW(gone.c_str(), nullptr));
  ShowExplorerFolder(App(), gone);
  ASSERT_TRUE(MoveFileW((root_ + L"parti").c_str(), (root_ + L"ailleurs").c_str()));
  DispatchCommand(CmdExplColler);
  EXPECT_EQ(GetFileAttributesW((root_ + L"parti").c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_EQ(ask_.calls.size(), 1u);
  EXPECT_EQ(ask_.calls[0].title, L"Erreur!");
  EXPECT_EQ(ask_.calls[0].text, L"Le dossier " + gone + L" n'existe plus : rien n'a \u00E9t\u00E9 coll\u00E9.");

  SetEvent(done);
  EXPECT_TRUE(WaitForProcess(client));
  CloseHandle(ready);
  CloseHandle(done);

  // Emptied by another program: the buttons and the viewer follow again.
  OpenClipboardWindow(App());
  ASSERT_EQ(ViewerRows(), 3);
  EmptyClipboardBehindTheProgram();
  EXPECT_TRUE(PumpUntil([] { return ButtonsEnabled(false) && ViewerRows() == 0; }, 10000));
  EXPECT_FALSE(PasteEntryEnabled());
}

TEST_F(FileClipboard, EmptyingDisablesThePasteCommandsAndQuitAsksToKeepFiles) {
  ASSERT_TRUE(MakeFile(root_ + L"a.txt"));
  const Names paths{root_ + L"a.txt"};
  ASSERT_TRUE(PutFilesOnClipboard(App(), paths));
  UpdatePasteState(App(), PasteScope::Full);
  for (int gadget : {kExplColler, kExplVider, kExplVoirPressePapier}) EXPECT_TRUE(ButtonEnabled(gadget));

  DispatchGadgetEvent(kExplVider, GadgetEvent::Click);
  EXPECT_FALSE(ClipboardHasFiles());
  for (int gadget : {kExplColler, kExplVider, kExplVoirPressePapier}) EXPECT_FALSE(ButtonEnabled(gadget));
  EXPECT_FALSE(PasteEntryEnabled());

  // A folder change refreshes the paste entry and button at once, the
  // clipboard's notice of the change all three.
  ASSERT_TRUE(PutFilesOnClipboard(App(), paths));
  ShowRoot();
  EXPECT_TRUE(ButtonEnabled(kExplColler));
  EXPECT_TRUE(PasteEntryEnabled());
  EXPECT_TRUE(PumpUntil([] { return ButtonsEnabled(true); }));

  // At quit: Yes keeps the files, No empties the clipboard; nothing asked without files.
  ask_.messageAnswers = {IDYES, IDNO};
  AskToKeepClipboardFilesAtQuit(App());
  ASSERT_EQ(ask_.calls.size(), 1u);
  ExpectBox(ask_.calls[0], L"Presse-papier",
            L"Des fichiers sont pr\u00E9sents dans le presse-papier, voulez-vous les conserver pour un usage "
            L"ult\u00E9rieur ?",
            static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_TRUE(ClipboardHasFiles());
  AskToKeepClipboardFilesAtQuit(App());
  EXPECT_FALSE(ClipboardHasFiles());
  AskToKeepClipboardFilesAtQuit(App());
  EXPECT_EQ(ask_.calls.size(), 2u);
}

class ClipboardWindow : public FileClipboard {};

std::wstring CellText(HWND list, int row, int column) {
  wchar_t text[512] = {};
  ListView_GetItemText(list, row, column, text, 512);
  return text;
}

int RowImage(HWND list, int row) {
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  ListView_GetItem(list, &item);
  return item.iImage;
}

std::wstring StatusText() {
  wchar_t text[256] = {};
  SendMessageW(Gadget(kClipboardStatusBar), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
  return text;
}

TEST_F(ClipboardWindow, ShowsEachPathWithItsSizeAndAVanishedOneAsSuch) {
  ASSERT_TRUE(CreateDirectoryW((root_ + L"Dossier").c_str(), nullptr));
  ASSERT_TRUE(MakeFile(root_ + L"small.txt", std::string(1500, 'x')));
  ASSERT_TRUE(MakeFile(root_ + L"big.bin", std::string(150000, 'x')));
  ASSERT_TRUE(MakeFile(root_ + L"gone.txt"));
  const Names paths{root_ + L"small.txt", root_ + L"Dossier\\", root_ + L"gone.txt", root_ + L"big.bin"};
  ASSERT_TRUE(PutFilesOnClipboard(App(), paths));
  ASSERT_TRUE(DeleteFileW((root_ + L"gone.txt").c_str()));
  UpdatePasteState(App(), PasteScope::Full);

  DispatchGadgetEvent(kExplVoirPressePapier, GadgetEvent::Click);
  HWND window = ClipboardWindowHandle();
  ASSERT_NE(window, nullptr);
  wchar_t title[64] = {};
  GetWindowTextW(window, title, 64);
  EXPECT_STREQ(title, L"Contenu du Presse-Papier");
  RECT inner{};
  GetClientRect(window, &inner);
  const UINT dpi = DpiOf(window);
  EXPECT_EQ(inner.right, Scale(600, dpi));
  EXPECT_EQ(inner.bottom, Scale(400, dpi));
  EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME);
  EXPECT_EQ(GadgetText(kClipboardLabel), L"Fichiers actuellement contenu dans le presse-papier");
  EXPECT_EQ(GadgetText(kClipboardClearButton), L"  Effacer");
  EXPECT_EQ(GadgetText(kClipboardCloseButton), L"  Fermer");
  EXPECT_EQ(GadgetToolTipText(Gadget(kClipboardClearButton)), L"Vider et fermer le presse-papier");
  EXPECT_EQ(GadgetToolTipText(Gadget(kClipboardCloseButton)), L"Fermer le presse-papier");

  HWND list = Gadget(kClipboardFileList);
  EXPECT_EQ(ListColumnTitle(list), L"Fichier");
  ASSERT_EQ(ListView_GetItemCount(list), 4);
  EXPECT_EQ(CellText(list, 0, 0), root_ + L"small.txt");
  EXPECT_EQ(CellText(list, 0, 1), L"1.46 Ko");
  EXPECT_EQ(CellText(list, 1, 0), root_ + L"Dossier\\");
  EXPECT_EQ(CellText(list, 1, 1), L"Dossier");
  EXPECT_EQ(CellText(list, 2, 0), root_ + L"gone.txt");
  EXPECT_EQ(CellText(list, 2, 1), L"Inexistant");
  EXPECT_EQ(CellText(list, 3, 1), L"146.5 Ko");
  EXPECT_GE(RowImage(list, 0), 0);
  EXPECT_GE(RowImage(list, 1), 0);
  EXPECT_LT(RowImage(list, 2), 0);
  EXPECT_EQ(StatusText(), L"3 Fichiers actuellement dans le presse-papier");

  // The viewer's colours.
  EXPECT_EQ(GetgadgetColorEx(kClipboardLabel, FrontColor), kClipboardHeadingText);
  EXPECT_EQ(GetgadgetColorEx(kClipboardLabel, BackColor), DarkBase);
  for (int gadget : {kClipboardFileList, kClipboardClearButton, kClipboardCloseButton}) {
    EXPECT_EQ(GetgadgetColorEx(gadget, BackColor), DarkSurface()) << gadget;
  }

  // Closing keeps the clipboard.
  DispatchGadgetEvent(kExplVoirPressePapier, GadgetEvent::Click);  // a second opening replaces the first
  EXPECT_NE(ClipboardWindowHandle(), nullptr);
  SendMessageW(Gadget(kClipboardCloseButton), BM_CLICK, 0, 0);
  EXPECT_EQ(ClipboardWindowHandle(), nullptr);
  EXPECT_EQ(Gadget(kClipboardFileList), nullptr);
  EXPECT_TRUE(ClipboardHasFiles());
}

TEST_F(ClipboardWindow, ClearEmptiesTheClipboardAndTheKeyboardReachesTheButtons) {
  ASSERT_TRUE(MakeFile(root_ + L"a.txt"));
  ASSERT_TRUE(PutFilesOnClipboard(App(), Names{root_ + L"a.txt"}));
  OpenClipboardWindow(App());
  ASSERT_NE(ClipboardWindowHandle(), nullptr);
  PumpMessages();
  // Escape closes, as the close box does.
  MSG escape{Gadget(kClipboardCloseButton), WM_KEYDOWN, VK_ESCAPE, 0};
  EXPECT_TRUE(HandleClipboardWindowMessage(&escape));
  PumpMessages();
  EXPECT_EQ(ClipboardWindowHandle(), nullptr);
  EXPECT_TRUE(ClipboardHasFiles());

  OpenClipboardWindow(App());
  ASSERT_NE(ClipboardWindowHandle(), nullptr);
  // Tab walks from Fermer on to another gadget of the viewer; messages of
  // other windows are not its business.
  SetFocus(Gadget(kClipboardCloseButton));
  MSG tab{Gadget(kClipboardCloseButton), WM_KEYDOWN, VK_TAB, 0};
  EXPECT_TRUE(HandleClipboardWindowMessage(&tab));
  EXPECT_NE(GetFocus(), Gadget(kClipboardCloseButton));
  EXPECT_TRUE(IsChild(ClipboardWindowHandle(), GetFocus()));
  MSG elsewhere{window_, WM_KEYDOWN, VK_TAB, 0};
  EXPECT_FALSE(HandleClipboardWindowMessage(&elsewhere));

  SendMessageW(Gadget(kClipboardClearButton), BM_CLICK, 0, 0);
  EXPECT_EQ(ClipboardWindowHandle(), nullptr);
  EXPECT_FALSE(ClipboardHasFiles());
  for (int gadget : {kExplColler, kExplVider, kExplVoirPressePapier}) EXPECT_FALSE(ButtonEnabled(gadget));

  // Opened on an empty clipboard: an empty list and no count.
  OpenClipboardWindow(App());
  EXPECT_EQ(ListView_GetItemCount(Gadget(kClipboardFileList)), 0);
  EXPECT_EQ(StatusText(), L"");
  SendMessageW(ClipboardWindowHandle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(ClipboardWindowHandle(), nullptr);
}

}  // namespace
}  // namespace kelvane::test
