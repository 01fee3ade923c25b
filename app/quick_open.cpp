#include "app/quick_open.h"

#include "app/app_state.h"
#include "app/main_window.h"
#include "lists/favourite_tabs_win.h"
#include "lists/list_store_win.h"
#include "quickopen/quick_box_win.h"
#include "quickopen/usage_file_win.h"
#include "recent/recent_tab_win.h"
#include "toolkit/shell_start_win.h"

namespace kelvane {
namespace {

// The main window was hidden when the hotkey brought the box: it goes back
// to the tray with the box.
bool g_mainShownForBox = false;

constexpr QuickSource kListSources[] = {QuickSource::Apps, QuickSource::Files, QuickSource::Links};

// The files and folders directly in `folder` (with its trailing backslash),
// hidden and system ones left out as the tabs leave them out; a shortcut
// shows without its ".lnk".
void AddFolderItems(const std::wstring& folder, QuickSource source, std::vector<QuickItem>* items) {
  if (folder.empty()) return;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L".." || (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) {
      continue;
    }
    std::wstring shown = name;
    if (shown.size() > 4 && _wcsicmp(shown.c_str() + shown.size() - 4, L".lnk") == 0) shown.resize(shown.size() - 4);
    const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    items->push_back({shown, folder + name + (isFolder ? L"\\" : L""), source, -1});
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

void OpenContainingFolder(const QuickItem& item) {
  // An address has no folder.
  if (item.source == QuickSource::Links || !ShowInContainingFolder(item.target)) MessageBeep(MB_ICONWARNING);
}

void AfterBoxHidden() {
  if (!g_mainShownForBox) return;
  g_mainShownForBox = false;
  HideMainWindow();
}

}  // namespace

std::vector<QuickItem> GatherQuickItems() {
  std::vector<QuickItem> items;
  for (int kind : kListKinds) {
    const QuickSource source = kListSources[kind - 1];
    // With the icons the loader has brought so far: the box need not ask the shell again.
    const FavouriteList& list = App().favourites.List(kind);
    for (size_t row = 0; row < list.Count(); ++row) {
      items.push_back({std::wstring(list.Name(row)), std::wstring(list.Target(row)), source, list.Icon(row)});
    }
  }
  FindTabFolders();
  const AppState& app = App();
  AddFolderItems(app.recentFolder, QuickSource::Recent, &items);
  AddFolderItems(app.userDesktopFolder, QuickSource::UserDesktop, &items);
  AddFolderItems(app.publicDesktopFolder, QuickSource::PublicDesktop, &items);
  return items;
}

void OpenQuickItem(const QuickItem& item) {
  const ListEntry entry{item.name, item.target, item.icon};
  switch (item.source) {
    case QuickSource::Apps: OpenFavouriteEntry(App().mainWindow, kAppsKind, entry); break;
    case QuickSource::Files: OpenFavouriteEntry(App().mainWindow, kFilesKind, entry); break;
    case QuickSource::Links: OpenFavouriteEntry(App().mainWindow, kLinksKind, entry); break;
    case QuickSource::Recent: OpenRecentPath(App(), item.target); break;
    case QuickSource::UserDesktop:
    case QuickSource::PublicDesktop:
      // Silent, as the desktop tab is.
      OpenWithDefaultAction(item.target);
      break;
  }
}

void PrepareQuickOpen() {
  QuickBoxHost host;
  host.gather = GatherQuickItems;
  host.open = OpenQuickItem;
  host.openFolder = OpenContainingFolder;
  host.hidden = AfterBoxHidden;
  host.linkIcon = App().images.Icon(kLinkImage);
  SetQuickBoxHost(std::move(host));
  SetQuickBoxUsageFile(UsageFilePath(App().dataFolder));
}

void ToggleQuickOpen() {
  HWND main = App().mainWindow;
  if (!main) return;
  if (QuickBoxInFront()) {
    HideQuickBox();
    AfterBoxHidden();
    return;
  }
  if (!QuickBoxVisible()) g_mainShownForBox = !IsWindowVisible(main);
  ShowMainWindow();
  ShowQuickBox(main);
}

}  // namespace kelvane
