#pragma once
// The real main window with all its tabs, its recent-items folder and both
// desktops pointed at temporary folders of the test's own.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/folder_lists.h"
#include "win/lists_fixture.h"

namespace kelvane::test {

class RecentFixture : public ListsTest {
 protected:
  static inline std::wstring root_;
  static inline std::wstring recent_;
  static inline std::wstring userDesktop_;
  static inline std::wstring publicDesktop_;

  static void SetUpTestSuite() {
    // Before the pages are built: the folder lists start in these folders.
    root_ = MakeTempFolder();
    recent_ = root_ + L"Recent\\";
    userDesktop_ = root_ + L"Desktop\\";
    publicDesktop_ = root_ + L"Public Desktop\\";
    for (const std::wstring* folder : {&recent_, &userDesktop_, &publicDesktop_}) {
      CreateDirectoryW(folder->c_str(), nullptr);
    }
    App().recentFolder = recent_;
    App().userDesktopFolder = userDesktop_;
    App().publicDesktopFolder = publicDesktop_;
    ListsTest::SetUpTestSuite();
  }

  static void TearDownTestSuite() {
    ListsTest::TearDownTestSuite();
    RemovePath(root_.substr(0, root_.size() - 1));
  }

  // Empties a folder but keeps it: the list watching it keeps its folder.
  static void EmptyFolder(const std::wstring& folder) {
    ForEachItemName(folder, [&](const std::wstring& name) { RemovePath(folder + name); });
  }

  static ExplorerListControl& List(int gadget) {
    ExplorerListControl* list = FolderList(gadget);
    EXPECT_NE(list, nullptr);
    return *list;
  }

  static int RowOf(int gadget, const std::wstring& name) { return RowNamed(List(gadget), name); }

  // Selects exactly these rows; the first one also takes the focus.
  static void SelectRows(int gadget, std::initializer_list<std::wstring> names) {
    SelectNamedRows(List(gadget), names);
  }

  static std::wstring FirstColumnTitle(int gadget) { return ListColumnTitle(List(gadget).Hwnd()); }
};

}  // namespace kelvane::test
