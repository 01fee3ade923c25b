#include "recent/desktop_view_win.h"

#include <commctrl.h>

#include <algorithm>

#include "catalog/catalog.h"
#include "catalog/ids.h"
#include "recent/recent_tab_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/label_fit_win.h"
#include "toolkit/page_gadgets_win.h"
#include "toolkit/tool_button_win.h"

namespace kelvane {
namespace {

// Where the title and the source drop-down stand, and their widths, on a
// page wide enough.
struct Span {
  int x;
  int width;
};
constexpr Span kTitle{5, 230};
constexpr Span kSourceCombo{224, 170};

int ComboSelection(HWND combo) { return combo ? static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)) : -1; }

}  // namespace

DesktopTab::DesktopTab(ProgramContext& context) : context_(context) {}

int DesktopTab::SourceComboWidth() const {
  return std::min(Scale(kSourceCombo.width, dpi_), pageWidth_ - Scale(kSourceCombo.x, dpi_));
}

// The title in font 0 (the gadget font when there is none), whole.
void DesktopTab::FitTitle() {
  HFONT font = context_.fonts[0] ? context_.fonts[0].get() : gadgetFont_;
  FitLabel(title_, font, Scale(kTitle.width, dpi_), pageWidth_ - 2 * Scale(kTitle.x, dpi_), titleFont_);
}

// The folders, the title and its button; each drop-down; then the list.
bool DesktopTab::BuildPart(PageBuilder& page, int part) {
  dpi_ = page.Dpi();
  pageWidth_ = page.Width();
  gadgetFont_ = page.GadgetFont();
  if (part == 0) {
    FindTabFolders(context_);
    const std::wstring title = CatalogText(L"ToolTipExplorer", L"RaccourcisBureau");
    title_ = page.MakeGadget(kDesktopTitle, WC_STATICW, title.c_str(), SS_LEFT | SS_NOPREFIX, 0, page.S(kTitle.x),
                             page.S(2), page.S(kTitle.width), page.S(17));
    FitTitle();
    const std::wstring home = CatalogText(L"ToolTipExplorer", L"Bureau");
    if (HWND button = page.MakeGadget(kDesktopHomeButton, WC_BUTTONW, home.c_str(), WS_TABSTOP | BS_PUSHBUTTON, 0,
                                      0, page.S(20), page.S(60), page.S(22))) {
      SetGadgetToolTip(button, CatalogText(L"ToolTipExplorer", L"RetourBureau"));
    }
    return true;
  }
  const auto item = [](const wchar_t* key) { return CatalogText(L"PopUpMenus", key); };
  if (part == 1) {
    viewCombo_ = page.MakeDropDown(kDesktopViewCombo, page.S(62), page.S(20), page.S(160), page.S(22),
                                   {item(L"LargesIco"), item(L"PetitesIco"), item(L"ModeListe"), item(L"ModeDetails")});
    if (viewCombo_) SetGadgetToolTip(viewCombo_, item(L"SelectionAffichage"));
    return true;
  }
  if (part == 2) {
    sourceCombo_ = page.MakeDropDown(kDesktopSourceCombo, page.S(kSourceCombo.x), page.S(20), SourceComboWidth(),
                                     page.S(22), {item(L"UserDesktop"), item(L"PublicDesktop")});
    return true;
  }
  const int top = page.S(43);
  const ExplorerListOptions options{.border = false, .showSelectionAlways = true, .parentEntry = false,
                                    .multipleSelection = true, .fullRowSelect = true, .sortByName = true,
                                    .displayMode = 0};
  list_ = page.MakeFolderList(kDesktopList, 0, top, page.Width(), page.Height() - page.S(45),
                              context_.userDesktopFolder, options);
  if (list_) {
    // Black with grey-blue text whatever the theme.
    HWND list = list_->Hwnd();
    ListView_SetBkColor(list, RGB(0, 0, 0));
    ListView_SetTextBkColor(list, RGB(0, 0, 0));
    ListView_SetTextColor(list, RGB(130, 142, 159));
  }
  return false;
}

void DesktopTab::Layout(int pageWidth, int pageHeight) {
  pageWidth_ = pageWidth;
  FitTitle();
  if (sourceCombo_) {
    RECT field{};
    GetWindowRect(sourceCombo_, &field);
    // A drop-down list's height counts its open list too.
    SetWindowPos(sourceCombo_, nullptr, 0, 0, SourceComboWidth(), field.bottom - field.top + Scale(200, dpi_),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SizeList(pageWidth, pageHeight - Scale(45, dpi_));
}

std::wstring DesktopTab::ChosenFolder() const {
  return ComboSelection(sourceCombo_) == 1 ? context_.publicDesktopFolder : context_.userDesktopFolder;
}

void DesktopTab::ShowChosenDesktop() {
  // Setting the folder lists it again, from the desktop's top.
  if (list_) list_->SetFolder(ChosenFolder());
}

void DesktopTab::ApplyViewMode() {
  const int mode = ComboSelection(viewCombo_);
  if (list_ && mode >= 0 && mode <= 3) list_->SetDisplayMode(mode);
}

void DesktopTab::OpenItem() {
  if (!list_) return;
  const int row = list_->FocusedRow();
  if (row < 0 || !list_->RowIsSelected(row)) return;
  const std::wstring name = list_->RowName(row);
  if (name == L"." || name == L"..") return;
  // Failures are silent here: the desktop itself says nothing either.
  OpenWithDefaultAction(list_->Folder() + name);
}

}  // namespace kelvane
