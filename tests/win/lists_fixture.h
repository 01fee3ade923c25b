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
#include "lists/list_loader_win.h"
#include "lists/list_store_win.h"
#include "toolkit/requesters_win.h"
#include "win/kelvane_process.h"
#include "win/main_window_fixture.h"

namespace kelvane::test {

inline void WaitForLoaderIdle() { ASSERT_TRUE(PumpUntil([] { return !ListLoaderBusy(); }, 30000)); }

inline void SelectOnly(int kind, int row) {
  HWND list = ListView(kind);
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (row >= 0) ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

inline std::vector<std::wstring> Names(int kind) {
  std::vector<std::wstring> names;
  for (const ListEntry& entry : ReadEntries(App().favourites, kind)) names.push_back(entry.name);
  return names;
}

class ListsTest : public ::testing::Test {
 protected:
  static inline HWND window_ = nullptr;
  static inline std::wstring folder_;

  static void SetUpTestSuite() {
    PrepareTestProcess();
    App().fonts[1] = CreatePointFont(L"Bahnschrift Light SemiCondensed", 9, FW_BOLD, DpiOf(nullptr));
    window_ = OpenTestMainWindow(L"Kelvane lists test");
    if (!window_) return;
    ListViewsReady(App().favourites);
    folder_ = MakeTempFolder();
    App().dataFolder = folder_;
  }

  static void TearDownTestSuite() {
    StopListLoader();
    CloseTestMainWindow(window_);
    RemovePath(folder_.substr(0, folder_.size() - 1));
  }

  void SetUp() override {
    ASSERT_NE(window_, nullptr);
    WaitForLoaderIdle();
    const wchar_t* titles[] = {nullptr, L"Applications", L"FichiersDossiers", L"LiensWeb"};
    for (int kind : kListKinds) {
      ClearEntries(App().favourites, kind);
      SetListHeader(kind, CatalogText(L"Panel", titles[kind]));
      DeleteFileW(ListFilePath(App().favourites, kind).c_str());
    }
    App().prefs = Preferences{};
    App().defaultAppsFolder = L"C:\\Program Files\\";
    App().defaultFilesFolder = L"C:\\users\\";
  }

  void TearDown() override { WaitForLoaderIdle(); }

  static std::wstring FilePath(int kind) { return ListFilePath(App().favourites, kind); }
  static std::string FileBytes(int kind) { return ReadAll(ListFilePath(App().favourites, kind)); }

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
