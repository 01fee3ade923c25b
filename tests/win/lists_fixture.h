#pragma once
// In-process fixture for the favourite lists: the real main window (hidden)
// with its contents, a data folder of its own, and scripted requesters that
// answer the dialogs and record what was asked.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "app/app_state.h"
#include "app/command_table.h"
#include "app/gadget_table.h"
#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "app/main_window.h"
#include "app/main_window_contents.h"
#include "app/tray_icon.h"
#include "assets/image_ids.h"
#include "catalog/catalog.h"
#include "lists/list_loader_win.h"
#include "lists/list_store_win.h"
#include "toolkit/dpi_win.h"
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

// Runs the message loop until the condition holds or the time is up.
template <typename Condition>
bool PumpUntil(Condition condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    PumpMessages();
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

inline void WaitForLoaderIdle() { ASSERT_TRUE(PumpUntil([] { return !ListLoaderBusy(); }, 30000)); }

inline void SelectOnly(int kind, int row) {
  HWND list = ListView(kind);
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (row >= 0) ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

inline std::vector<std::wstring> Names(int kind) {
  std::vector<std::wstring> names;
  for (const ListEntry& entry : ReadEntries(kind)) names.push_back(entry.name);
  return names;
}

class ListsTest : public ::testing::Test {
 protected:
  static inline HWND window_ = nullptr;
  static inline std::wstring folder_;

  static void SetUpTestSuite() {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                             ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    BuildCatalog();
    AppState& app = App();
    if (app.images.Count() == 0) {
      // Kept loaded: the images read their pixels from the mapped resources.
      HMODULE exe = LoadLibraryExW(KelvaneExePath().c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
      app.images.LoadFromResources(exe, kImageResourceBase, kImageCount);
    }
    app.fonts[1] = CreatePointFont(L"Bahnschrift Light SemiCondensed", 9, FW_BOLD, DpiOf(nullptr));
    window_ = OpenMainWindow(GetModuleHandleW(nullptr), L"Kelvane lists test");
    if (!window_) {  // the class is there already: another suite of this process registered it
      window_ = CreateWindowExW(0, kMainWindowClass, L"Kelvane lists test", WS_OVERLAPPEDWINDOW, 0, 0, 420, 360,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    // Each test's SetUp fails without it: a failure here would make gtest
    // report every test of the suite as skipped, which CTest counts as such.
    if (!window_) return;
    app.mainWindow = window_;
    BuildMainWindowContents(window_);
    CompleteMainWindowContents(window_);
    ListViewsReady();
    folder_ = MakeTempFolder();
    app.dataFolder = folder_;
  }

  static void TearDownTestSuite() {
    StopListLoader();
    RemoveTrayIcon();
    DestroyWindow(window_);
    App().mainWindow = nullptr;
    window_ = nullptr;
    RemovePath(folder_.substr(0, folder_.size() - 1));
  }

  void SetUp() override {
    ASSERT_NE(window_, nullptr);
    WaitForLoaderIdle();
    const wchar_t* titles[] = {nullptr, L"Applications", L"FichiersDossiers", L"LiensWeb"};
    for (int kind : kListKinds) {
      ClearEntries(kind);
      SetListHeader(kind, CatalogText(L"Panel", titles[kind]));
      DeleteFileW(ListFilePath(kind).c_str());
    }
    App().prefs = Preferences{};
    App().defaultAppsFolder = L"C:\\Program Files\\";
    App().defaultFilesFolder = L"C:\\users\\";
  }

  void TearDown() override { WaitForLoaderIdle(); }

  static std::wstring FilePath(int kind) { return ListFilePath(kind); }
  static std::string FileBytes(int kind) { return ReadAll(ListFilePath(kind)); }

  // Saves a shell link to `target` at `path`; false when it could not.
  static bool SaveShellLink(const std::wstring& path, const std::wstring& target) {
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
      link->SetPath(target.c_str());
      if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        saved = SUCCEEDED(file->Save(path.c_str(), TRUE));
        file->Release();
      }
      link->Release();
    }
    return saved;
  }

  ScriptedRequesters ask_;
  ScopedRequesters scope_{ask_};
};

}  // namespace kelvane::test
