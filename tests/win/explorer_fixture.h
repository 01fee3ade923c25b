#pragma once
// In-process fixture for the explorer tab: the real main window (hidden)
// with all its pages, ExplorerList pointed at a fresh temporary folder per
// test, and scripted requesters that answer the dialogs and record them.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

#include "app/app_state.h"
#include "app/command_table.h"
#include "app/folder_lists.h"
#include "app/gadget_table.h"
#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "app/main_window.h"
#include "app/main_window_contents.h"
#include "app/tray_icon.h"
#include "assets/image_ids.h"
#include "catalog/catalog.h"
#include "explorer/explorer_tab_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/explorer_list_win.h"
#include "toolkit/fonts_win.h"
#include "toolkit/requesters_win.h"
#include "win/kelvane_process.h"

namespace kelvane::test {

inline void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

template <typename Condition>
bool PumpUntil(Condition condition, DWORD timeoutMs = 3000) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    PumpMessages();
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

inline bool MakeFile(const std::wstring& path, const std::string& content = "x") {
  return WriteAll(path, content);
}

// Names of the items of a folder (not "." or ".."), sorted as listed.
inline std::vector<std::wstring> FolderNames(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

inline std::wstring GadgetText(int gadget) {
  wchar_t text[1024] = {};
  GetWindowTextW(Gadget(gadget), text, 1024);
  return text;
}

// The first column's title of a list view.
inline std::wstring HeaderTitle(HWND list) {
  wchar_t text[256] = {};
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = text;
  column.cchTextMax = 256;
  SendMessageW(list, LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  return text;
}

// Answers the shell's own confirmation dialogs (a window of class #32770
// of this process) with Yes, should one appear, and counts them.
class ShellDialogAnswerer {
 public:
  ShellDialogAnswerer() : thread_([this] { Run(); }) {}
  ~ShellDialogAnswerer() {
    stop_ = true;
    thread_.join();
  }
  int answered() const { return answered_; }

 private:
  static BOOL CALLBACK Find(HWND window, LPARAM param) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t cls[32] = {};
    GetClassNameW(window, cls, 32);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && std::wstring(cls) == L"#32770") {
      *reinterpret_cast<HWND*>(param) = window;
      return FALSE;
    }
    return TRUE;
  }
  void Run() {
    while (!stop_) {
      HWND dialog = nullptr;
      EnumWindows(Find, reinterpret_cast<LPARAM>(&dialog));
      if (dialog) {
        ++answered_;
        PostMessageW(dialog, WM_COMMAND, IDYES, 0);
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        Sleep(300);
      }
      Sleep(50);
    }
  }
  std::atomic<bool> stop_{false};
  std::atomic<int> answered_{0};
  std::thread thread_;
};

class ExplorerTest : public ::testing::Test {
 protected:
  static inline HWND window_ = nullptr;
  static inline std::wstring base_;  // holds every test's folders

  static void SetUpTestSuite() {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                             ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    BuildCatalog();
    AppState& app = App();
    if (app.images.Count() == 0) {
      HMODULE exe = LoadLibraryExW(KelvaneExePath().c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
      app.images.LoadFromResources(exe, kImageResourceBase, kImageCount);
    }
    app.fonts[0] = CreatePointFont(L"Bahnschrift Semibold Condensed", 11, FW_NORMAL, DpiOf(nullptr));
    app.fonts[1] = CreatePointFont(L"Bahnschrift Light SemiCondensed", 9, FW_BOLD, DpiOf(nullptr));
    base_ = MakeTempFolder();
    app.documentsFolder = base_;
    window_ = OpenMainWindow(GetModuleHandleW(nullptr), L"Kelvane explorer test");
    if (!window_) {
      window_ = CreateWindowExW(0, kMainWindowClass, L"Kelvane explorer test", WS_OVERLAPPEDWINDOW, 0, 0, 420, 360,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    // Each test's SetUp fails without it: a failure here would make gtest
    // report every test of the suite as skipped, which CTest counts as such.
    if (!window_) return;
    app.mainWindow = window_;
    BuildMainWindowContents(window_);
    CompleteMainWindowContents(window_);
  }

  static void TearDownTestSuite() {
    RemoveTrayIcon();
    DestroyWindow(window_);
    App().mainWindow = nullptr;
    window_ = nullptr;
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
    PumpUntil([] { return !List()->IsListing(); });
  }

  static int RowOf(const std::wstring& name) {
    const ExplorerListControl* list = List();
    for (int row = 0; row < list->RowCount(); ++row) {
      if (list->RowName(row) == name) return row;
    }
    return -1;
  }

  // Selects exactly these rows; the first one named gets the focus.
  static void Select(std::initializer_list<const wchar_t*> names) {
    HWND view = List()->Hwnd();
    ListView_SetItemState(view, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    bool first = true;
    for (const wchar_t* name : names) {
      const int row = RowOf(name);
      ASSERT_GE(row, 0) << "no row " << testing::PrintToString(std::wstring(name));
      const UINT state = first ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED;
      ListView_SetItemState(view, row, state, state);
      first = false;
    }
  }

  static std::wstring Header() { return HeaderTitle(List()->Hwnd()); }

  std::wstring root_;
  ScriptedRequesters ask_;
  ScopedRequesters scope_{ask_};
};

}  // namespace kelvane::test
