#include "toolkit/column_fit_win.h"

#include <commctrl.h>

#include <cstddef>
#include <memory>
#include <utility>

#include "toolkit/column_share.h"
#include "toolkit/dpi_win.h"
#include "toolkit/fonts_win.h"
#include "toolkit/light_subclass_win.h"

namespace kelvane {
namespace {

struct Fitting {
  std::vector<ColumnFit> columns;
  bool busy = false;  // setting widths resizes the list's own scroll bars
};

// A divider drag ends in the header, which sets the width after telling:
// the new widths are read once its message is done.
UINT DragEndedMessage() {
  static const UINT message = RegisterWindowMessageW(L"KelvaneColumnDragEnded");
  return message;
}

int ClientWidth(HWND list) {
  RECT client{};
  GetClientRect(list, &client);
  return client.right - client.left;
}

// The text and the margins the list view keeps on both sides of a cell's text.
int CellWidth(HWND list, const std::wstring& text) {
  if (text.empty()) return 0;
  return TextExtent(list, text).cx + Scale(12, DpiOf(list));
}

int ColumnCount(HWND list) {
  HWND header = ListView_GetHeader(list);
  return header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

// The width the columns share. An empty list keeps room for the vertical
// scroll bar that its first rows most often bring (a list loaded from a
// file): the bar then comes without new column widths, which under Wine
// cost more than the rest of the list's new count. A list that stays short
// is fitted whole once it has rows (FitColumnsNow).
int SharedWidth(HWND list) {
  int width = ClientWidth(list);
  if (ListView_GetItemCount(list) == 0 && !(GetWindowLongPtrW(list, GWL_STYLE) & WS_VSCROLL)) {
    width -= VerticalScrollBarWidth(list);
  }
  return width;
}

void Fit(HWND list, Fitting& fitting) {
  const int total = SharedWidth(list);
  if (fitting.busy || total <= 0 || ColumnCount(list) != static_cast<int>(fitting.columns.size())) return;
  std::vector<ColumnShare> shares;
  for (const ColumnFit& c : fitting.columns) shares.push_back({c.weight, CellWidth(list, c.widest)});
  const std::vector<int> widths = ShareWidth(total, shares);
  bool changed = false;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    changed |= ListView_GetColumnWidth(list, static_cast<int>(i)) != widths[i];
  }
  if (!changed) return;
  fitting.busy = true;
  // Each width set while the list draws moves the columns on the screen and
  // works its scroll bars out again: under Wine tens of milliseconds when a
  // scroll bar comes or goes. Without drawing, the list is drawn once after
  // all of them. A hidden list is left as it is: turning drawing back on
  // would show it.
  const bool drawn = (GetWindowLongPtrW(list, GWL_STYLE) & WS_VISIBLE) != 0;
  if (drawn) SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (std::size_t i = 0; i < widths.size(); ++i) {
    if (ListView_GetColumnWidth(list, static_cast<int>(i)) != widths[i]) {
      ListView_SetColumnWidth(list, static_cast<int>(i), widths[i]);
    }
  }
  if (drawn) {
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  fitting.busy = false;
}

void TakeDrag(HWND list, Fitting& fitting, int column) {
  std::vector<int> widths;
  for (int i = 0; i < ColumnCount(list); ++i) widths.push_back(ListView_GetColumnWidth(list, i));
  if (widths.size() != fitting.columns.size()) return;
  const std::vector<double> weights = WeightsAfterDrag(widths, column, SharedWidth(list));
  for (std::size_t i = 0; i < weights.size(); ++i) fitting.columns[i].weight = weights[i];
  Fit(list, fitting);
}

LRESULT FittedListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, void* data) {
  auto* fitting = static_cast<Fitting*>(data);
  switch (message) {
    case WM_SIZE:
    case WM_SETFONT: {
      const LRESULT result = CallNextLightSubclass(list, FittedListProc, message, wParam, lParam);
      Fit(list, *fitting);
      return result;
    }
    case LVM_SETITEMCOUNT:
    case LVM_INSERTITEMW:
    case LVM_INSERTITEMA:
    case LVM_DELETEITEM:
    case LVM_DELETEALLITEMS: {
      // Empty and not, the list shares a different width (see SharedWidth).
      const bool wasEmpty = ListView_GetItemCount(list) == 0;
      const LRESULT result = CallNextLightSubclass(list, FittedListProc, message, wParam, lParam);
      if (wasEmpty != (ListView_GetItemCount(list) == 0)) Fit(list, *fitting);
      return result;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHEADERW*>(lParam);
      if (header && header->hdr.hwndFrom == ListView_GetHeader(list) &&
          (header->hdr.code == HDN_ENDTRACKW || header->hdr.code == HDN_ENDTRACKA ||
           header->hdr.code == HDN_DIVIDERDBLCLICKW || header->hdr.code == HDN_DIVIDERDBLCLICKA)) {
        PostMessageW(list, DragEndedMessage(), static_cast<WPARAM>(header->iItem), 0);
      }
      break;
    }
    case WM_NCDESTROY: {
      const std::unique_ptr<Fitting> owned(fitting);  // the window goes, and its arrangement with it
      return CallNextLightSubclass(list, FittedListProc, message, wParam, lParam);
    }
    default:
      if (message == DragEndedMessage()) {
        TakeDrag(list, *fitting, static_cast<int>(wParam));
        return 0;
      }
      break;
  }
  return CallNextLightSubclass(list, FittedListProc, message, wParam, lParam);
}

Fitting* FittingOf(HWND list) { return static_cast<Fitting*>(LightSubclassData(list, FittedListProc)); }

}  // namespace

void KeepColumnsFitted(HWND list, std::vector<ColumnFit> columns) {
  if (!list) return;
  Fitting* fitting = FittingOf(list);
  if (!fitting) {
    // Owned by the subclass from here; freed with the window.
    auto made = std::make_unique<Fitting>();
    if (!AddLightSubclass(list, FittedListProc, made.get())) return;
    fitting = made.release();
  }
  fitting->columns = std::move(columns);
  Fit(list, *fitting);
}

void FitColumnsNow(HWND list) {
  if (Fitting* fitting = list ? FittingOf(list) : nullptr) Fit(list, *fitting);
}

}  // namespace kelvane
