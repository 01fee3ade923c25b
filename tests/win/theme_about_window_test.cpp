// The about window built in the test process: its texts, its gadgets and
// colours, and what its links do (the system's part replaced by fakes).
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/command_table.h"
#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "assets/image_ids.h"
#include "theme/about_text.h"
#include "theme/about_window_win.h"
#include "theme/colour_layer_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/fonts_win.h"
#include "toolkit/tool_button_win.h"
#include "win/kelvane_process.h"
#include "win/painted_pixels.h"
#include "win/test_windows.h"

namespace kelvane {
namespace {

struct Calls {
  bool addressOpens = true;
  std::vector<std::wstring> addresses;
  std::vector<std::wstring> files;
  std::vector<std::wstring> warnings;  // title + "|" + text
};

Calls& Seen() {
  static Calls calls;
  return calls;
}

const AboutServices kFakes{
    [](const std::wstring& address) {
      Seen().addresses.push_back(address);
      return Seen().addressOpens;
    },
    [](const std::wstring& path) {
      Seen().files.push_back(path);
      return true;
    },
    [](HWND, const std::wstring& title, const std::wstring& text) { Seen().warnings.push_back(title + L"|" + text); },
};

using test::PumpMessages;

// A click as the mouse gives it.
void Click(HWND window) {
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

class AboutWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    AppState& app = App();
    app.windowTitle = BuildWindowTitle();
    app.versionText = L"1.2.02.26";
    app.ownershipLine = L"Copyright \u00A9 2026 Veldran Software. Tous droits r\u00E9serv\u00E9s.";
    HMODULE exe = LoadLibraryExW(test::KelvaneExePath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    app.images.LoadFromResources(exe, kImageResourceBase, kImageCount);
    app.fonts[0] = CreatePointFont(L"Tahoma", 11, FW_NORMAL, DpiOf(nullptr));
    app.fonts[2] = CreatePointFont(L"Tahoma", 10, FW_NORMAL, DpiOf(nullptr));
  }

  void SetUp() override {
    Seen() = Calls{};
    SetAboutServicesForTests(&kFakes);
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    savedFolder_ = folder;
  }

  void TearDown() override {
    CloseAboutWindow();
    SetAboutServicesForTests(nullptr);
    SetCurrentDirectoryW(savedFolder_.c_str());
    PumpMessages();
  }

  std::wstring savedFolder_;
};

std::wstring EditorText(HWND editor) {
  GETTEXTLENGTHEX measure{GTL_DEFAULT, 1200};
  const auto length = SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&measure), 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GETTEXTEX how{};
  how.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  how.flags = GT_DEFAULT;
  how.codepage = 1200;
  const auto copied = SendMessageW(editor, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&how),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return text;
}

TEST_F(AboutWindow, ShowsItsTextsExactly) {
  DispatchCommand(CmdInfo);
  HWND window = AboutWindowHandle();
  ASSERT_TRUE(window);
  EXPECT_TRUE(IsWindowVisible(window));
  wchar_t title[128] = {};
  GetWindowTextW(window, title, 128);
  EXPECT_EQ(std::wstring(title), L"A propos de " + BuildWindowTitle());
  RECT inner{};
  GetClientRect(window, &inner);
  const UINT dpi = DpiOf(nullptr);
  EXPECT_EQ(inner.right, Scale(600, dpi));
  EXPECT_EQ(inner.bottom, Scale(380, dpi));

  HWND editor = Gadget(kAboutText);
  ASSERT_TRUE(editor);
  EXPECT_EQ(EditorText(editor), AboutText(BuildWindowTitle(), L"1.2.02.26", kBuildDate) +
                                    DataFolderLines(App().dataFolder, App().portableData));
  EXPECT_EQ(SendMessageW(editor, EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "read from its first line";
  EXPECT_TRUE(GetWindowLongPtrW(editor, GWL_STYLE) & ES_READONLY);
  EXPECT_EQ(GetParent(editor), Gadget(kAboutPage));

  wchar_t status[256] = {};
  SendMessageW(Gadget(kAboutStatusBar), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(status));
  EXPECT_EQ(std::wstring(status), App().ownershipLine);
  EXPECT_EQ(HIWORD(SendMessageW(Gadget(kAboutStatusBar), SB_GETTEXTLENGTHW, 1, 0)) & SBT_POPOUT, SBT_POPOUT);
  wchar_t text[64] = {};
  GetWindowTextW(Gadget(kAboutClose), text, 64);
  EXPECT_EQ(std::wstring(text), L"Fermer");
  GetWindowTextW(Gadget(kAboutReadMeLink), text, 64);
  EXPECT_EQ(std::wstring(text), L"Lisez-moi");
  EXPECT_EQ(GadgetToolTipText(Gadget(kAboutReadMeLink)), L"Lisez moi");
  EXPECT_EQ(GadgetToolTipText(Gadget(kAboutSiteLink)), std::wstring(L"Se connecter au site web ") + kMakerSiteAddress);

  // A second CmdInfo brings the same window forward.
  DispatchCommand(CmdInfo);
  EXPECT_EQ(AboutWindowHandle(), window);
}

TEST_F(AboutWindow, GadgetsTakeTheDarkLook) {
  OpenAboutWindow(App());
  ASSERT_TRUE(AboutWindowHandle());
  const Colour surface = DarkSurface();
  ASSERT_TRUE(FindColourRecord(kAboutPage));
  EXPECT_EQ(FindColourRecord(kAboutPage)->back, surface);
  EXPECT_EQ(FindColourRecord(kAboutPage)->kind, GadgetKind::Container);
  EXPECT_EQ(FindColourRecord(kAboutClose)->back, surface);
  EXPECT_EQ(OwnGadgetColour(Gadget(kAboutSiteLink), FrontColor), DarkText);
  EXPECT_EQ(OwnGadgetColour(Gadget(kAboutReadMeLink), BackColor), surface);
  EXPECT_EQ(OwnGadgetColour(Gadget(kAboutText), BackColor), DarkBase);
  EXPECT_EQ(WindowNumberOf(AboutWindowHandle()), kAboutWindow);
  // Closing the window releases its records.
  CloseAboutWindow();
  EXPECT_EQ(AboutWindowHandle(), nullptr);
  EXPECT_EQ(FindColourRecord(kAboutPage), nullptr);
  EXPECT_EQ(FindColourRecord(kAboutClose), nullptr);
  EXPECT_EQ(Gadget(kAboutClose), nullptr);
}

TEST_F(AboutWindow, SiteLinkClosesTheWindowWhetherOrNotTheSiteOpens) {
  OpenAboutWindow(App());
  HWND first = AboutWindowHandle();
  ASSERT_TRUE(first);
  Seen().addressOpens = false;
  Click(Gadget(kAboutSiteLink));
  EXPECT_EQ(Seen().addresses, std::vector<std::wstring>{kMakerSiteAddress});
  EXPECT_EQ(Seen().warnings, std::vector<std::wstring>{L"Connexion...|Impossible de se connecter au site"});
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(AboutWindowHandle(), nullptr);

  OpenAboutWindow(App());
  HWND second = AboutWindowHandle();
  ASSERT_TRUE(second);
  Seen().addressOpens = true;
  Click(Gadget(kAboutSiteLink));
  EXPECT_EQ(Seen().addresses.size(), 2u);
  EXPECT_EQ(Seen().warnings.size(), 1u);  // no message when the site opened
  EXPECT_FALSE(IsWindow(second));
}

TEST_F(AboutWindow, ReadMeLinkOpensTheFileOnlyWhenItExists) {
  const std::wstring folder = test::MakeTempFolder();
  ASSERT_TRUE(SetCurrentDirectoryW(folder.c_str()));
  OpenAboutWindow(App());
  ASSERT_TRUE(AboutWindowHandle());
  Click(Gadget(kAboutReadMeLink));
  EXPECT_TRUE(Seen().files.empty());
  EXPECT_TRUE(Seen().warnings.empty());
  EXPECT_TRUE(AboutWindowHandle());  // the window stays

  std::wstring path = folder;
  if (path.back() != L'\\') path.push_back(L'\\');
  path += L"CLUF_Kelvane.txt";
  ASSERT_TRUE(test::WriteAll(path, "Conditions d'utilisation\r\n"));
  EXPECT_EQ(ReadMePath(), path);
  Click(Gadget(kAboutReadMeLink));
  EXPECT_EQ(Seen().files, std::vector<std::wstring>{path});
  EXPECT_TRUE(AboutWindowHandle());
  SetCurrentDirectoryW(savedFolder_.c_str());
  test::RemovePath(folder);
}

TEST_F(AboutWindow, CloseButtonAndCloseBoxCloseIt) {
  OpenAboutWindow(App());
  ASSERT_TRUE(AboutWindowHandle());
  SendMessageW(Gadget(kAboutClose), BM_CLICK, 0, 0);
  EXPECT_EQ(AboutWindowHandle(), nullptr);
  OpenAboutWindow(App());
  HWND window = AboutWindowHandle();
  ASSERT_TRUE(window);
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(AboutWindow, KeyboardWalksItsGadgetsAndEscapeClosesIt) {
  OpenAboutWindow(App());
  HWND window = AboutWindowHandle();
  ASSERT_TRUE(window);
  // What the event loop does for the program's secondary windows.
  SetFocus(Gadget(kAboutClose));
  MSG tab{Gadget(kAboutClose), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_TRUE(IsDialogMessageW(window, &tab));
  EXPECT_NE(GetFocus(), Gadget(kAboutClose)) << "Tab moves the focus on";
  EXPECT_TRUE(IsChild(window, GetFocus()));
  MSG escape{GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  EXPECT_TRUE(IsDialogMessageW(window, &escape));
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(AboutWindowHandle(), nullptr);
}

// The picture gadget as it paints itself (top-down BGRA).
std::vector<uint32_t> PicturePixels() { return test::PrintedPicture(Gadget(kAboutPicture)).pixels; }

std::string PngOfImage(int image) {
  HMODULE exe = LoadLibraryExW(test::KelvaneExePath().c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  HRSRC resource = FindResourceW(exe, MAKEINTRESOURCEW(kImageResourceBase + image), MAKEINTRESOURCEW(10));
  HGLOBAL data = resource ? LoadResource(exe, resource) : nullptr;
  std::string bytes;
  if (data) bytes.assign(static_cast<const char*>(LockResource(data)), SizeofResource(exe, resource));
  return bytes;
}

TEST_F(AboutWindow, PictureFileBesideTheProgramReplacesTheIllustration) {
  std::wstring file = test::KelvaneExePath();
  file.resize(file.find_last_of(L'\\') + 1);
  file += kAboutPictureFile;
  test::RemovePath(file);
  OpenAboutWindow(App());
  ASSERT_TRUE(Gadget(kAboutPicture));
  const std::vector<uint32_t> builtIn = PicturePixels();
  RECT area{};
  GetClientRect(Gadget(kAboutPicture), &area);
  EXPECT_EQ(area.right, Scale(140, DpiOf(nullptr)));
  EXPECT_EQ(area.bottom, Scale(316, DpiOf(nullptr)));
  CloseAboutWindow();

  const std::string png = PngOfImage(31);
  ASSERT_FALSE(png.empty());
  ASSERT_TRUE(test::WriteAll(file, png));
  OpenAboutWindow(App());
  EXPECT_NE(PicturePixels(), builtIn);
  CloseAboutWindow();

  // A file that is no picture is passed over.
  ASSERT_TRUE(test::WriteAll(file, "\x89PNG but not really"));
  OpenAboutWindow(App());
  EXPECT_EQ(PicturePixels(), builtIn);
  CloseAboutWindow();
  test::RemovePath(file);
}

// The real program: CmdInfo from the tool bar opens the window.
TEST(AboutWindowInProgram, CmdInfoOpensIt) {
  test::KelvaneProcess kelvane;
  ASSERT_TRUE(kelvane.Start());
  HWND main = kelvane.WaitForMainWindow();
  ASSERT_TRUE(main);
  PostMessageW(main, WM_COMMAND, CmdInfo, 0);
  const std::wstring title = L"A propos de " + BuildWindowTitle();
  HWND about = nullptr;
  EXPECT_TRUE(test::WaitFor([&] { return (about = FindWindowW(kAboutWindowClass, title.c_str())) != nullptr; }, 10000));
  if (about) PostMessageW(about, WM_CLOSE, 0, 0);
  EXPECT_TRUE(test::WaitFor([&] { return !FindWindowW(kAboutWindowClass, title.c_str()); }, 10000));
  PostMessageW(main, WM_COMMAND, CmdQuitter, 0);
  DWORD code = 0;
  EXPECT_TRUE(kelvane.WaitForExit(20000, &code));
}

}  // namespace
}  // namespace kelvane
