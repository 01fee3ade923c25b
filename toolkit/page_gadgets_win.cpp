#include "toolkit/page_gadgets_win.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/dpi_win.h"
#include "toolkit/gadgets_win.h"
#include "toolkit/tool_button_win.h"

namespace kelvane {

void PlaceToolRow(std::span<const ToolButtonDef> row, int left, UINT dpi, int pageWidth) {
  const auto s = [dpi](int units) { return Scale(units, dpi); };
  const int count = static_cast<int>(row.size());
  const int gap = s(kToolButtonStep) - s(kToolButtonWidth);
  for (int i = 0; i < count; ++i) {
    int x = s(left + i * kToolButtonStep);
    int width = s(kToolButtonWidth);
    if (s(left + count * kToolButtonStep) - gap > pageWidth) {
      const int step = (pageWidth - s(left) + gap) / count;
      x = s(left) + i * step;
      width = step - gap;
    }
    if (HWND button = Gadget(row[static_cast<size_t>(i)].gadget)) {
      SetWindowPos(button, nullptr, x, 0, width, s(kToolButtonHeight), SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
}

PageBuilder::PageBuilder(HWND page, UINT dpi, int pageWidth, int pageHeight, HFONT gadgetFont, HFONT headerFont,
                         const ImageSet& images)
    : page_(page),
      dpi_(dpi),
      width_(pageWidth),
      height_(pageHeight),
      gadgetFont_(gadgetFont),
      headerFont_(headerFont),
      images_(images) {}

int PageBuilder::S(int units) const { return Scale(units, dpi_); }

HWND PageBuilder::MakeGadget(int gadget, const wchar_t* cls, const wchar_t* text, DWORD style, DWORD exStyle, int x,
                             int y, int width, int height) {
  HWND window = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, page_,
                                GadgetIdParameter(gadget), GetModuleHandleW(nullptr), nullptr);
  if (!window) return nullptr;
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(gadgetFont_), FALSE);
  RegisterGadget(gadget, window);
  return window;
}

HWND PageBuilder::MakeList(int gadget, DWORD style, DWORD exStyle, DWORD listExStyle, int x, int y, int width,
                           int height) {
  HWND list = MakeGadget(gadget, WC_LISTVIEWW, nullptr, WS_TABSTOP | style, exStyle, x, y, width, height);
  if (!list) return nullptr;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, listExStyle, listExStyle);
  // After the list's own font, which the list view passes on to its header.
  if (HWND header = ListView_GetHeader(list); header && headerFont_) {
    SendMessageW(header, WM_SETFONT, reinterpret_cast<WPARAM>(headerFont_), FALSE);
  }
  return list;
}

void PageBuilder::AddColumn(HWND list, int index, const std::wstring& title, int widthUnits) const {
  // Headers take "&" as a mnemonic mark; doubled it shows as itself.
  std::wstring text;
  for (wchar_t c : title) {
    if (c == L'&') text.push_back(L'&');
    text.push_back(c);
  }
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = text.data();
  column.cx = S(widthUnits);
  column.iSubItem = index;
  SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

void PageBuilder::MakeToolRowPart(std::span<const ToolButtonDef> row, int left,
                                  const std::function<std::wstring(const wchar_t* key)>& tooltip, int part) {
  const std::size_t first = static_cast<std::size_t>(part) * kToolButtonsPerPart;
  if (part < 0 || first >= row.size()) return;
  for (const ToolButtonDef& def : row.subspan(first, std::min(kToolButtonsPerPart, row.size() - first))) {
    HWND button = CreateToolButton(page_, def.gadget, 0, 0, S(kToolButtonWidth), S(kToolButtonHeight),
                                   images_.Icon(def.image), tooltip(def.tooltipKey));
    if (button) RegisterGadget(def.gadget, button);
  }
  PlaceToolRow(row, left, dpi_, width_);
}

HWND PageBuilder::MakeDropDown(int gadget, int x, int y, int width, int height,
                               std::initializer_list<std::wstring> items) {
  HWND combo = MakeGadget(gadget, WC_COMBOBOXW, nullptr, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, x, y, width,
                          height + S(200));
  if (!combo) return nullptr;
  for (const std::wstring& text : items) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  if (dropDownItemHeight_ > 0 && dropDownHeight_ == height) {
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), dropDownItemHeight_);
    return combo;
  }
  // The field's height follows its item height plus a frame whose size
  // depends on the system; correct the item height until the field fits.
  // (The item height read back is not always the one set: Wine adds its
  // padding, so the corrections build on the value set.) Each correction
  // resizes the field: the next drop-down of that height takes the result.
  int field = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  for (int attempt = 0; attempt < 3 && field > 0; ++attempt) {
    RECT outer{};
    GetWindowRect(combo, &outer);
    const int error = height - (outer.bottom - outer.top);
    if (error == 0) {
      // Only a value set is kept: one read back would count Wine's padding twice.
      dropDownItemHeight_ = attempt > 0 ? field : 0;
      dropDownHeight_ = height;
      break;
    }
    if (field + error <= 0) break;
    field += error;
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  }
  return combo;
}

std::unique_ptr<ExplorerListControl> PageBuilder::MakeFolderList(int gadget, int x, int y, int width, int height,
                                                                 const std::wstring& folder,
                                                                 const ExplorerListOptions& options) {
  auto control = std::make_unique<ExplorerListControl>();
  if (!control->Create(page_, gadget, x, y, width, height, folder, options, shownWhenBuilt_)) return nullptr;
  SendMessageW(control->Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(gadgetFont_), FALSE);
  if (headerFont_) control->SetHeaderFont(headerFont_);
  RegisterGadget(gadget, control->Window());
  return control;
}

}  // namespace kelvane
