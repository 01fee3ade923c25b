#include "app/panel_tabs.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/folder_lists.h"
#include "app/tab_objects.h"
#include "catalog/catalog.h"
#include "catalog/ids.h"
#include "toolkit/dpi_win.h"
#include "toolkit/fonts_win.h"
#include "toolkit/gadgets_win.h"
#include "toolkit/handle_win.h"
#include "toolkit/page_gadgets_win.h"
#include "toolkit/tab_captions_win.h"
#include "toolkit/tab_page_win.h"

namespace kelvane {
namespace {

struct TabDef {
  const wchar_t* titleKey;  // group Panel
  int image;
};

constexpr int kImageSide = 16;  // window units

constexpr TabDef kTabs[kTabCount] = {
    {L"Applications", 5}, {L"Fichiers", 7}, {L"Internet", 3},
    {L"Historique", 8},   {L"Explorer", 26}, {L"Bureau", 47},
};

struct Panel {
  HWND tabs = nullptr;
  std::array<HWND, kTabCount> pages{};
  std::array<bool, kTabCount> built{};  // the page's gadgets all exist
  std::array<int, kTabCount> partsBuilt{};  // see Tab::BuildPart
  std::array<std::unique_ptr<PageBuilder>, kTabCount> builders;  // of the pages begun, until complete
  PageBuiltHook pageBuilt = nullptr;
  ImageSet::List tabImages;
  TabCaptions captions;
  UniqueFont gadgetFont;
  UniqueBrush pageBrush;
  RECT pageArea{};  // the pages' place, pixels in the tab control's client coordinates
  SIZE fittedTo{};  // the tab control's size when its captions were fitted and its pages placed
  UINT dpi = 96;
  std::unique_ptr<TabObjects> objects;

  int PageWidth() const { return pageArea.right - pageArea.left; }
  int PageHeight() const { return pageArea.bottom - pageArea.top; }
};

Panel& ThePanel() {
  static Panel panel;
  return panel;
}

int S(int units) { return Scale(units, ThePanel().dpi); }

// Every built tab follows the page's size (a page still in parts is laid
// out once complete).
void LayoutBuiltTabs() {
  Panel& panel = ThePanel();
  if (!panel.objects) return;
  const std::array<Tab*, kTabCount> tabs = panel.objects->InOrder();
  for (size_t index = 0; index < tabs.size(); ++index) {
    if (panel.built[index]) tabs[index]->Layout(panel.PageWidth(), panel.PageHeight());
  }
}

void PlacePages() {
  Panel& panel = ThePanel();
  const RECT area = TabDisplayArea(panel.tabs);
  panel.pageArea = area;
  for (HWND page : panel.pages) {
    if (page) {
      SetWindowPos(page, nullptr, area.left, area.top, panel.PageWidth(), panel.PageHeight(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  LayoutBuiltTabs();
}

void AddTab(int index, std::wstring title) {
  Panel& panel = ThePanel();
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = title.data();
  const auto i = static_cast<size_t>(index);
  item.iImage = i < panel.tabImages.index.size() ? panel.tabImages.index[i] : -1;
  SendMessageW(panel.tabs, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
}

// A tab's page is made with its gadgets (the first screen's alone before
// the window shows), hidden unless it is the first tab's, over the display
// area as PlacePages last left it.
HWND EnsurePage(int index) {
  Panel& panel = ThePanel();
  HWND& page = panel.pages[static_cast<size_t>(index)];
  if (page || !panel.tabs) return page;
  page = CreateTabPage(panel.tabs, 200 + index, index == 0);
  if (!page) return nullptr;
  SetTabPageBrush(page, panel.pageBrush.get());
  SetWindowPos(page, nullptr, panel.pageArea.left, panel.pageArea.top, panel.PageWidth(), panel.PageHeight(),
               SWP_NOZORDER | SWP_NOACTIVATE);
  return page;
}

// Makes the next part of a page's gadgets (see Tab::BuildPart); after the
// last, the page takes the size it has now and the hook is told. `shown`:
// the page is about to be shown, not built ahead in an idle step.
void BuildPagePart(int index, bool shown) {
  Panel& panel = ThePanel();
  const auto i = static_cast<size_t>(index);
  if (panel.built[i]) return;
  HWND page = EnsurePage(index);
  if (!page) return;
  if (!panel.builders[i]) {
    panel.builders[i] = std::make_unique<PageBuilder>(page, panel.dpi, panel.PageWidth(), panel.PageHeight(),
                                                      panel.gadgetFont.get(),
                                                      App().fonts[1] ? App().fonts[1].get() : nullptr, App().images);
  }
  panel.builders[i]->SetShownWhenBuilt(shown);
  Tab& tab = *panel.objects->InOrder()[i];
  if (tab.BuildPart(*panel.builders[i], panel.partsBuilt[i]++)) return;
  panel.built[i] = true;
  const bool resized =
      panel.builders[i]->Width() != panel.PageWidth() || panel.builders[i]->Height() != panel.PageHeight();
  panel.builders[i].reset();
  if (resized) tab.Layout(panel.PageWidth(), panel.PageHeight());
  if (panel.pageBuilt) panel.pageBuilt(index);
}

// A page's gadgets are made the first time it is shown, or by idle steps
// (BuildNextPage): at start-up only the first screen waits for its gadgets.
void BuildPageContents(int index) {
  const Panel& panel = ThePanel();
  while (!panel.built[static_cast<size_t>(index)] && EnsurePage(index)) {
    BuildPagePart(index, true);
  }
}

void ShowPage(int index) {
  Panel& panel = ThePanel();
  BuildPageContents(index);
  HWND shown = panel.pages[static_cast<size_t>(index)];
  if (shown) ShowWindow(shown, SW_SHOW);
  HWND focus = GetFocus();
  for (HWND page : panel.pages) {
    if (!page || page == shown) continue;
    // Hiding the page that holds the focus would leave the focus nowhere.
    if (focus && (focus == page || IsChild(page, focus))) SetFocus(panel.tabs);
    ShowWindow(page, SW_HIDE);
  }
}

}  // namespace

ImageSet::List MakePanelTabImages(const ImageSet& images, UINT dpi) {
  std::array<int, kTabCount> ids{};
  for (int index = 0; index < kTabCount; ++index) ids[static_cast<size_t>(index)] = kTabs[index].image;
  return images.MakeImageList(ids, Scale(kImageSide, dpi));
}

void BuildPanelTabs(HWND main, ImageSet::List prepared) {
  Panel& panel = ThePanel();
  panel = Panel{};
  panel.dpi = DpiOf(main);
  panel.gadgetFont = CreateMessageFont(panel.dpi);
  panel.objects = std::make_unique<TabObjects>(App());

  RECT inner{};
  GetClientRect(main, &inner);
  // WS_EX_CONTROLPARENT: the dialog manager's Tab key reaches the gadgets on the pages.
  panel.tabs = CreateWindowExW(WS_EX_CONTROLPARENT, WC_TABCONTROLW, nullptr,
                               WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP, 0, S(30),
                               inner.right, inner.bottom - S(30), main, GadgetIdParameter(kPanelTabs), GetModuleHandleW(nullptr),
                               nullptr);
  if (!panel.tabs) return;
  RegisterGadget(kPanelTabs, panel.tabs);
  SendMessageW(panel.tabs, WM_SETFONT, reinterpret_cast<WPARAM>(panel.gadgetFont.get()), FALSE);

  panel.tabImages = prepared.side == S(kImageSide) ? std::move(prepared) : MakePanelTabImages(App().images, panel.dpi);
  if (panel.tabImages.list) {
    SendMessageW(panel.tabs, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(panel.tabImages.list.get()));
  }

  std::vector<std::wstring> captions;
  for (const TabDef& tab : kTabs) captions.push_back(CatalogText(L"Panel", tab.titleKey));
  panel.captions.Attach(panel.tabs, captions);
  for (int index = 0; index < kTabCount; ++index) AddTab(index, panel.captions.CaptionToAdd(index));
  SendMessageW(panel.tabs, TCM_SETCURSEL, 0, 0);
  panel.captions.Fit(false);
  PlacePages();
  panel.fittedTo = {inner.right, inner.bottom - S(30)};
  BuildPageContents(0);
}

bool BuildNextPage() {
  Panel& panel = ThePanel();
  for (int index = 0; index < kTabCount; ++index) {
    if (panel.built[static_cast<size_t>(index)]) continue;
    // The page alone makes a step.
    if (!panel.pages[static_cast<size_t>(index)]) {
      if (EnsurePage(index)) return true;
      continue;
    }
    BuildPagePart(index, false);
    return true;
  }
  return false;
}

void BuildAllPages() {
  while (BuildNextPage()) {
  }
}

void GivePanelTabsToolTips() { ThePanel().captions.GiveToolTips(); }

void SetPageBuiltHook(PageBuiltHook hook) { ThePanel().pageBuilt = hook; }

void SelectTab(int index) {
  Panel& panel = ThePanel();
  if (!panel.tabs || index < 0 || index >= kTabCount) return;
  SendMessageW(panel.tabs, TCM_SETCURSEL, index, 0);
  panel.captions.Fit();
  ShowPage(index);
}

int CurrentTab() {
  const Panel& panel = ThePanel();
  return panel.tabs ? static_cast<int>(SendMessageW(panel.tabs, TCM_GETCURSEL, 0, 0)) : -1;
}

bool PageComplete(int index) {
  return index >= 0 && index < kTabCount && ThePanel().built[static_cast<size_t>(index)];
}

HWND TabPage(int index) {
  if (index < 0 || index >= kTabCount) return nullptr;
  return ThePanel().pages[static_cast<size_t>(index)];
}

void ResizePanelTabs(int width, int height) {
  Panel& panel = ThePanel();
  if (!panel.tabs) return;
  if (height < 0) height = 0;
  // The start lays the window out right after building the tabs at this
  // size: fitting the captions again would only slow it.
  if (panel.fittedTo.cx == width && panel.fittedTo.cy == height) return;
  SetWindowPos(panel.tabs, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  panel.captions.Fit();
  PlacePages();
  panel.fittedTo = {width, height};
}

void GetPageInnerSize(int* width, int* height) {
  if (width) *width = ThePanel().PageWidth();
  if (height) *height = ThePanel().PageHeight();
}

bool HandlePanelTabsNotify(const NMHDR* header) {
  Panel& panel = ThePanel();
  if (!header || !panel.tabs || header->hwndFrom != panel.tabs || header->code != TCN_SELCHANGE) return false;
  panel.captions.Fit();
  const int index = CurrentTab();
  if (index >= 0 && index < kTabCount) ShowPage(index);
  return true;
}

bool HandlePanelTabsKey(const MSG& msg) {
  const Panel& panel = ThePanel();
  if (!panel.tabs || msg.message != WM_KEYDOWN || !(GetKeyState(VK_CONTROL) & 0x8000)) return false;
  HWND root = GetAncestor(panel.tabs, GA_ROOT);
  if (!msg.hwnd || (msg.hwnd != root && !IsChild(root, msg.hwnd))) return false;
  int step = 0;
  if (msg.wParam == VK_TAB) step = (GetKeyState(VK_SHIFT) & 0x8000) ? -1 : 1;
  if (msg.wParam == VK_NEXT) step = 1;
  if (msg.wParam == VK_PRIOR) step = -1;
  if (!step) return false;
  const int from = CurrentTab();
  const int to = ((from < 0 ? 0 : from) + step + kTabCount) % kTabCount;
  HWND focus = GetFocus();
  const bool focusOnPage = focus && from >= 0 && IsChild(panel.pages[static_cast<size_t>(from)], focus);
  SelectTab(to);
  if (focusOnPage) {
    HWND page = panel.pages[static_cast<size_t>(to)];
    if (HWND first = GetNextDlgTabItem(page, nullptr, FALSE)) SetFocus(first);
  }
  return true;
}

void SetPanelPageColor(COLORREF colour) {
  Panel& panel = ThePanel();
  panel.pageBrush.reset(CreateSolidBrush(colour));
  for (HWND page : panel.pages) {
    if (page) SetTabPageBrush(page, panel.pageBrush.get());
  }
}

TabObjects* Tabs() { return ThePanel().objects.get(); }


}  // namespace kelvane
