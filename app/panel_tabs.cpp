#include "app/panel_tabs.h"

#include <shlobj.h>

#include <algorithm>
#include <array>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/folder_lists.h"
#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "catalog/catalog.h"
#include "explorer/explorer_tab_win.h"
#include "lists/list_store_win.h"
#include "toolkit/column_fit_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/fonts_win.h"
#include "toolkit/handle_win.h"
#include "toolkit/label_fit_win.h"
#include "toolkit/special_folders_win.h"
#include "toolkit/tab_captions_win.h"
#include "toolkit/tool_button_win.h"
#include "toolkit/window_class_win.h"

namespace kelvane {
namespace {


struct TabDef {
  const wchar_t* titleKey;  // group Panel
  int image;
};

constexpr TabDef kTabs[kTabCount] = {
    {L"Applications", 5}, {L"Fichiers", 7}, {L"Internet", 3},
    {L"Historique", 8},   {L"Explorer", 26}, {L"Bureau", 47},
};

enum Tab { kTabApps, kTabFiles, kTabLinks, kTabHistory, kTabExplorer, kTabDesktop };

struct ToolButtonDef {
  int gadget;
  int image;
  const wchar_t* tooltipKey;
};

// Left to right from x 102, 31 apart (closer on a narrow page); tooltips of
// group ToolTipHistory.
constexpr ToolButtonDef kHistoryButtons[] = {
    {kHistFiltrer, 42, L"FiltrerRacc"},        {kHistSupprimerRacc, 6, L"SupprimerRacc"},
    {kHistSupprimerTout, 22, L"Supprimertout"}, {kHistRecharger, 28, L"RechargerRecents"},
    {kHistCreerRacc, 43, L"CreerRacc"},        {kHistProprietes, 21, L"ProprietesRacc"},
    {kHistAffichage, 29, L"Options"},          {kHistDetails, 36, L"DetailsRecents"},
};
constexpr int kHistoryButtonsX = 102;

// Left to right from x 0, 31 apart (closer on a narrow page); tooltips of
// group ToolTipExplorer. The clipboard buttons stand paste, show, empty.
constexpr ToolButtonDef kExplorerButtons[] = {
    {kExplRecharger, 28, L"RechargerRep"},
    {kExplDossiers, 18, L"SelectRepOuvrir"},
    {kExplNouveauDossier, 33, L"NouveauDossier"},
    {kExplCopier, 38, L"Copier"},
    {kExplColler, 39, L"Coller"},
    {kExplVoirPressePapier, 44, L"VoirPressePapier"},
    {kExplVider, 40, L"ViderPressePapier"},
    {kExplCopierVers, 37, L"CopierVers"},
    {kExplDeplacerVers, 32, L"DeplacerVers"},
    {kExplSupprimer, 6, L"Supprimer"},
    {kExplRecycler, 27, L"Recycler"},
    {kExplProprietes, 21, L"Proprietes"},
    {kExplAffichage, 29, L"OptionsAffichage"},
};
constexpr int kToolButtonStep = 31;
constexpr int kToolButtonWidth = 30;
constexpr int kToolButtonHeight = 25;

// The desktop tab's title and source drop-down, as drawn on a page wide enough.
constexpr int kDesktopTitleX = 5;
constexpr int kDesktopTitleWidth = 230;
constexpr int kSourceComboX = 224;
constexpr int kSourceComboWidth = 170;

struct ReportListDef {
  int gadget;
  const wchar_t* column0Key;
  const wchar_t* column1Key;
};

constexpr ReportListDef kReportLists[] = {
    {kAppsList, L"Applications", L"Emplacement"},
    {kFilesList, L"FichiersDossiers", L"Emplacement"},
    {kLinksList, L"LiensWeb", L"AdresseWeb"},
};

struct Panel {
  HWND tabs = nullptr;
  std::array<HWND, kTabCount> pages{};
  std::array<bool, kTabCount> built{};  // the page's gadgets exist
  PageBuiltHook pageBuilt = nullptr;
  UniqueImageList tabImages;
  std::array<int, kTabCount> tabImageIndex{-1, -1, -1, -1, -1, -1};
  TabCaptions captions;
  UniqueFont gadgetFont;
  UniqueFont titleFont;  // the desktop title's font made smaller, when the page needs it
  UniqueBrush pageBrush;
  int pageWidth = 0;  // pixels
  int pageHeight = 0;
  UINT dpi = 96;
  // The item height that gave the drop-downs their field height, found by
  // the first drop-down and set at once on the next.
  int dropDownItemHeight = 0;
  int dropDownHeight = 0;
  // The folder lists, made with their pages.
  std::unique_ptr<ExplorerListControl> recentList;
  std::unique_ptr<ExplorerListControl> explorerList;
  std::unique_ptr<ExplorerListControl> desktopList;
  std::wstring lastDrop;
};

Panel& ThePanel() {
  static Panel panel;
  return panel;
}

int S(int units) { return Scale(units, ThePanel().dpi); }

HMENU IdOf(int gadget) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(gadget)); }

// --- Page windows ------------------------------------------------------------

LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CONTEXTMENU:  // sent on as the gadget sent it, naming the gadget (a list's menu key)
      // The main window dispatches gadget events and colours gadgets.
      if (HWND root = GetAncestor(page, GA_ROOT); root && root != page) {
        return SendMessageW(root, message, wParam, lParam);
      }
      break;
    case WM_ERASEBKGND: {
      RECT area{};
      GetClientRect(page, &area);
      const HBRUSH brush = ThePanel().pageBrush ? ThePanel().pageBrush.get() : GetSysColorBrush(COLOR_BTNFACE);
      FillRect(reinterpret_cast<HDC>(wParam), &area, brush);
      return 1;
    }
    default:
      break;
  }
  return DefWindowProcW(page, message, wParam, lParam);
}

bool RegisterPageClass() { return RegisterWindowClassOnce(kPanelPageClass, PageProc); }

RECT DisplayArea(HWND tabs) {
  RECT area{};
  GetClientRect(tabs, &area);
  TabCtrl_AdjustRect(tabs, FALSE, &area);
  if (area.right < area.left) area.right = area.left;
  if (area.bottom < area.top) area.bottom = area.top;
  return area;
}

// Where button `index` of a row of `count` from `left` (window units)
// stands: 31 apart and 30 wide, closer and narrower when the page is too
// narrow for the row.
RECT ToolButtonPlace(int left, int index, int count) {
  const int gap = S(kToolButtonStep) - S(kToolButtonWidth);
  int x = S(left + index * kToolButtonStep);
  int width = S(kToolButtonWidth);
  if (S(left + count * kToolButtonStep) - gap > ThePanel().pageWidth) {
    const int step = (ThePanel().pageWidth - S(left) + gap) / count;
    x = S(left) + index * step;
    width = step - gap;
  }
  return {x, 0, x + width, S(kToolButtonHeight)};
}

void PlaceToolRow(std::span<const ToolButtonDef> row, int left) {
  const int count = static_cast<int>(row.size());
  for (int i = 0; i < count; ++i) {
    const RECT r = ToolButtonPlace(left, i, count);
    if (HWND button = Gadget(row[static_cast<size_t>(i)].gadget)) {
      SetWindowPos(button, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
}

int SourceComboWidth() {
  return std::min(S(kSourceComboWidth), ThePanel().pageWidth - S(kSourceComboX));
}

// The desktop title in font 0 (the gadget font when there is none), whole.
void FitDesktopTitle() {
  Panel& panel = ThePanel();
  HFONT font = App().fonts[0] ? App().fonts[0].get() : panel.gadgetFont.get();
  FitLabel(Gadget(kDesktopTitle), font, S(kDesktopTitleWidth), panel.pageWidth - 2 * S(kDesktopTitleX),
           panel.titleFont);
}

// The gadgets whose place or size follows the page's width; the lists are
// sized by the main window's layout.
void FitPageRows() {
  Panel& panel = ThePanel();
  if (panel.built[kTabHistory]) PlaceToolRow(kHistoryButtons, kHistoryButtonsX);
  if (panel.built[kTabExplorer]) PlaceToolRow(kExplorerButtons, 0);
  if (!panel.built[kTabDesktop]) return;
  FitDesktopTitle();
  if (HWND combo = Gadget(kDesktopSourceCombo)) {
    RECT field{};
    GetWindowRect(combo, &field);
    // A drop-down list's height counts its open list too.
    SetWindowPos(combo, nullptr, 0, 0, SourceComboWidth(), field.bottom - field.top + S(200),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void PlacePages() {
  Panel& panel = ThePanel();
  const RECT area = DisplayArea(panel.tabs);
  panel.pageWidth = area.right - area.left;
  panel.pageHeight = area.bottom - area.top;
  for (HWND page : panel.pages) {
    if (page) {
      SetWindowPos(page, nullptr, area.left, area.top, panel.pageWidth, panel.pageHeight,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  FitPageRows();
}

// Adds tab `index` and its (hidden unless first) page; PlacePages sizes the
// pages once all tabs are there.
HWND AddTab(int index) {
  Panel& panel = ThePanel();
  std::wstring title = CatalogText(L"Panel", kTabs[index].titleKey);
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = title.data();
  item.iImage = panel.tabImageIndex[static_cast<size_t>(index)];
  SendMessageW(panel.tabs, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));

  const DWORD visible = index == 0 ? WS_VISIBLE : 0;
  HWND page = CreateWindowExW(WS_EX_CONTROLPARENT, kPanelPageClass, nullptr,
                              WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | visible, 0, 0, 0, 0, panel.tabs,
                              IdOf(200 + index), GetModuleHandleW(nullptr), nullptr);
  panel.pages[static_cast<size_t>(index)] = page;
  return page;
}

// --- Gadgets -----------------------------------------------------------------

HWND MakeGadget(HWND page, int gadget, const wchar_t* cls, const wchar_t* text, DWORD style, DWORD exStyle, int x,
                int y, int width, int height) {
  HWND window = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, page,
                                IdOf(gadget), GetModuleHandleW(nullptr), nullptr);
  if (!window) return nullptr;
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(ThePanel().gadgetFont.get()), FALSE);
  RegisterGadget(gadget, window);
  return window;
}

void AddColumn(HWND list, int index, const std::wstring& title, int widthUnits) {
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

// A list view; its header takes font 1 (after the list's own font, which
// the list view passes on to its header).
HWND MakeList(HWND page, int gadget, DWORD style, DWORD exStyle, DWORD listExStyle, int x, int y, int width,
              int height) {
  HWND list = MakeGadget(page, gadget, WC_LISTVIEWW, nullptr, WS_TABSTOP | style, exStyle, x, y, width, height);
  if (!list) return nullptr;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, listExStyle, listExStyle);
  if (HWND header = ListView_GetHeader(list); header && App().fonts[1]) {
    SendMessageW(header, WM_SETFONT, reinterpret_cast<WPARAM>(App().fonts[1].get()), FALSE);
  }
  return list;
}

// The buttons are made at their default size, then placed as the page allows.
void MakeToolRow(HWND page, std::span<const ToolButtonDef> row, const wchar_t* group, int left) {
  for (const ToolButtonDef& def : row) {
    HWND button = CreateToolButton(page, def.gadget, 0, 0, S(kToolButtonWidth), S(kToolButtonHeight),
                                   App().images.Icon(def.image), CatalogText(group, def.tooltipKey));
    if (button) RegisterGadget(def.gadget, button);
  }
  PlaceToolRow(row, left);
}

// A folder list: the control's window is the gadget (place, size, colours);
// its list view takes the gadget font, and its header font 1.
std::unique_ptr<ExplorerListControl> MakeFolderList(HWND page, int gadget, int x, int y, int width, int height,
                                                    const std::wstring& folder, const ExplorerListOptions& options) {
  auto control = std::make_unique<ExplorerListControl>();
  if (!control->Create(page, gadget, x, y, width, height, folder, options)) return nullptr;
  SendMessageW(control->Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(ThePanel().gadgetFont.get()), FALSE);
  if (App().fonts[1]) control->SetHeaderFont(App().fonts[1].get());
  RegisterGadget(gadget, control->Window());
  return control;
}

void BuildReportListTab(HWND page, const ReportListDef& def) {
  const Panel& panel = ThePanel();
  // Owner data: the rows are the favourite store's, asked for as drawn.
  HWND list = MakeList(page, def.gadget, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
                       WS_EX_CLIENTEDGE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_INFOTIP, 0, 0,
                       panel.pageWidth, panel.pageHeight);
  if (!list) return;
  AddColumn(list, 0, CatalogText(L"Panel", def.column0Key), 400);
  AddColumn(list, 1, CatalogText(L"Panel", def.column1Key), 300);
  KeepColumnsFitted(list, {{55, L""}, {45, L""}});
}

void BuildHistoryTab(HWND page) {
  Panel& panel = ThePanel();
  FindTabFolders();
  if (HWND date = MakeGadget(page, kPurgeDate, DATETIMEPICK_CLASSW, nullptr, WS_TABSTOP | DTS_SHORTDATEFORMAT, 0,
                             0, 0, S(100), S(25))) {
    SendMessageW(date, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"dd/MM/yyyy"));
    SetGadgetToolTip(date, CatalogText(L"ToolTipHistory", L"DatePurgeRacc"));
  }
  MakeToolRow(page, kHistoryButtons, L"ToolTipHistory", kHistoryButtonsX);
  const int top = S(kToolButtonHeight);
  // The recent-items folder as the shell keeps it; the program handles
  // double clicks itself.
  ExplorerListOptions options;
  options.parentEntry = false;
  options.multipleSelection = true;
  options.fullRowSelect = true;
  options.enterFolders = false;
  options.targetColumn = true;
  options.displayMode = 3;
  panel.recentList = MakeFolderList(page, kRecentList, 0, top, panel.pageWidth, panel.pageHeight - top,
                                    App().recentFolder, options);
}

void BuildExplorerTab(HWND page) {
  Panel& panel = ThePanel();
  MakeToolRow(page, kExplorerButtons, L"ToolTipExplorer", 0);
  const int top = S(kToolButtonHeight);
  // The explorer list starts in the documents folder.
  const std::wstring& documents = App().documentsFolder;
  ExplorerListOptions options;
  options.multipleSelection = true;
  options.fullRowSelect = true;
  options.acceptDrops = true;
  options.displayMode = 3;
  panel.explorerList =
      MakeFolderList(page, kExplorerList, 0, top, panel.pageWidth, panel.pageHeight - S(47), documents, options);
  if (panel.explorerList) {
    panel.explorerList->SetHeaderText(ExplorerCountHeader(panel.explorerList->RowCount() - 1));
  }
  MakeGadget(page, kExplorerPath, WC_EDITW, documents.c_str(), WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 0,
             panel.pageHeight - S(22), panel.pageWidth, S(22));
}

// A drop-down list whose closed field is `height` pixels high in all.
HWND MakeDropDown(HWND page, int gadget, int x, int y, int width, int height,
                  std::initializer_list<const wchar_t*> keys) {
  HWND combo = MakeGadget(page, gadget, WC_COMBOBOXW, nullptr, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, x, y,
                          width, height + S(200));
  if (!combo) return nullptr;
  for (const wchar_t* key : keys) {
    const std::wstring text = CatalogText(L"PopUpMenus", key);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  Panel& panel = ThePanel();
  if (panel.dropDownItemHeight > 0 && panel.dropDownHeight == height) {
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), panel.dropDownItemHeight);
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
      panel.dropDownItemHeight = attempt > 0 ? field : 0;
      panel.dropDownHeight = height;
      break;
    }
    if (field + error <= 0) break;
    field += error;
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  }
  return combo;
}

void BuildDesktopTab(HWND page) {
  Panel& panel = ThePanel();
  FindTabFolders();
  const std::wstring title = CatalogText(L"ToolTipExplorer", L"RaccourcisBureau");
  MakeGadget(page, kDesktopTitle, WC_STATICW, title.c_str(), SS_LEFT | SS_NOPREFIX, 0, S(kDesktopTitleX), S(2),
             S(kDesktopTitleWidth), S(17));
  FitDesktopTitle();
  const std::wstring home = CatalogText(L"ToolTipExplorer", L"Bureau");
  if (HWND button = MakeGadget(page, kDesktopHomeButton, WC_BUTTONW, home.c_str(), WS_TABSTOP | BS_PUSHBUTTON, 0, 0,
                               S(20), S(60), S(22))) {
    SetGadgetToolTip(button, CatalogText(L"ToolTipExplorer", L"RetourBureau"));
  }
  if (HWND view = MakeDropDown(page, kDesktopViewCombo, S(62), S(20), S(160), S(22),
                               {L"LargesIco", L"PetitesIco", L"ModeListe", L"ModeDetails"})) {
    SetGadgetToolTip(view, CatalogText(L"PopUpMenus", L"SelectionAffichage"));
  }
  MakeDropDown(page, kDesktopSourceCombo, S(kSourceComboX), S(20), SourceComboWidth(), S(22),
               {L"UserDesktop", L"PublicDesktop"});

  const int top = S(43);
  ExplorerListOptions options;
  options.border = false;
  options.showSelectionAlways = true;
  options.parentEntry = false;
  options.multipleSelection = true;
  options.fullRowSelect = true;
  options.sortByName = true;
  options.displayMode = 0;
  panel.desktopList = MakeFolderList(page, kDesktopList, 0, top, panel.pageWidth, panel.pageHeight - S(45),
                                     App().userDesktopFolder, options);
  if (panel.desktopList) {
    // Black with grey-blue text whatever the theme.
    HWND list = panel.desktopList->Hwnd();
    ListView_SetBkColor(list, RGB(0, 0, 0));
    ListView_SetTextBkColor(list, RGB(0, 0, 0));
    ListView_SetTextColor(list, RGB(130, 142, 159));
  }
}

// A page's gadgets are made the first time it is shown, or by
// BuildAllPages: at start-up only the first screen waits for its gadgets.
void BuildPageContents(int index) {
  Panel& panel = ThePanel();
  HWND page = panel.pages[static_cast<size_t>(index)];
  if (!page || panel.built[static_cast<size_t>(index)]) return;
  panel.built[static_cast<size_t>(index)] = true;
  switch (index) {
    case kTabApps:
    case kTabFiles:
    case kTabLinks:
      BuildReportListTab(page, kReportLists[index]);
      GiveEmptyListHint(Gadget(kReportLists[index].gadget));
      break;
    case kTabHistory:
      BuildHistoryTab(page);
      break;
    case kTabExplorer:
      BuildExplorerTab(page);
      break;
    case kTabDesktop:
      BuildDesktopTab(page);
      break;
    default:
      break;
  }
  if (panel.pageBuilt) panel.pageBuilt(index);
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

void BuildPanelTabs(HWND main) {
  Panel& panel = ThePanel();
  panel = Panel{};
  panel.dpi = DpiOf(main);
  if (!RegisterPageClass()) return;
  panel.gadgetFont = CreateMessageFont(panel.dpi);

  RECT inner{};
  GetClientRect(main, &inner);
  // WS_EX_CONTROLPARENT: the dialog manager's Tab key reaches the gadgets on the pages.
  panel.tabs = CreateWindowExW(WS_EX_CONTROLPARENT, WC_TABCONTROLW, nullptr,
                               WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP, 0, S(30),
                               inner.right, inner.bottom - S(30), main, IdOf(kPanelTabs), GetModuleHandleW(nullptr),
                               nullptr);
  if (!panel.tabs) return;
  RegisterGadget(kPanelTabs, panel.tabs);
  SendMessageW(panel.tabs, WM_SETFONT, reinterpret_cast<WPARAM>(panel.gadgetFont.get()), FALSE);

  const int side = S(16);
  panel.tabImages.reset(ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, kTabCount, 0));
  for (int index = 0; index < kTabCount; ++index) {
    panel.tabImageIndex[static_cast<size_t>(index)] =
        App().images.AddToImageList(panel.tabImages.get(), kTabs[index].image, side);
  }
  if (panel.tabImages) {
    SendMessageW(panel.tabs, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(panel.tabImages.get()));
  }

  std::vector<std::wstring> captions;
  for (int index = 0; index < kTabCount; ++index) {
    AddTab(index);
    captions.push_back(CatalogText(L"Panel", kTabs[index].titleKey));
  }
  panel.captions.Attach(panel.tabs, std::move(captions));
  SendMessageW(panel.tabs, TCM_SETCURSEL, 0, 0);
  panel.captions.Fit();
  PlacePages();
  BuildPageContents(0);
}

bool BuildNextPage() {
  Panel& panel = ThePanel();
  for (int index = 0; index < kTabCount; ++index) {
    if (panel.pages[static_cast<size_t>(index)] && !panel.built[static_cast<size_t>(index)]) {
      BuildPageContents(index);
      return true;
    }
  }
  return false;
}

void BuildAllPages() {
  while (BuildNextPage()) {
  }
}

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

HWND TabPage(int index) {
  if (index < 0 || index >= kTabCount) return nullptr;
  return ThePanel().pages[static_cast<size_t>(index)];
}

void ResizePanelTabs(int width, int height) {
  Panel& panel = ThePanel();
  if (!panel.tabs) return;
  SetWindowPos(panel.tabs, nullptr, 0, 0, width, height < 0 ? 0 : height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  panel.captions.Fit();
  PlacePages();
}

void GetPageInnerSize(int* width, int* height) {
  if (width) *width = ThePanel().pageWidth;
  if (height) *height = ThePanel().pageHeight;
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
    if (page) InvalidateRect(page, nullptr, TRUE);
  }
}

ExplorerListControl* FolderList(int gadget) {
  Panel& panel = ThePanel();
  switch (gadget) {
    case kRecentList:
      return panel.recentList.get();
    case kExplorerList:
      return panel.explorerList.get();
    case kDesktopList:
      return panel.desktopList.get();
    default:
      return nullptr;
  }
}

const std::wstring& LastDroppedFiles() { return ThePanel().lastDrop; }

void SetLastDroppedFiles(const wchar_t* text) { ThePanel().lastDrop = text ? text : L""; }

}  // namespace kelvane
