// What the favourite lists ask of the system for real: starting programs and
// documents, the properties sheet, and the program's own input box with its
// keyboard path.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "lists/list_store_win.h"
#include "toolkit/requesters_win.h"
#include "win/kelvane_process.h"
#include "win/painted_pixels.h"

namespace kelvane::test {
namespace {

class ListsShell : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = MakeTempFolder(); }
  void TearDown() override { RemovePath(folder_.substr(0, folder_.size() - 1)); }
  std::wstring folder_;
};

TEST_F(ListsShell, StartTargetRunsProgramsAndOpensDocumentsWithTheirProgram) {
  // A program (a batch file: process creation runs it through cmd) that
  // leaves a mark beside itself; the path holds a blank, so it must be quoted.
  const std::wstring program = folder_ + L"with blank.cmd";
  ASSERT_TRUE(WriteAll(program, "@echo started> \"%~dp0started.txt\"\r\n"));
  ASSERT_TRUE(StartTarget(program));
  EXPECT_TRUE(WaitFor([&] { return FileExists(folder_ + L"started.txt"); }, 15000));

  // A document of a file type registered for this test: the shell runs its
  // program with the document, from the document's folder.
  ASSERT_TRUE(RegisterTestFileType(L".kvtestdoc", L"KelvaneTestDoc", L"cmd.exe /c copy \"%1\" opened.txt"));
  const std::wstring document = folder_ + L"note.kvtestdoc";
  ASSERT_TRUE(WriteAll(document, "contenu"));
  const bool opened = StartTarget(document);
  const bool copied = WaitFor([&] { return FileExists(folder_ + L"opened.txt"); }, 15000);
  RemoveTestFileType(L".kvtestdoc", L"KelvaneTestDoc");
  EXPECT_TRUE(opened);
  EXPECT_TRUE(copied) << "the document's program runs in the document's folder";
  if (copied) {
    EXPECT_TRUE(WaitFor([&] { return ReadAll(folder_ + L"opened.txt") == "contenu"; }, 5000));
  }

  EXPECT_FALSE(StartTarget(folder_ + L"missing.exe"));
  EXPECT_FALSE(StartTarget(L""));
}

// The properties sheet cannot be shown under every shell; then nothing at
// all may appear, least of all a box that blocks the program.
TEST_F(ListsShell, PropertiesNeverBlockOnAnErrorBox) {
  const std::wstring file = folder_ + L"a.txt";
  ASSERT_TRUE(WriteAll(file, "x"));
  const DWORD thread = GetCurrentThreadId();
  std::atomic<bool> done{false};
  std::atomic<bool> boxSeen{false};
  // Closes any dialog of this thread that would block the call.
  std::thread watchdog([&] {
    const ULONGLONG end = GetTickCount64() + 20000;
    while (!done && GetTickCount64() < end) {
      EnumThreadWindows(
          thread,
          [](HWND window, LPARAM seen) -> BOOL {
            wchar_t cls[16] = {};
            GetClassNameW(window, cls, 16);
            if (IsWindowVisible(window) && std::wstring(cls) == L"#32770") {
              *reinterpret_cast<std::atomic<bool>*>(seen) = true;
              PostMessageW(window, WM_CLOSE, 0, 0);
            }
            return TRUE;
          },
          reinterpret_cast<LPARAM>(&boxSeen));
      Sleep(50);
    }
  });
  ShowProperties(file);
  ShowProperties(folder_);
  ShowProperties(folder_ + L"missing.txt");
  done = true;
  watchdog.join();
  EXPECT_FALSE(boxSeen);
}

// Finds a dialog of the test thread by its title and drives it from another
// thread as a user would from the keyboard.
struct DialogDriver {
  explicit DialogDriver(std::wstring boxTitle) : title(std::move(boxTitle)) {}
  std::wstring title;
  std::wstring seenText, seenPrompt, seenOk, seenCancel;
  DWORD selStart = 99, selEnd = 99;
  bool focusInEdit = false;
  RECT promptRoom{}, promptNeeded{}, boxRect{}, onScreen{};
  int promptInkRight = -1;

  HWND Find(DWORD thread) {
    HWND found = nullptr;
    WaitFor(
        [&] {
          struct Search {
            const std::wstring* title;
            HWND found;
          } search{&title, nullptr};
          EnumThreadWindows(
              thread,
              [](HWND window, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                wchar_t text[128] = {};
                GetWindowTextW(window, text, 128);
                if (IsWindowVisible(window) && *s->title == text) s->found = window;
                return s->found == nullptr;
              },
              reinterpret_cast<LPARAM>(&search));
          found = search.found;
          return found != nullptr;
        },
        10000);
    return found;
  }

  static std::wstring Text(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
  }

  // The prompt measured in its font at its width, and as drawn (the last
  // letter not cut at the edge); the box against its screen.
  void MeasurePrompt(HWND dialog) {
    HWND prompt = GetDlgItem(dialog, 100);
    GetClientRect(prompt, &promptRoom);
    promptNeeded = {0, 0, promptRoom.right, 0};
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(prompt, WM_GETFONT, 0, 0)));
    DrawTextW(dc, seenPrompt.c_str(), -1, &promptNeeded, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    DeleteDC(dc);
    promptInkRight = RightmostInk(PrintedPicture(prompt));
    GetWindowRect(dialog, &boxRect);
    MONITORINFO monitor{sizeof monitor, {}, {}, 0};
    GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor);
    IntersectRect(&onScreen, &boxRect, &monitor.rcWork);
  }
  bool PromptFits() const {
    return promptNeeded.right <= promptRoom.right && promptNeeded.bottom <= promptRoom.bottom &&
           promptInkRight >= 0 && promptInkRight < promptRoom.right - 1;
  }

  // Reads the box, then types `typed` (when given) and presses `key`.
  void Run(DWORD thread, const wchar_t* typed, WPARAM key) {
    HWND box = Find(thread);
    if (!box) return;
    HWND edit = GetDlgItem(box, 101);
    seenText = Text(edit);
    seenPrompt = Text(GetDlgItem(box, 100));
    seenOk = Text(GetDlgItem(box, IDOK));
    seenCancel = Text(GetDlgItem(box, IDCANCEL));
    MeasurePrompt(box);
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    focusInEdit = GetGUIThreadInfo(thread, &gui) && gui.hwndFocus == edit;
    if (typed) SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed));
    PostMessageW(edit, WM_KEYDOWN, key, 0);
    PostMessageW(edit, WM_KEYUP, key, 0xC0000001);
  }
};

TEST(ListsInputBox, ShowsTitlePromptAndTextWithTheCaretAfterItAndAnswersToTheKeyboard) {
  const DWORD thread = GetCurrentThreadId();
  DialogDriver driver{L"Renommer"};
  std::thread typing([&] { driver.Run(thread, L"Nouveau nom", VK_RETURN); });
  const std::optional<std::wstring> answer =
      ShowInputBox(nullptr, L"Renommer", L"Entrez le nouveau nom de votre application", L"notepad.exe");
  typing.join();
  ASSERT_TRUE(answer.has_value());
  EXPECT_EQ(*answer, L"Nouveau nom");
  EXPECT_EQ(driver.seenText, L"notepad.exe");
  EXPECT_EQ(driver.seenPrompt, L"Entrez le nouveau nom de votre application");
  EXPECT_EQ(driver.seenOk, L"OK");
  EXPECT_EQ(driver.seenCancel, L"Annuler");
  EXPECT_EQ(driver.selStart, 11u) << "the caret stands after the text, nothing selected";
  EXPECT_EQ(driver.selEnd, 11u);
  EXPECT_TRUE(driver.focusInEdit);
  EXPECT_TRUE(driver.PromptFits());

  // A long prompt widens the box; a longer one than the screen allows wraps
  // onto more lines. Either way it is shown whole and the box stays on screen.
  const std::wstring search =
      L"Entrez le nom ou une partie du nom de l'\u00E9l\u00E9ment recherch\u00E9 (sensible \u00E0 la casse)";
  for (const std::wstring& prompt : {search, search + L" " + search + L" " + search + L" " + search}) {
    DialogDriver measured{L"Rechercher"};
    std::thread reading([&] { measured.Run(thread, nullptr, VK_ESCAPE); });
    EXPECT_FALSE(ShowInputBox(nullptr, L"Rechercher", prompt, L"").has_value());
    reading.join();
    EXPECT_EQ(measured.seenPrompt, prompt);
    EXPECT_TRUE(measured.PromptFits()) << measured.promptNeeded.bottom << " " << measured.promptInkRight;
    EXPECT_TRUE(EqualRect(&measured.onScreen, &measured.boxRect));
    EXPECT_GT(measured.boxRect.right - measured.boxRect.left, driver.boxRect.right - driver.boxRect.left);
  }

  // Escape cancels, whatever was typed.
  DialogDriver escape{L"Nom du site web"};
  std::thread cancelling([&] { escape.Run(thread, L"ignored", VK_ESCAPE); });
  EXPECT_FALSE(ShowInputBox(nullptr, L"Nom du site web", L"prompt", L"").has_value());
  cancelling.join();

  // Enter on an emptied field answers an empty text (not a cancel).
  DialogDriver emptied{L"Ajouter un lien de site web"};
  std::thread clearing([&] { emptied.Run(thread, L"", VK_RETURN); });
  const auto empty = ShowInputBox(nullptr, L"Ajouter un lien de site web", L"prompt", L"https://");
  clearing.join();
  EXPECT_EQ(emptied.seenText, L"https://");
  ASSERT_TRUE(empty.has_value());
  EXPECT_TRUE(empty->empty());
}

// The real dialogs open with their title in the folder asked for; they are
// answered as a user would, by OK after typing a name or keeping the folder.
TEST_F(ListsShell, RealDialogsOpenWithTheirTitleInTheFolderAskedFor) {
  ASSERT_TRUE(WriteAll(folder_ + L"outil.exe", "MZ"));
  const std::wstring sub = folder_ + L"Dossier choisi";
  ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));
  const DWORD thread = GetCurrentThreadId();
  std::wstring filterSeen;

  std::thread user([&] {
    DialogDriver find(L"S\u00E9lectionner un fichier ex\u00E9cutable");
    HWND dialog = find.Find(thread);
    if (!dialog) return;
    Sleep(1000);  // the dialog fills its lists first
    if (HWND types = GetDlgItem(dialog, cmb1)) filterSeen = DialogDriver::Text(types);
    SetDlgItemTextW(dialog, cmb13, L"outil.exe");
    SetDlgItemTextW(dialog, edt1, L"outil.exe");
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
  const std::wstring file =
      SystemRequesters().OpenFile(nullptr, L"S\u00E9lectionner un fichier ex\u00E9cutable", folder_, L"Fichiers EXE|*.exe");
  user.join();
  EXPECT_TRUE(_wcsicmp(file.c_str(), (folder_ + L"outil.exe").c_str()) == 0) << "got " << std::string(file.begin(), file.end());
  EXPECT_EQ(filterSeen, L"Fichiers EXE");

  std::thread chooser([&] {
    DialogDriver find(L"S\u00E9lectionner un dossier");
    HWND dialog = find.Find(thread);
    if (!dialog) return;
    Sleep(1000);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
  const std::wstring folder = SystemRequesters().BrowseFolder(nullptr, L"S\u00E9lectionner un dossier", sub);
  chooser.join();
  EXPECT_TRUE(_wcsicmp(folder.c_str(), sub.c_str()) == 0) << "the folder selected at first, without final backslash";
}

}  // namespace
}  // namespace kelvane::test
