#pragma once
// What the in-process suites share: the process set up as the program sets
// itself up (OLE, common controls, texts, images), the real main window
// (hidden) with its contents, and the list views' rows found by name.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/main_window_contents.h"
#include "app/tray_icon.h"
#include "assets/image_ids.h"
#include "catalog/catalog.h"
#include "toolkit/dpi_win.h"
#include "toolkit/explorer_list_win.h"
#include "toolkit/fonts_win.h"
#include "toolkit/list_view_win.h"
#include "toolkit/requesters_win.h"
#include "win/kelvane_process.h"
#include "win/test_windows.h"

namespace kelvane::test {

inline void PrepareTestProcess() {
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
}

// The program's two fonts: titles, then lists and labels.
inline void UseProgramFonts(AppState& app) {
  app.fonts[0] = CreatePointFont(L"Bahnschrift Semibold Condensed", 11, FW_NORMAL, DpiOf(nullptr));
  app.fonts[1] = CreatePointFont(L"Bahnschrift Light SemiCondensed", 9, FW_BOLD, DpiOf(nullptr));
}

// The main window (hidden) with its contents built and completed; null when
// it could not be made. Each test's SetUp fails then: a failure here would
// make gtest report every test of the suite as skipped, which CTest counts
// as such.
inline HWND OpenTestMainWindow(const wchar_t* title) {
  HWND window = OpenMainWindow(GetModuleHandleW(nullptr), title);
  if (!window) {  // the class is there already: another suite of this process registered it
    window = CreateWindowExW(0, kMainWindowClass, title, WS_OVERLAPPEDWINDOW, 0, 0, 420, 360, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  }
  if (!window) return nullptr;
  App().mainWindow = window;
  BuildMainWindowContents(window);
  CompleteMainWindowContents(window);
  return window;
}

inline void CloseTestMainWindow(HWND& window) {
  RemoveTrayIcon();
  DestroyWindow(window);
  App().mainWindow = nullptr;
  window = nullptr;
}

inline int RowNamed(const ExplorerListControl& list, const std::wstring& name) {
  for (int row = 0; row < list.RowCount(); ++row) {
    if (list.RowName(row) == name) return row;
  }
  return -1;
}

// Selects exactly these rows; the first one named gets the focus.
inline void SelectNamedRows(const ExplorerListControl& list, std::initializer_list<std::wstring> names) {
  HWND view = list.Hwnd();
  ListView_SetItemState(view, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  bool first = true;
  for (const std::wstring& name : names) {
    const int row = RowNamed(list, name);
    ASSERT_GE(row, 0) << "no row " << testing::PrintToString(name);
    const UINT state = first ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED;
    ListView_SetItemState(view, row, state, state);
    first = false;
  }
}

// Calls `visit` with each item's name in a folder (not "." or "..").
template <typename Visit>
void ForEachItemName(const std::wstring& folder, Visit visit) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") visit(name);
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

// A message box as the scripted requesters recorded it.
inline void ExpectBox(const ScriptedRequesters::Call& call, const std::wstring& title, const std::wstring& text,
                      UINT type) {
  EXPECT_EQ(call.title, title);
  EXPECT_EQ(call.text, text);
  EXPECT_EQ(call.type, type);
}

// A dialog or input box as the scripted requesters recorded it: its kind,
// its title and what it started from (a folder, or the text offered).
inline void ExpectDialog(const ScriptedRequesters::Call& call, ScriptedRequesters::Kind kind, const std::wstring& title,
                         const std::wstring& initial) {
  EXPECT_EQ(call.kind, kind);
  EXPECT_EQ(call.title, title);
  EXPECT_EQ(call.initial, initial);
}

}  // namespace kelvane::test
