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
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") RemovePath(folder + name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }

  static ExplorerListControl& List(int gadget) {
    ExplorerListControl* list = FolderList(gadget);
    EXPECT_NE(list, nullptr);
    return *list;
  }

  static int RowOf(int gadget, const std::wstring& name) {
    ExplorerListControl& list = List(gadget);
    for (int row = 0; row < list.RowCount(); ++row) {
      if (list.RowName(row) == name) return row;
    }
    return -1;
  }

  // Selects exactly these rows; the first one also takes the focus.
  static void SelectRows(int gadget, std::initializer_list<std::wstring> names) {
    HWND view = List(gadget).Hwnd();
    ListView_SetItemState(view, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    bool first = true;
    for (const std::wstring& name : names) {
      const int row = RowOf(gadget, name);
      ASSERT_GE(row, 0) << "no row named " << std::string(name.begin(), name.end());
      const UINT state = first ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED;
      ListView_SetItemState(view, row, state, state);
      first = false;
    }
  }

  static std::wstring FirstColumnTitle(int gadget) {
    wchar_t text[256] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = 256;
    ListView_GetColumn(List(gadget).Hwnd(), 0, &column);
    return text;
  }
};

}  // namespace kelvane::test
