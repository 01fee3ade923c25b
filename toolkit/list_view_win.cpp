#include "toolkit/list_view_win.h"

#include <commctrl.h>

namespace kelvane {
namespace {

constexpr DWORD kViews[] = {LV_VIEW_ICON, LV_VIEW_SMALLICON, LV_VIEW_LIST, LV_VIEW_DETAILS};

}  // namespace

void SetListViewMode(HWND list, int mode) {
  if (mode < 0 || mode > 3) return;
  SendMessageW(list, LVM_SETVIEW, kViews[mode], 0);
}

int ListViewModeOf(HWND list) {
  const auto view = static_cast<DWORD>(SendMessageW(list, LVM_GETVIEW, 0, 0));
  for (int mode = 0; mode < 4; ++mode) {
    if (kViews[mode] == view) return mode;
  }
  return -1;
}

int FirstSelectedRow(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int FocusedSelectedRow(HWND list) {
  const int row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  if (row < 0) return -1;
  return (SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED) ? row : -1;
}

std::wstring ListColumnTitle(HWND list, int column) {
  wchar_t text[256] = {};
  LVCOLUMNW info{};
  info.mask = LVCF_TEXT;
  info.pszText = text;
  info.cchTextMax = 256;
  SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
  return text;
}

std::wstring RowText(HWND list, int row, int column) {
  std::wstring text(260, L'\0');
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    const auto length = static_cast<size_t>(SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                                         reinterpret_cast<LPARAM>(&item)));
    if (length + 1 < text.size()) {
      text.resize(length);
      return text;
    }
    text.resize(text.size() * 2);
  }
}

POINT KeyboardMenuPoint(HWND list) {
  POINT point{0, 0};
  const int row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  RECT label{};
  label.left = LVIR_LABEL;
  RECT client{};
  RECT seen{};
  GetClientRect(list, &client);
  if (row >= 0 && SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&label)) &&
      IntersectRect(&seen, &label, &client)) {
    point = {label.left, (label.top + label.bottom) / 2};
  }
  ClientToScreen(list, &point);
  return point;
}

void InsertListColumn(HWND list, int index, const std::wstring& title, int width) {
  std::wstring text = title;
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = text.data();
  column.cx = width;
  column.iSubItem = index;
  SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

}  // namespace kelvane
