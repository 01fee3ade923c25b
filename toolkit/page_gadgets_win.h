#pragma once
// Makes the gadgets of one tab page: each takes the page's gadget font, is
// sized for the page's DPI and is registered under its gadget number.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>

#include "toolkit/explorer_list_win.h"
#include "toolkit/image_set_win.h"

namespace kelvane {

// One image button of a tool row; the tooltip is looked up by key.
struct ToolButtonDef {
  int gadget;
  int image;
  const wchar_t* tooltipKey;
};

inline constexpr int kToolButtonStep = 31;  // window units
inline constexpr int kToolButtonWidth = 30;
inline constexpr int kToolButtonHeight = 25;

// A tool row is made a few buttons per part of a page (see Tab::BuildPart):
// each brings an icon and a tooltip, a few milliseconds under Wine.
inline constexpr std::size_t kToolButtonsPerPart = 4;
constexpr int ToolRowParts(std::span<const ToolButtonDef> row) {
  return static_cast<int>((row.size() + kToolButtonsPerPart - 1) / kToolButtonsPerPart);
}

// Puts the buttons of a row in a line from `left` (window units), 31 apart
// and 30 wide, closer and narrower when `pageWidth` (pixels) is too narrow.
void PlaceToolRow(std::span<const ToolButtonDef> row, int left, UINT dpi, int pageWidth);

class PageBuilder {
 public:
  // `headerFont` may be null (the list headers then keep the list's font).
  PageBuilder(HWND page, UINT dpi, int pageWidth, int pageHeight, HFONT gadgetFont, HFONT headerFont,
              const ImageSet& images);

  HWND Page() const { return page_; }
  UINT Dpi() const { return dpi_; }
  int Width() const { return width_; }  // the page's inner size, pixels
  int Height() const { return height_; }
  int S(int units) const;  // window units to pixels
  HFONT GadgetFont() const { return gadgetFont_; }
  // Whether the page is to be shown as soon as it is complete (its folder
  // lists then wait for their first listing) or built ahead, hidden.
  void SetShownWhenBuilt(bool shown) { shownWhenBuilt_ = shown; }

  // Position and size in pixels.
  HWND MakeGadget(int gadget, const wchar_t* cls, const wchar_t* text, DWORD style, DWORD exStyle, int x, int y,
                  int width, int height);
  // A list view with its extended styles; its header takes the header font.
  HWND MakeList(int gadget, DWORD style, DWORD exStyle, DWORD listExStyle, int x, int y, int width, int height);
  // A report column `widthUnits` wide; "&" in the title shows as itself.
  void AddColumn(HWND list, int index, const std::wstring& title, int widthUnits) const;
  // Part `part` of a row's buttons (kToolButtonsPerPart of them) at their
  // default size; the row is then placed, with the buttons made so far, as
  // the page allows.
  void MakeToolRowPart(std::span<const ToolButtonDef> row, int left,
                       const std::function<std::wstring(const wchar_t* key)>& tooltip, int part);
  // A drop-down list whose closed field is `height` pixels high in all,
  // holding `items` with the first chosen.
  HWND MakeDropDown(int gadget, int x, int y, int width, int height, std::initializer_list<std::wstring> items);
  // A folder list: the control's window is the gadget; its list view takes
  // the gadget font and its header the header font.
  std::unique_ptr<ExplorerListControl> MakeFolderList(int gadget, int x, int y, int width, int height,
                                                      const std::wstring& folder, const ExplorerListOptions& options);

 private:
  HWND page_;
  UINT dpi_;
  int width_;
  int height_;
  HFONT gadgetFont_;
  HFONT headerFont_;
  const ImageSet& images_;
  bool shownWhenBuilt_ = true;
  // The item height that gave the drop-downs their field height, found by
  // the first drop-down and set at once on the next.
  int dropDownItemHeight_ = 0;
  int dropDownHeight_ = 0;
};

}  // namespace kelvane
