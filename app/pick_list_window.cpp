#include "app/pick_list_window.h"

#include <commctrl.h>

#include "app/app_state.h"
#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "theme/colour_layer_win.h"
#include "theme/dark_mode_win.h"
#include "toolkit/list_view_win.h"
#include "toolkit/secondary_window_win.h"

namespace kelvane {
namespace {

constexpr int kInnerWidth = 600;
constexpr int kInnerHeight = 400;

bool PickListHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

struct PickState {
  SecondaryWindow frame{PickListHandler};
  HWND owner = nullptr;
  bool open = false;  // until OK or "Annuler"
  std::optional<std::vector<bool>> answer;
};

PickState& State() {
  static PickState state;
  return state;
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
  state.frame.Close();
}

bool PickListHandler(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kPickListOk:
        case IDOK:
          Finish(true);
          return true;
        case kPickListCancel:
        case IDCANCEL:
          Finish(false);
          return true;
        default:
          return false;
      }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == kPickListRows && header->code == LVN_ITEMCHANGED &&
          (reinterpret_cast<const NMLISTVIEW*>(lParam)->uChanged & LVIF_STATE)) {
        ShowTickedCount();
      }
      return false;
    }
    case WM_CLOSE:
      Finish(false);
      return true;
    case WM_DESTROY:
      State().open = false;
      return false;
    default:
      return false;
  }
}

void BuildGadgets(const std::wstring& prompt, const std::vector<PickRow>& rows) {
  SecondaryWindow& frame = State().frame;
  frame.AddGadget(kPickListPrompt, WC_STATICW, prompt.c_str(), SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 0, 5, 5, 590,
                  17);
  if (HWND list = frame.AddGadget(kPickListRows, WC_LISTVIEWW, nullptr,
                                  WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL, WS_EX_CLIENTEDGE, 5,
                                  25, 590, 320)) {
    const DWORD extended = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    if (HWND header = ListView_GetHeader(list); header && App().fonts[1]) {
      SendMessageW(header, WM_SETFONT, reinterpret_cast<WPARAM>(App().fonts[1].get()), FALSE);
    }
    InsertListColumn(list, 0, L"Nom", frame.S(190));
    InsertListColumn(list, 1, L"Cible", frame.S(280));
    InsertListColumn(list, 2, L"Remarque", frame.S(95));
    FillRows(list, rows);
    if (!rows.empty()) ListView_SetItemState(list, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  }
  frame.AddGadget(kPickListOk, WC_BUTTONW, L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 395, 350, 100, 25);
  frame.AddGadget(kPickListCancel, WC_BUTTONW, L"Annuler", WS_TABSTOP | BS_PUSHBUTTON, 0, 495, 350, 100, 25);
  frame.AddStatusBar(kPickListStatusBar, App().images.Icon(kStatusBarImage), L"");
  ShowTickedCount();
}

void ApplyDarkLook(HWND window) {
  if (!BeginSecondaryDarkLook(window, Gadget(kPickListStatusBar))) return;
  const Colour surface = DarkSurface();
  SetgadgetColorEx(kPickListPrompt, BackColor, DarkBase, 0);
  SetgadgetColorEx(kPickListPrompt, FrontColor, DarkText, 0);
  for (int gadget : {kPickListRows, kPickListOk, kPickListCancel}) SetgadgetColorEx(gadget, BackColor, surface, 0);
}

}  // namespace

HWND OpenPickListWindow(HWND owner, const std::wstring& title, const std::wstring& prompt,
                        const std::vector<PickRow>& rows) {
  PickState& state = State();
  state.answer.reset();
  const SecondaryWindow::Outline outline{
      kPickListWindowClass, title, kInnerWidth, kInnerHeight, owner, kPickListPrompt, kPickListStatusBar};
  if (!state.frame.Create(outline)) return nullptr;
  state.owner = owner;
  state.open = true;
  AttachColourLayer(state.frame.Handle(), kPickListWindow);
  BuildGadgets(prompt, rows);
  state.frame.Show(ApplyDarkLook, kPickListRows);
  return state.frame.Handle();
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

HWND PickListWindowHandle() { return State().frame.Handle(); }

std::optional<std::vector<bool>> PickListAnswer() { return State().answer; }

}  // namespace kelvane
