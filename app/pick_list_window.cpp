#include "app/pick_list_window.h"

#include <commctrl.h>

#include "app/app_state.h"
#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "theme/colour_layer_win.h"
#include "theme/dark_mode_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/fonts_win.h"
#include "toolkit/handle_win.h"
#include "toolkit/list_view_win.h"
#include "toolkit/window_class_win.h"

namespace kelvane {
namespace {

constexpr int kInnerWidth = 600;
constexpr int kInnerHeight = 400;
constexpr int kStatusImage = 17;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

struct PickState {
  HWND window = nullptr;
  HWND owner = nullptr;
  UINT dpi = 96;
  UniqueFont font;
  bool open = false;  // until OK or "Annuler"
  std::optional<std::vector<bool>> answer;
};

PickState& State() {
  static PickState state;
  return state;
}

int S(int units) { return Scale(units, State().dpi); }

HWND MakeChild(HWND parent, int gadget, const wchar_t* cls, const wchar_t* text, DWORD style, DWORD exStyle, int x,
               int y, int width, int height) {
  HWND child = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(gadget)), GetModuleHandleW(nullptr),
                               nullptr);
  if (!child) return nullptr;
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(State().font.get()), FALSE);
  RegisterGadget(gadget, child);
  return child;
}

void SetCell(HWND list, int row, int column, const std::wstring& text) {
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void FillRows(HWND list, const std::vector<PickRow>& rows) {
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (const PickRow& row : rows) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = ListView_GetItemCount(list);
    item.pszText = const_cast<wchar_t*>(row.name.c_str());
    const auto at = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (at < 0) continue;
    SetCell(list, at, 1, row.target);
    SetCell(list, at, 2, row.note);
    ListView_SetCheckState(list, at, row.ticked);
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

std::vector<bool> Ticks() {
  std::vector<bool> ticks;
  HWND list = Gadget(kPickListRows);
  const int count = list ? ListView_GetItemCount(list) : 0;
  for (int row = 0; row < count; ++row) ticks.push_back(ListView_GetCheckState(list, row) != FALSE);
  return ticks;
}

void ShowTickedCount() {
  HWND bar = Gadget(kPickListStatusBar);
  if (!bar) return;
  std::size_t ticked = 0;
  const std::vector<bool> ticks = Ticks();
  for (bool tick : ticks) ticked += tick;
  const std::wstring text = std::to_wstring(ticked) + L" sur " + std::to_wstring(ticks.size()) +
                            (ticked > 1 ? L" coch\u00E9s" : L" coch\u00E9");
  SendMessageW(bar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(text.c_str()));
}

void Finish(bool ok) {
  PickState& state = State();
  if (!state.open) return;
  state.open = false;
  state.answer = ok ? std::optional<std::vector<bool>>(Ticks()) : std::nullopt;
  // The owner first: a window destroyed while its owner is disabled hands
  // the activation to another program.
  if (state.owner) EnableWindow(state.owner, TRUE);
  if (HWND window = state.window; window && IsWindow(window)) DestroyWindow(window);
}

LRESULT CALLBACK PickListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kPickListOk:
        case IDOK:
          Finish(true);
          return 0;
        case kPickListCancel:
        case IDCANCEL:
          Finish(false);
          return 0;
        default:
          break;
      }
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == kPickListRows && header->code == LVN_ITEMCHANGED &&
          (reinterpret_cast<const NMLISTVIEW*>(lParam)->uChanged & LVIF_STATE)) {
        ShowTickedCount();
      }
      break;
    }
    case WM_CLOSE:
      Finish(false);
      return 0;
    case WM_DESTROY:
      if (State().window == window) {
        for (int gadget = kPickListPrompt; gadget <= kPickListStatusBar; ++gadget) RegisterGadget(gadget, nullptr);
        State().window = nullptr;
        State().open = false;
      }
      break;
    case WM_NCDESTROY:
      if (!State().window) State().font.reset();
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void BuildGadgets(HWND window, const std::wstring& prompt, const std::vector<PickRow>& rows) {
  MakeChild(window, kPickListPrompt, WC_STATICW, prompt.c_str(), SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 0, S(5),
            S(5), S(590), S(17));
  if (HWND list = MakeChild(window, kPickListRows, WC_LISTVIEWW, nullptr,
                            WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL, WS_EX_CLIENTEDGE, S(5),
                            S(25), S(590), S(320))) {
    const DWORD extended = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    if (HWND header = ListView_GetHeader(list); header && App().fonts[1]) {
      SendMessageW(header, WM_SETFONT, reinterpret_cast<WPARAM>(App().fonts[1].get()), FALSE);
    }
    InsertListColumn(list, 0, L"Nom", S(190));
    InsertListColumn(list, 1, L"Cible", S(280));
    InsertListColumn(list, 2, L"Remarque", S(95));
    FillRows(list, rows);
    if (!rows.empty()) ListView_SetItemState(list, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  }
  MakeChild(window, kPickListOk, WC_BUTTONW, L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, S(395), S(350), S(100), S(25));
  MakeChild(window, kPickListCancel, WC_BUTTONW, L"Annuler", WS_TABSTOP | BS_PUSHBUTTON, 0, S(495), S(350), S(100),
            S(25));
  if (HWND bar = CreateStatusBar(window, kPickListStatusBar, State().font.get(), App().images.Icon(kStatusImage), S(20),
                                 L"", 0)) {
    RegisterGadget(kPickListStatusBar, bar);
  }
  ShowTickedCount();
}

void ApplyDarkLook(HWND window) {
  if (HighContrastOn()) return;
  ApplyDarkTitleBar(window);
  ApplyDarkStatusBarStyle(Gadget(kPickListStatusBar));
  const Colour surface = DarkSurface();
  SetgadgetColorEx(kPickListPrompt, BackColor, DarkBase, 0);
  SetgadgetColorEx(kPickListPrompt, FrontColor, DarkText, 0);
  for (int gadget : {kPickListRows, kPickListOk, kPickListCancel}) SetgadgetColorEx(gadget, BackColor, surface, 0);
}

}  // namespace

HWND OpenPickListWindow(HWND owner, const std::wstring& title, const std::wstring& prompt,
                        const std::vector<PickRow>& rows) {
  PickState& state = State();
  if (state.window && IsWindow(state.window)) DestroyWindow(state.window);
  if (!RegisterWindowClassOnce(kPickListWindowClass, PickListProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                               LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)))) {
    return nullptr;
  }
  state.dpi = DpiOf(nullptr);
  state.font = CreateMessageFont(state.dpi);
  state.answer.reset();
  HWND window = CreateCentredWindow(kPickListWindowClass, title.c_str(), kStyle, S(kInnerWidth), S(kInnerHeight), owner);
  if (!window) return nullptr;
  state.window = window;
  state.owner = owner;
  state.open = true;
  SetWindowNumber(window, kPickListWindow);
  BuildGadgets(window, prompt, rows);
  ApplyDarkLook(window);
  ShowWindow(window, SW_SHOW);
  if (HWND list = Gadget(kPickListRows)) SetFocus(list);
  return window;
}

std::optional<std::vector<bool>> ShowPickList(HWND owner, const std::wstring& title, const std::wstring& prompt,
                                              const std::vector<PickRow>& rows) {
  // One at a time: the tray menu still answers while the main window waits.
  if (State().open) return std::nullopt;
  HWND window = OpenPickListWindow(owner, title, prompt, rows);
  if (!window) return std::nullopt;
  if (owner) EnableWindow(owner, FALSE);
  MSG msg{};
  bool quit = false;
  while (State().open) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      quit = got == 0;
      break;
    }
    if (!IsDialogMessageW(window, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  Finish(false);  // when the loop ended by WM_QUIT
  if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
  if (owner) SetForegroundWindow(owner);
  return PickListAnswer();
}

HWND PickListWindowHandle() { return State().window; }

std::optional<std::vector<bool>> PickListAnswer() { return State().answer; }

}  // namespace kelvane
