// The explorer list control's rows, selection, header, view mode and sort
// as its users ask for them.
#include "toolkit/explorer_list_impl_win.h"

#include "toolkit/column_fit_win.h"

namespace kelvane {

using explorer_list::HeaderText;
using explorer_list::kViewStyles;
using explorer_list::kViews;

void ExplorerListControl::SetFolder(const std::wstring& folder) {
  if (impl_->lister) impl_->SetFolder(folder);
}

void ExplorerListControl::Refresh() { SetFolder(impl_->folder); }

int ExplorerListControl::RowCount() const { return static_cast<int>(impl_->model.size()); }

std::wstring ExplorerListControl::RowName(int row) const {
  return impl_->Valid(row) ? impl_->model[static_cast<std::size_t>(row)].name : std::wstring();
}

bool ExplorerListControl::RowIsFile(int row) const {
  return impl_->Valid(row) && impl_->model[static_cast<std::size_t>(row)].kind == FolderRowKind::File;
}

bool ExplorerListControl::RowIsFolder(int row) const {
  return impl_->Valid(row) && impl_->model[static_cast<std::size_t>(row)].IsFolderLike();
}

bool ExplorerListControl::RowIsDrive(int row) const {
  return impl_->Valid(row) && impl_->model[static_cast<std::size_t>(row)].kind == FolderRowKind::Drive;
}

bool ExplorerListControl::RowIsParent(int row) const {
  return impl_->Valid(row) && impl_->model[static_cast<std::size_t>(row)].kind == FolderRowKind::Parent;
}

bool ExplorerListControl::RowIsSelected(int row) const {
  return impl_->Valid(row) && (ListView_GetItemState(impl_->list, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

int ExplorerListControl::FocusedRow() const {
  if (!impl_->list) return -1;
  const int row = ListView_GetNextItem(impl_->list, -1, LVNI_FOCUSED);
  return impl_->Valid(row) ? row : -1;
}

std::vector<int> ExplorerListControl::SelectedRows() const {
  std::vector<int> rows;
  if (!impl_->list) return rows;
  for (int row = ListView_GetNextItem(impl_->list, -1, LVNI_SELECTED); impl_->Valid(row);
       row = ListView_GetNextItem(impl_->list, row, LVNI_SELECTED)) {
    rows.push_back(row);
  }
  return rows;
}

void ExplorerListControl::SetHeaderText(const std::wstring& text) {
  if (!impl_->list) return;
  std::wstring title = HeaderText(text);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = title.data();
  ListView_SetColumn(impl_->list, 0, &column);
}

void ExplorerListControl::SetHeaderFont(HFONT font) {
  if (HWND header = impl_->list ? ListView_GetHeader(impl_->list) : nullptr) {
    SendMessageW(header, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
}

void ExplorerListControl::SetDisplayMode(int mode) {
  if (!impl_->list || mode < 0 || mode > 3) return;
  // LVM_SETVIEW needs version 6 of the common controls; the style bits work everywhere.
  if (SendMessageW(impl_->list, LVM_SETVIEW, kViews[mode], 0) == -1) {
    const LONG_PTR style = GetWindowLongPtrW(impl_->list, GWL_STYLE);
    SetWindowLongPtrW(impl_->list, GWL_STYLE, (style & ~LVS_TYPEMASK) | kViewStyles[mode]);
  }
  // Some list views (Wine's) keep the rows' places of the previous view:
  // giving the count again lays them out for the new one.
  const int count = ListView_GetItemCount(impl_->list);
  ListView_SetItemCountEx(impl_->list, count, LVSICF_NOSCROLL);
  if (mode <= 1) ListView_Arrange(impl_->list, LVA_DEFAULT);
  FitColumnsNow(impl_->list);
  InvalidateRect(impl_->list, nullptr, TRUE);
}

int ExplorerListControl::DisplayMode() const {
  if (!impl_->list) return -1;
  const auto view = static_cast<DWORD>(SendMessageW(impl_->list, LVM_GETVIEW, 0, 0));
  for (int mode = 0; mode < 4; ++mode) {
    if (kViews[mode] == view) return mode;
  }
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(impl_->list, GWL_STYLE) & LVS_TYPEMASK);
  for (int mode = 0; mode < 4; ++mode) {
    if (kViewStyles[mode] == style) return mode;
  }
  return -1;
}

void ExplorerListControl::SortByColumn(int column) {
  if (impl_->list && column >= 0 && column <= 3) impl_->SortBy(static_cast<FolderColumn>(column));
}

int ExplorerListControl::SortColumn() const { return static_cast<int>(impl_->model.sort().column); }
bool ExplorerListControl::SortDescending() const { return impl_->model.sort().descending; }

}  // namespace kelvane
