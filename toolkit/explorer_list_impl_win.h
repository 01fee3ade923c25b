#pragma once
// The explorer list control's inside, shared by the files that make it up.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "toolkit/explorer_list_win.h"
#include "toolkit/folder_lister_win.h"
#include "toolkit/folder_model.h"
#include "toolkit/shell_icons_win.h"

namespace kelvane {
namespace explorer_list {

// The four display modes: icons, small icons, list, details.
inline constexpr DWORD kViews[] = {LV_VIEW_ICON, LV_VIEW_SMALLICON, LV_VIEW_LIST, LV_VIEW_DETAILS};
inline constexpr DWORD kViewStyles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};

// Headers take "&" as a mnemonic mark; doubled it shows as itself.
inline std::wstring HeaderText(const std::wstring& title) {
  std::wstring text;
  for (wchar_t c : title) {
    if (c == L'&') text.push_back(L'&');
    text.push_back(c);
  }
  return text;
}

}  // namespace explorer_list

struct ExplorerListControl::Impl {
  HWND window = nullptr;
  HWND list = nullptr;
  int id = 0;
  ExplorerListOptions options;
  std::wstring folder;
  bool listing = false;
  DWORD listingError = 0;              // why the folder shown could not be listed last time
  std::uint32_t generation = 0;        // of the listing asked for last
  std::uint32_t folderGeneration = 0;  // of the folder: icons asked before a reload still count
  bool insideSetFolder = false;
  std::wstring focusWhenListed;  // the folder just left by "..", focused when it shows up
  FolderModel model;
  std::vector<std::pair<std::wstring, std::wstring>> driveLabels;
  ShellTypeCache shellTypes;
  std::unordered_map<std::wstring, std::int32_t> typeByExtension;
  std::int32_t folderType = kNotFetched;
  std::unique_ptr<FolderLister> lister;
  std::unique_ptr<IconFetcher> iconFetcher;
  Stats stats;
  bool waitingFirstDraw = false;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnNotify(WPARAM wParam, NMHDR* header);

  // `wait`: up to 30 ms for the listing, so that a shown list
  // does not flash empty.
  void SetFolder(const std::wstring& path, bool wait = true);
  // Takes the listing's batches; after a new folder the view starts afresh.
  void ApplyBatches(bool newFolder = false);
  void ApplyIcons();
  void Activate(int row);
  void Enter(int row);
  void SortBy(FolderColumn column);
  void ShowSortArrow();
  void DropFiles(HDROP drop);
  void Notify(UINT code, int row, POINT point = {-1, -1}, const wchar_t* text = nullptr);

  void FillItem(LVITEMW& item);
  std::wstring CellText(FolderRow& row, int column);
  std::int32_t TypeOf(const FolderRow& row);
  int IconOf(FolderRow& row, int index);
  std::wstring PathOf(const FolderRow& row) const {
    return row.kind == FolderRowKind::Drive ? row.name : folder + row.name;
  }

  // Selection, focus and scroll place by name, across changes of row order.
  struct Place {
    std::vector<std::wstring> selected;
    std::wstring focused;
    std::wstring top;
    bool Empty() const { return selected.empty() && focused.empty() && top.empty(); }
  };
  Place Remember() const;
  std::vector<std::wstring> NamesOnScreen() const;  // details and list views only
  void ShowRows(const Place& place);
  void SelectOnly(int row);
  bool ForgetSelection();  // true when the list had to be emptied
  bool Valid(int row) const { return row >= 0 && static_cast<std::size_t>(row) < model.size(); }
};

}  // namespace kelvane
