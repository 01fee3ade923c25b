// The Bureau tab on two desktop folders of the test's own: choosing the
// desktop, going back to its top, the view-mode combo and starting items.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "app/popup_menus.h"
#include "recent/desktop_view_win.h"
#include "win/recent_fixture.h"

namespace kelvane::test {
namespace {

void ChooseInCombo(int gadget, int index) {
  SendMessageW(Gadget(gadget), CB_SETCURSEL, index, 0);
  ASSERT_TRUE(DispatchGadgetEvent(gadget, GadgetEvent::Change));
}

class DesktopView : public RecentFixture {
 protected:
  void SetUp() override {
    RecentFixture::SetUp();
    CreateDirectoryW((userDesktop_ + L"Projets").c_str(), nullptr);
    WriteAll(userDesktop_ + L"Projets\\plan.txt", "p");
    WriteAll(userDesktop_ + L"perso.txt", "u");
    CreateDirectoryW((publicDesktop_ + L"Commun").c_str(), nullptr);
    WriteAll(publicDesktop_ + L"public.txt", "c");
    ChooseInCombo(kDesktopSourceCombo, 0);
  }
};

TEST_F(DesktopView, SourceComboAndHomeButtonShowTheChosenDesktopFromItsTop) {
  ExplorerListControl& list = List(kDesktopList);
  EXPECT_EQ(list.Folder(), userDesktop_);
  EXPECT_GE(RowOf(kDesktopList, L"perso.txt"), 0);

  ChooseInCombo(kDesktopSourceCombo, 1);
  EXPECT_EQ(list.Folder(), publicDesktop_);
  EXPECT_GE(RowOf(kDesktopList, L"public.txt"), 0);
  EXPECT_LT(RowOf(kDesktopList, L"perso.txt"), 0);

  // Inside a sub-folder of the public desktop, home goes to the public top.
  list.SetFolder(publicDesktop_ + L"Commun\\");
  ASSERT_TRUE(DispatchGadgetEvent(kDesktopHomeButton, GadgetEvent::Click));
  EXPECT_EQ(list.Folder(), publicDesktop_);

  // Back to the user's desktop, from its top.
  list.SetFolder(publicDesktop_ + L"Commun\\");
  ChooseInCombo(kDesktopSourceCombo, 0);
  EXPECT_EQ(list.Folder(), userDesktop_);
  list.SetFolder(userDesktop_ + L"Projets\\");
  ASSERT_TRUE(DispatchGadgetEvent(kDesktopHomeButton, GadgetEvent::Click));
  EXPECT_EQ(list.Folder(), userDesktop_);
  EXPECT_GE(RowOf(kDesktopList, L"perso.txt"), 0);
}

TEST_F(DesktopView, ViewComboSetsOnlyTheDesktopListsMode) {
  ExplorerListControl& desktop = List(kDesktopList);
  EXPECT_EQ(desktop.DisplayMode(), 0) << "large icons at start";
  HMENU menu = PopupMenu(kMenuAffichage);
  for (int mode : {3, 1, 2, 0}) {
    ChooseInCombo(kDesktopViewCombo, mode);
    EXPECT_EQ(desktop.DisplayMode(), mode);
    EXPECT_EQ(List(kRecentList).DisplayMode(), 3);
    EXPECT_EQ(List(kExplorerList).DisplayMode(), 3);
    EXPECT_TRUE(GetMenuState(menu, CmdModeDetails, MF_BYCOMMAND) & MF_CHECKED) << "the menu is not touched";
  }
  // Colours of its own, whatever the theme.
  EXPECT_EQ(ListView_GetBkColor(desktop.Hwnd()), RGB(0, 0, 0));
  EXPECT_EQ(ListView_GetTextColor(desktop.Hwnd()), RGB(130, 142, 159));
}

TEST_F(DesktopView, DoubleClickStartsTheItemWithItsProgram) {
  // A file type of the test's own whose program leaves a copy beside the
  // document.
  ASSERT_TRUE(RegisterTestFileType(L".kvdesktop", L"KelvaneDesktopTest", L"cmd.exe /c copy \"%1\" \"%1.ouvert\""));

  const std::wstring document = userDesktop_ + L"raccourci.kvdesktop";
  ASSERT_TRUE(WriteAll(document, "d"));
  ASSERT_TRUE(DispatchGadgetEvent(kDesktopHomeButton, GadgetEvent::Click));
  SelectRows(kDesktopList, {L"raccourci.kvdesktop"});
  ASSERT_TRUE(DispatchGadgetEvent(kDesktopList, GadgetEvent::DoubleClick));
  const bool opened = WaitFor([&] { return FileExists(document + L".ouvert"); }, 15000);
  RemoveTestFileType(L".kvdesktop", L"KelvaneDesktopTest");
  EXPECT_TRUE(opened);

  // Failures are silent.
  SelectRows(kDesktopList, {L"perso.txt"});
  DeleteFileW((userDesktop_ + L"perso.txt").c_str());
  ASSERT_TRUE(DispatchGadgetEvent(kDesktopList, GadgetEvent::DoubleClick));
  EXPECT_TRUE(ask_.calls.empty());
}

}  // namespace
}  // namespace kelvane::test
