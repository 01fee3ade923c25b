#pragma once
// In-process fixture for the explorer tab: the real main window (hidden)
// with all its pages, ExplorerList pointed at a fresh temporary folder per
// test, and scripted requesters that answer the dialogs and record them.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/command_table.h"
#include "app/folder_lists.h"
#include "app/gadget_table.h"
#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "explorer/explorer_tab_win.h"
#include "toolkit/explorer_list_win.h"
#include "toolkit/requesters_win.h"
#include "win/kelvane_process.h"
#include "win/main_window_fixture.h"
#include "win/shell_dialog_answerer.h"

namespace kelvane::test {

inline bool MakeFile(const std::wstring& path, const std::string& content = "x") {
  return WriteAll(path, content);
}

// Names of the items of a folder (not "." or ".."), sorted as listed.
inline std::vector<std::wstring> FolderNames(const std::wstring& folder) {
  std::vector<std::wstring> names;
  ForEachItemName(folder, [&](const std::wstring& name) { names.push_back(name); });
  std::sort(names.begin(), names.end());
  return names;
}

inline std::wstring GadgetText(int gadget) {
  wchar_t text[1024] = {};
  GetWindowTextW(Gadget(gadget), text, 1024);
  return text;
}

class ExplorerTest : public ::testing::Test {
 protected:
  static inline HWND window_ = nullptr;
  static inline std::wstring base_;  // holds every test's folders

  static void SetUpTestSuite() {
    PrepareTestProcess();
    UseProgramFonts(App());
    base_ = MakeTempFolder();
    App().documentsFolder = base_;
    window_ = OpenTestMainWindow(L"Kelvane explorer test");
  }

  static void TearDownTestSuite() {
    CloseTestMainWindow(window_);
    RemovePath(base_.substr(0, base_.size() - 1));
  }

  void SetUp() override {
    ASSERT_NE(List(), nullptr);
    static int counter = 0;
    root_ = base_ + L"t" + std::to_wstring(++counter) + L"\\";
    ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
  }

  void TearDown() override {
    SetExplorerShellExecuteForTests(nullptr);
    ShowExplorerFolder(App(), base_);  // lets go of the test's folder
    PumpMessages();
    RemovePath(root_.substr(0, root_.size() - 1));
  }

  static ExplorerListControl* List() { return FolderList(kExplorerList); }

  // Shows the test folder as the user would reach it, whole: on a busy
  // machine the listing may take longer than the list waits for it.
  void ShowRoot() {
    ShowExplorerFolder(App(), root_);
    // A bound only a hang reaches.
    ASSERT_TRUE(PumpUntil([] { return !List()->IsListing(); }, 60000));
  }

  static int RowOf(const std::wstring& name) { return RowNamed(*List(), name); }

  // Selects exactly these rows; the first one named gets the focus.
  static void Select(std::initializer_list<std::wstring> names) { SelectNamedRows(*List(), names); }

  static std::wstring Header() { return ListColumnTitle(List()->Hwnd()); }

  std::wstring root_;
  ScriptedRequesters ask_;
  ScopedRequesters scope_{ask_};
};

}  // namespace kelvane::test
