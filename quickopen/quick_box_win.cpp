#include "quickopen/quick_box_win.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <ctime>
#include <unordered_map>

#include "quickopen/usage_file_win.h"
#include "theme/colour_layer_win.h"
#include "theme/dark_mode_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/fonts_win.h"
#include "toolkit/handle_win.h"
#include "toolkit/light_subclass_win.h"
#include "toolkit/shell_icons_win.h"
#include "toolkit/window_class_win.h"

namespace kelvane {
namespace {

constexpr int kInnerWidth = 560;
constexpr int kInnerHeight = 300;
constexpr int kMargin = 8;
constexpr int kFieldHeight = 24;
// More rows than anyone reads; keeps each keystroke's list update small.
constexpr std::size_t kMostResults = 200;
constexpr int kUnknownIcon = -2;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

struct BoxState {
  QuickBoxHost host;
  UsageCounts usage;
  std::wstring usagePath;
  bool usageRead = false;
  HWND window = nullptr;
  HWND field = nullptr;
  HWND results = nullptr;
  UINT dpi = 96;
  UniqueFont font;
  UniqueImageList images;  // image 0 the links' image, then copies of the shell's icons
  std::unordered_map<int, int> ownIndexOfShellIcon;
  QuickMatcher matcher;
  std::vector<int> icons;  // per item: index in `images`, or kUnknownIcon until asked
  std::vector<std::size_t> shown;
  std::wstring cellText;  // what the list view's last display request points to
};

BoxState& Box() {
  static BoxState state;
  return state;
}

int S(int units) { return Scale(units, Box().dpi); }

int ChosenRow() {
  return Box().results ? ListView_GetNextItem(Box().results, -1, LVNI_SELECTED) : -1;
}

void Choose(int row) {
  BoxState& box = Box();
  const int count = static_cast<int>(box.shown.size());
  if (count == 0) return;
  row = row < 0 ? 0 : (row >= count ? count - 1 : row);
  ListView_SetItemState(box.results, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemState(box.results, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(box.results, row, FALSE);
}

// Matches the field's text against the gathered entries; the best is chosen.
void Refill() {
  BoxState& box = Box();
  if (!box.results) return;
  const int length = GetWindowTextLengthW(box.field);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(box.field, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  box.shown = box.matcher.Find(text, box.usage, kMostResults);
  ListView_SetItemCountEx(box.results, static_cast<int>(box.shown.size()), 0);
  Choose(0);
  InvalidateRect(box.results, nullptr, TRUE);
}

// The item's icon in the box's own image list, copied from the shell's
// system image list the first time a row needs it.
int IconOf(std::size_t item) {
  BoxState& box = Box();
  int& icon = box.icons[item];
  if (icon != kUnknownIcon) return icon;
  const QuickItem& entry = box.matcher.Items()[item];
  int shellIcon = entry.icon;
  if (entry.source == QuickSource::Links) {
    icon = box.host.linkIcon ? 0 : -1;
    return icon;
  }
  if (shellIcon < 0) shellIcon = SmallShellIcon(entry.target);
  if (shellIcon < 0) shellIcon = SmallTypeIcon(entry.target);  // gone from the disk
  icon = -1;
  if (shellIcon < 0) return icon;
  if (auto found = box.ownIndexOfShellIcon.find(shellIcon); found != box.ownIndexOfShellIcon.end()) {
    icon = found->second;
    return icon;
  }
  if (UniqueIcon copy{ImageList_GetIcon(SystemImageList(false), shellIcon, ILD_NORMAL)}) {
    icon = ImageList_AddIcon(box.images.get(), copy.get());
    box.ownIndexOfShellIcon[shellIcon] = icon;
  }
  return icon;
}

void GiveCell(NMLVDISPINFOW* info) {
  BoxState& box = Box();
  LVITEMW& cell = info->item;
  if (cell.iItem < 0 || static_cast<std::size_t>(cell.iItem) >= box.shown.size()) return;
  const std::size_t item = box.shown[static_cast<std::size_t>(cell.iItem)];
  const QuickItem& entry = box.matcher.Items()[item];
  if (cell.mask & LVIF_TEXT) {
    switch (cell.iSubItem) {
      case 0: box.cellText = entry.name; break;
      case 1: box.cellText = QuickSourceName(entry.source); break;
      default: box.cellText = entry.target; break;
    }
    cell.pszText = box.cellText.data();
  }
  if ((cell.mask & LVIF_IMAGE) && cell.iSubItem == 0) {
    const int icon = IconOf(item);
    cell.iImage = icon >= 0 ? icon : I_IMAGENONE;
  }
}

void OpenChosen(bool containingFolder) {
  BoxState& box = Box();
  const int row = ChosenRow();
  if (row < 0 || static_cast<std::size_t>(row) >= box.shown.size()) {
    MessageBeep(MB_OK);
    return;
  }
  // A copy: the opening may show a message box, whose messages could reach the box.
  const QuickItem entry = box.matcher.Items()[box.shown[static_cast<std::size_t>(row)]];
  box.usage.Record(UsageKey(entry), static_cast<std::int64_t>(std::time(nullptr)));
  box.usage.Trim(kUsageEntriesKept);
  if (!box.usagePath.empty()) WriteUsageFile(box.usagePath, box.usage);
  HideQuickBox();
  SetWindowTextW(box.field, L"");
  if (containingFolder) {
    if (box.host.openFolder) box.host.openFolder(entry);
  } else if (box.host.open) {
    box.host.open(entry);
  }
  if (box.host.hidden) box.host.hidden();
}

// Escape: the text goes first, then the box.
void OnEscape() {
  BoxState& box = Box();
  if (GetWindowTextLengthW(box.field) > 0) {
    SetWindowTextW(box.field, L"");
    return;
  }
  HideQuickBox();
  if (box.host.hidden) box.host.hidden();
}

// The field keeps its keys and moves the list's choice: the keyboard stays
// where the typing is.
LRESULT FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, void*) {
  switch (message) {
    case WM_GETDLGCODE:
      if (lParam && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN) {
        const WPARAM key = reinterpret_cast<const MSG*>(lParam)->wParam;
        if (key == VK_RETURN || key == VK_ESCAPE) return DLGC_WANTALLKEYS;
      }
      break;
    case WM_KEYDOWN: {
      const int row = ChosenRow();
      const int page = Box().results ? std::max(1, ListView_GetCountPerPage(Box().results)) : 1;
      switch (wParam) {
        case VK_UP: Choose(row - 1); return 0;
        case VK_DOWN: Choose(row + 1); return 0;
        case VK_PRIOR: Choose(row - page); return 0;
        case VK_NEXT: Choose(row + page); return 0;
        case VK_RETURN: OpenChosen((GetKeyState(VK_CONTROL) & 0x8000) != 0); return 0;
        case VK_ESCAPE: OnEscape(); return 0;
        default: break;
      }
      break;
    }
    case WM_CHAR:
      // Their characters would only beep in a one-line field.
      if (wParam == L'\r' || wParam == L'\n' || wParam == 0x1B) return 0;
      break;
    default:
      break;
  }
  return CallNextLightSubclass(field, FieldProc, message, wParam, lParam);
}

// The chosen row in the selection colours even while the keyboard is in the
// field: the list would otherwise show it in its pale inactive look.
LRESULT PaintChosenRow(NMLVCUSTOMDRAW* draw) {
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      if (draw->nmcd.uItemState & CDIS_SELECTED) {
        draw->nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
        draw->clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
        draw->clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
        return CDRF_NEWFONT;
      }
      return CDRF_DODEFAULT;
    default:
      return CDRF_DODEFAULT;
  }
}

LRESULT OnNotify(const NMHDR* header) {
  if (header->idFrom != kQuickResults) return 0;
  switch (header->code) {
    case NM_CUSTOMDRAW:
      return PaintChosenRow(reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(header)));
    case LVN_GETDISPINFOW:
      GiveCell(reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header)));
      break;
    case NM_DBLCLK:
    case NM_RETURN:
      OpenChosen((GetKeyState(VK_CONTROL) & 0x8000) != 0);
      break;
    default:
      break;
  }
  return 0;
}

LRESULT CALLBACK BoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kQuickField && HIWORD(wParam) == EN_CHANGE) {
        Refill();
        return 0;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        OnEscape();
        return 0;
      }
      if (LOWORD(wParam) == IDOK) {  // Enter in the list (the field keeps its own)
        OpenChosen((GetKeyState(VK_CONTROL) & 0x8000) != 0);
        return 0;
      }
      break;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      LRESULT brush = 0;
      if (AnswerOwnGadgetColour(message, wParam, lParam, &brush)) return brush;
      break;
    }
    case WM_ACTIVATE:
      // Back to the box: the keyboard goes to the field again.
      if (LOWORD(wParam) != WA_INACTIVE && Box().field) SetFocus(Box().field);
      return 0;
    case WM_CLOSE:
      HideQuickBox();
      if (Box().host.hidden) Box().host.hidden();
      return 0;
    case WM_DESTROY:
      if (Box().window == window) {
        BoxState& box = Box();
        box.window = box.field = box.results = nullptr;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeChild(HWND parent, int id, const wchar_t* cls, DWORD style, DWORD exStyle, int x, int y, int width,
               int height) {
  HWND child = CreateWindowExW(exStyle, cls, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, width, height,
                               parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                               nullptr);
  if (child) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(Box().font.get()), FALSE);
  return child;
}

void AddColumn(HWND list, int index, int widthUnits) {
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH | LVCF_SUBITEM;
  column.cx = S(widthUnits);
  column.iSubItem = index;
  SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

void ApplyLook(HWND window) {
  BoxState& box = Box();
  // High contrast: the system's own colours stay.
  if (HighContrastOn()) return;
  ApplyDarkTitleBar(window);
  const Colour surface = DarkSurface();
  const Colour text = CompanionTextColour(surface);
  SetOwnGadgetColour(box.field, BackColor, surface);
  SetOwnGadgetColour(box.field, FrontColor, text);
  ListView_SetBkColor(box.results, static_cast<COLORREF>(surface));
  ListView_SetTextBkColor(box.results, static_cast<COLORREF>(surface));
  ListView_SetTextColor(box.results, static_cast<COLORREF>(text));
  SetWindowTheme(box.results, L"DarkMode_Explorer", nullptr);
  // SetWindowTheme may reset the extended styles.
  const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
  ListView_SetExtendedListViewStyleEx(box.results, extended, extended);
}

bool MakeBox(HWND owner) {
  BoxState& box = Box();
  if (!RegisterWindowClassOnce(kQuickBoxClass, BoxProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                               LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)))) {
    return false;
  }
  box.dpi = DpiOf(owner);
  box.font = CreateMessageFont(box.dpi);
  HWND window = CreateCentredWindow(kQuickBoxClass, L"Ouvrir un favori", kStyle, S(kInnerWidth), S(kInnerHeight),
                                    owner);
  if (!window) return false;
  box.window = window;
  const int width = S(kInnerWidth - 2 * kMargin);
  box.field = MakeChild(window, kQuickField, WC_EDITW, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, S(kMargin), S(kMargin),
                        width, S(kFieldHeight));
  const int listTop = S(2 * kMargin + kFieldHeight);
  box.results = MakeChild(window, kQuickResults, WC_LISTVIEWW,
                          LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER,
                          WS_EX_CLIENTEDGE, S(kMargin), listTop, width, S(kInnerHeight - kMargin) - listTop);
  if (!box.field || !box.results) {
    DestroyWindow(window);
    return false;
  }
  SendMessageW(box.field, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(kQuickBoxCue));
  AddLightSubclass(box.field, FieldProc, nullptr);
  const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
  ListView_SetExtendedListViewStyleEx(box.results, extended, extended);
  const int side = GetSystemMetrics(SM_CXSMICON);
  box.images.reset(ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, 16, 16));
  ListView_SetImageList(box.results, box.images.get(), LVSIL_SMALL);
  AddColumn(box.results, 0, 210);
  AddColumn(box.results, 1, 115);
  AddColumn(box.results, 2, kInnerWidth - 2 * kMargin - 210 - 115 - 24);
  ApplyLook(window);
  return true;
}

// The entries as they are now; icons start afresh (a list's may have changed).
void Gather() {
  BoxState& box = Box();
  box.matcher.SetItems(box.host.gather ? box.host.gather() : std::vector<QuickItem>{});
  box.icons.assign(box.matcher.Items().size(), kUnknownIcon);
  box.ownIndexOfShellIcon.clear();
  ImageList_RemoveAll(box.images.get());
  if (box.host.linkIcon) ImageList_AddIcon(box.images.get(), box.host.linkIcon);
}

}  // namespace

void SetQuickBoxHost(QuickBoxHost host) { Box().host = std::move(host); }

void SetQuickBoxUsageFile(std::wstring path) {
  BoxState& box = Box();
  box.usage = UsageCounts();
  box.usagePath = std::move(path);
  box.usageRead = false;
}

const UsageCounts& QuickBoxUsage() { return Box().usage; }

bool ShowQuickBox(HWND owner) {
  BoxState& box = Box();
  if (!box.window && !MakeBox(owner)) return false;
  if (!box.usageRead && !box.usagePath.empty()) box.usage = ReadUsageFile(box.usagePath);
  box.usageRead = true;
  // The list view asks for nothing while it has no rows to show.
  ListView_SetItemCountEx(box.results, 0, 0);
  box.shown.clear();
  Gather();
  Refill();
  ShowWindow(box.window, SW_SHOW);
  SetWindowPos(box.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(box.window);
  SetFocus(box.field);
  SendMessageW(box.field, EM_SETSEL, 0, -1);
  return true;
}

void HideQuickBox() {
  if (HWND window = Box().window; window && IsWindowVisible(window)) ShowWindow(window, SW_HIDE);
}

HWND QuickBoxWindow() { return Box().window; }

bool QuickBoxVisible() { return Box().window && IsWindowVisible(Box().window); }

bool QuickBoxInFront() { return QuickBoxVisible() && GetForegroundWindow() == Box().window; }

std::vector<QuickItem> QuickBoxResults() {
  std::vector<QuickItem> results;
  for (std::size_t index : Box().shown) results.push_back(Box().matcher.Items()[index]);
  return results;
}

}  // namespace kelvane
