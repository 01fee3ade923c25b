// End-to-end checks of start-up, single instance, hiding and quitting, on the
// real Kelvane.exe.
#include <shlobj.h>

#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "catalog/ids.h"
#include "theme/about_window_win.h"
#include "toolkit/handle_win.h"
#include "toolkit/special_folders_win.h"
#include "win/kelvane_process.h"

namespace kelvane::test {
namespace {

class Spine : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(FindMainWindow(), nullptr) << "another Kelvane is running";
    RemovePath(DataFolderPath());
  }
  void TearDown() override { RemovePath(DataFolderPath()); }

  // Quits through the quit command and expects a clean end.
  static void Quit(KelvaneProcess& process, HWND window, int command = CmdQuitter) {
    PostMessageW(window, WM_COMMAND, command, 0);
    DWORD code = 1234;
    ASSERT_TRUE(process.WaitForExit(15000, &code));
    EXPECT_EQ(code, 0u);
  }
};

// The DLLs the loader maps before the program runs: the import table of
// the file, mapped as an image (its handle's low bits mark that mapping).
std::vector<std::string> StaticImports(const std::wstring& exe) {
  std::vector<std::string> names;
  UniqueModule image(LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  if (!image) return names;
  const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<UINT_PTR>(image.get()) & ~UINT_PTR{3});
  const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const DWORD table = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + table); table && entry->Name; ++entry) {
    std::string name(reinterpret_cast<const char*>(base + entry->Name));
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    names.push_back(name);
  }
  return names;
}

TEST_F(Spine, FirstStartCreatesDataFolderWithThreeEmptyListsAndNoPreferences) {
  const bool realBefore = FileExists(RealDataFolderPath());
  KelvaneProcess kelvane;
  ASSERT_TRUE(kelvane.Start());
  HWND window = kelvane.WaitForMainWindow();
  ASSERT_NE(window, nullptr);

  const std::wstring folder = DataFolderPath() + L"\\";
  EXPECT_TRUE(IsDirectory(DataFolderPath()));
  for (const wchar_t* name : {L"MyApps.txt", L"MyFiles.txt", L"MyLinks.txt"}) {
    EXPECT_TRUE(FileExists(folder + name)) << "missing list file";
    EXPECT_EQ(ReadAll(folder + name), "");
  }
  EXPECT_FALSE(FileExists(folder + L"Kelvane.prefs"));
  Quit(kelvane, window);
  EXPECT_FALSE(FileExists(folder + L"Kelvane.prefs")) << "quitting without auto-backup writes no preferences";
  EXPECT_EQ(FileExists(RealDataFolderPath()), realBefore) << "the test's program made the user's data folder";
  // A test that finds the user's folder in its way fails and deletes nothing.
  EXPECT_NONFATAL_FAILURE(RemovePath(RealDataFolderPath() + L"\\MyApps.txt"), "user's data folder");
  EXPECT_NONFATAL_FAILURE(RemovePath(ProfileFolder()), "user's data folder");
}

TEST_F(Spine, MainWindowHasItsTitleInnerSizeAndLimits) {
  KelvaneProcess kelvane;
  ASSERT_TRUE(kelvane.Start());
  HWND window = kelvane.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  wchar_t title[64] = {};
  GetWindowTextW(window, title, 64);
  EXPECT_STREQ(title, L"Kelvane (x64) ");
  // The search uses the whole title: without its trailing blank nothing is found.
  EXPECT_EQ(FindWindowW(nullptr, L"Kelvane (x64)"), nullptr);

  RECT client{};
  GetClientRect(window, &client);
  EXPECT_GE(client.right, 400);
  EXPECT_GE(client.bottom, 300);

  // The user cannot make it wider than 500 or smaller than 400 x 300.
  MINMAXINFO limits{};
  SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  RECT inner{0, 0, 500, 300};
  AdjustWindowRectEx(&inner, GetWindowLongW(window, GWL_STYLE), FALSE, GetWindowLongW(window, GWL_EXSTYLE));
  EXPECT_EQ(limits.ptMaxTrackSize.x, inner.right - inner.left);
  EXPECT_EQ(limits.ptMinTrackSize.y, inner.bottom - inner.top);
  Quit(kelvane, window);
}

TEST_F(Spine, SecondStartBringsTheFirstForwardAndChangesNothing) {
  KelvaneProcess first;
  ASSERT_TRUE(first.Start());
  HWND window = first.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  // The first instance sits hidden in the tray.
  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }, 5000));
  // A round trip: the first instance has finished hiding before the second starts.
  SendMessageW(window, WM_NULL, 0, 0);

  const std::wstring apps = DataFolderPath() + L"\\MyApps.txt";
  const FILETIME before = LastWriteTime(apps);
  Sleep(50);

  KelvaneProcess second;
  const ULONGLONG started = GetTickCount64();
  ASSERT_TRUE(second.Start());
  DWORD code = 1234;
  ASSERT_TRUE(second.WaitForExit(10000, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_LT(GetTickCount64() - started, 10000u);

  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }, 5000));
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == window; }, 5000));
  const FILETIME after = LastWriteTime(apps);
  EXPECT_EQ(CompareFileTime(&before, &after), 0) << "the second start wrote a file";
  EXPECT_FALSE(FileExists(DataFolderPath() + L"\\Kelvane.prefs"));
  EXPECT_TRUE(first.Running());
  Quit(first, window);
}

TEST_F(Spine, CloseBoxHidesTheWindowAndKeepsTheProcess) {
  KelvaneProcess kelvane;
  ASSERT_TRUE(kelvane.Start());
  HWND window = kelvane.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }, 5000));
  EXPECT_FALSE(kelvane.WaitForExit(1000, nullptr)) << "closing the window ended the program";
  EXPECT_TRUE(IsWindow(window));
  Quit(kelvane, window, CmdTrayQuitter);
}

TEST_F(Spine, PlainFileInPlaceOfTheDataFolderPutsListsInTheCurrentDirectory) {
  {
    HANDLE blocker = CreateFileW(DataFolderPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(blocker, INVALID_HANDLE_VALUE);
    CloseHandle(blocker);
  }
  const std::wstring current = MakeTempFolder();
  KelvaneProcess kelvane;
  ASSERT_TRUE(kelvane.Start(current));
  HWND window = kelvane.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  for (const wchar_t* name : {L"MyApps.txt", L"MyFiles.txt", L"MyLinks.txt"}) {
    EXPECT_TRUE(FileExists(current + name));
  }
  EXPECT_FALSE(IsDirectory(DataFolderPath())) << "the plain file must stay as it was";
  EXPECT_TRUE(FileExists(DataFolderPath()));
  Quit(kelvane, window);
  RemovePath(current);
}

TEST_F(Spine, HelpOpensTheHelpFileOfTheCurrentDirectoryOrBesideTheProgramAndClosesAtQuit) {
  std::wstring folder = KelvaneExePath();
  folder.resize(folder.find_last_of(L'\\') + 1);
  ASSERT_TRUE(FileExists(folder + L"Kelvane Help.chm"));
  // Started from its own folder, then from one without the help file.
  const std::wstring elsewhere = MakeTempFolder();
  for (const std::wstring& current : {folder, elsewhere}) {
    KelvaneProcess kelvane;
    ASSERT_TRUE(kelvane.Start(current));
    HWND window = kelvane.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_COMMAND, CmdAide, 0);
    EXPECT_TRUE(WaitFor([] { return FindWindowW(nullptr, L"Tamorin Kelvane Help") != nullptr; }, 10000))
        << std::string(current.begin(), current.end());
    Quit(kelvane, window);
    EXPECT_EQ(FindWindowW(nullptr, L"Tamorin Kelvane Help"), nullptr);
  }
  RemovePath(elsewhere);
}

// Only the copy's own folder may be touched: the variable pointing every
// other test at its private folder is left out of the copy's environment.
TEST_F(Spine, APortableCopyKeepsItsDataBesideItselfAndTheAboutWindowSaysWhere) {
  const std::wstring copy = MakeTempFolder();
  ASSERT_TRUE(CopyFileW(KelvaneExePath().c_str(), (copy + L"Kelvane.exe").c_str(), FALSE));
  ASSERT_TRUE(WriteAll(copy + L"Kelvane.portable", ""));
  KelvaneProcess kelvane;
  ASSERT_TRUE(kelvane.Start(L"", L"", copy + L"Kelvane.exe"));
  HWND window = kelvane.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(FileExists(copy + L"Tamorin Kelvane\\MyApps.txt"));
  PostMessageW(window, WM_COMMAND, CmdInfo, 0);
  HWND text = nullptr;
  ASSERT_TRUE(WaitFor(
      [&] {
        HWND about = FindWindowW(kAboutWindowClass, nullptr);
        return about && (text = FindGadgetWindow(about, kAboutText)) != nullptr;
      },
      10000));
  wchar_t shown[4096] = {};
  SendMessageW(text, WM_GETTEXT, std::size(shown), reinterpret_cast<LPARAM>(shown));
  const std::wstring about = shown;
  EXPECT_NE(about.find(copy + L"Tamorin Kelvane\\"), std::wstring::npos);
  EXPECT_NE(about.find(L"Copie portable"), std::wstring::npos);
  Quit(kelvane, window);
  RemovePath(copy);
}

// The program starts without the shell, OLE and user-profile DLLs: they
// load at their first call (the profile's on the thread that makes the data
// folder while the window is made, the others' once it shows).
TEST(Start, TheShellAndOleLoadAtTheirFirstCallAndTheProfileIsTheShells) {
  const std::vector<std::string> imports = StaticImports(KelvaneExePath());
  ASSERT_THAT(imports, testing::Contains("user32.dll"));
  for (const char* late : {"shell32.dll", "ole32.dll", "oleaut32.dll", "oleacc.dll", "userenv.dll"}) {
    EXPECT_THAT(imports, testing::Not(testing::Contains(late)));
  }
  const std::wstring profile = UserProfileFolder();
  EXPECT_FALSE(profile.empty());
  EXPECT_EQ(profile, SpecialFolderPath(CSIDL_PROFILE));
}

}  // namespace
}  // namespace kelvane::test
