#include "explorer/clipboard_window_win.h"

#include <commctrl.h>

#include <string>

#include "app/app_state.h"
#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "explorer/file_clipboard_win.h"
#include "explorer/format_size.h"
#include "theme/colour_layer_win.h"
#include "theme/dark_mode_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/fonts_win.h"
#include "toolkit/handle_win.h"
#include "toolkit/list_view_win.h"
#include "toolkit/path_parts.h"
#include "toolkit/shell_icons_win.h"
#include "toolkit/tool_button_win.h"
#include "toolkit/window_class_win.h"

namespace kelvane {
namespace {

constexpr int kInnerWidth = 600;
constexpr int kInnerHeight = 400;
constexpr int kStatusImage = 17;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

struct ViewerState {
  HWND window = nullptr;
  UINT dpi = 96;
  UniqueFont font;  // the gadgets' text font
};

ViewerState& State() {
  static ViewerState state;
  return state;
}

int S(int units) { return Scale(units, State().dpi); }

HMENU IdOf(int gadget) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(gadget)); }

void ForgetGadgets() {
  for (int gadget = kClipboardLabel; gadget <= kClipboardStatusBar; ++gadget) RegisterGadget(gadget, nullptr);
}

SIZE OuterSize() {
  RECT outer{0, 0, S(kInnerWidth), S(kInnerHeight)};
  AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
  return {outer.right - outer.left, outer.bottom - outer.top};
}

LRESULT CALLBACK ViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kClipboardClearButton:
          if (HIWORD(wParam) == BN_CLICKED) ClearClipboardAndClose();
          return 0;
        case kClipboardCloseButton:
        case IDCANCEL:  // Escape
        case IDOK:      // Enter away from the buttons: the default button, Fermer
          CloseClipboardWindow();
          return 0;
        default:
          break;
      }
      break;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      const SIZE minimum = OuterSize();
      info->ptMinTrackSize = {minimum.cx, minimum.cy};
      return 0;
    }
    case WM_CLOSE:
      CloseClipboardWindow();
      return 0;
    case WM_DESTROY:
      if (State().window == window) {
        ForgetGadgets();
        State().window = nullptr;
      }
      break;
    case WM_NCDESTROY:
      if (!State().window) State().font.reset();  // the gadgets that used it are gone
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterViewerClass() {
  return RegisterWindowClassOnce(kClipboardWindowClass, ViewerProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                                 LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)));
}

HWND MakeChild(HWND parent, int gadget, const wchar_t* cls, const wchar_t* text, DWORD style, DWORD exStyle, int x,
               int y, int width, int height, HFONT font = nullptr) {
  HWND child = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                               IdOf(gadget), GetModuleHandleW(nullptr), nullptr);
  if (!child) return nullptr;
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : State().font.get()), FALSE);
  RegisterGadget(gadget, child);
  return child;
}

HWND MakeFileList(HWND window) {
  HWND list = MakeChild(window, kClipboardFileList, WC_LISTVIEWW, nullptr,
                        WS_TABSTOP | LVS_REPORT | LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE, S(5),
                        S(25), S(590), S(320));
  if (!list) return nullptr;
  const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  ListView_SetImageList(list, SystemImageList(false), LVSIL_SMALL);
  if (HWND header = ListView_GetHeader(list); header && App().fonts[1]) {
    SendMessageW(header, WM_SETFONT, reinterpret_cast<WPARAM>(App().fonts[1].get()), FALSE);
  }
  InsertListColumn(list, 0, L"Fichier", S(460));
  InsertListColumn(list, 1, L"Taille", S(110));
  return list;
}

HWND MakeStatusBar(HWND window) {
  HWND bar = CreateStatusBar(window, kClipboardStatusBar, State().font.get(),
                             App().images.Icon(kStatusImage), S(20), L"", 0);
  if (bar) RegisterGadget(kClipboardStatusBar, bar);
  return bar;
}

void BuildGadgets(HWND window) {
  MakeChild(window, kClipboardLabel, WC_STATICW, L"Fichiers actuellement contenu dans le presse-papier",
            SS_LEFT | SS_NOPREFIX, 0, S(5), S(5), S(350), S(17), App().fonts[0].get());
  MakeFileList(window);
  if (HWND clear = MakeChild(window, kClipboardClearButton, WC_BUTTONW, L"  Effacer", WS_TABSTOP | BS_PUSHBUTTON, 0,
                             S(395), S(350), S(100), S(25))) {
    SetGadgetToolTip(clear, L"Vider et fermer le presse-papier");
  }
  if (HWND close = MakeChild(window, kClipboardCloseButton, WC_BUTTONW, L"  Fermer",
                             WS_TABSTOP | BS_DEFPUSHBUTTON, 0, S(495), S(350), S(100), S(25))) {
    SetGadgetToolTip(close, L"Fermer le presse-papier");
  }
  MakeStatusBar(window);
}

void ApplyDarkLook(HWND window) {
  if (HighContrastOn()) return;
  ApplyDarkTitleBar(window);
  ApplyDarkStatusBarStyle(Gadget(kClipboardStatusBar));
  const Colour surface = DarkSurface();
  SetgadgetColorEx(kClipboardLabel, BackColor, DarkBase, 0);
  SetgadgetColorEx(kClipboardLabel, FrontColor, kClipboardHeadingText, 0);
  SetgadgetColorEx(kClipboardClearButton, BackColor, surface, 0);
  SetgadgetColorEx(kClipboardCloseButton, BackColor, surface, 0);
  SetgadgetColorEx(kClipboardFileList, BackColor, surface, 0);
}

void AddRow(HWND list, const std::wstring& path, const std::wstring& size, int icon) {
  std::wstring text = path;
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = ListView_GetItemCount(list);
  item.pszText = text.data();
  item.iImage = icon >= 0 ? icon : I_IMAGENONE;
  const int row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (row < 0) return;
  std::wstring sizeText = size;
  LVITEMW sub{};
  sub.iSubItem = 1;
  sub.pszText = sizeText.data();
  SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&sub));
}

void SetStatusText(const std::wstring& text) {
  if (HWND bar = Gadget(kClipboardStatusBar)) SendMessageW(bar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace

void OpenClipboardWindow() {
  ViewerState& state = State();
  CloseClipboardWindow();
  if (!RegisterViewerClass()) return;
  state.dpi = DpiOf(nullptr);
  state.font = CreateMessageFont(state.dpi);
  HWND window = CreateCentredWindow(kClipboardWindowClass, L"Contenu du Presse-Papier", kStyle, S(kInnerWidth),
                                    S(kInnerHeight), App().mainWindow);
  if (!window) return;
  state.window = window;
  SetWindowNumber(window, kClipboardWindow);
  BuildGadgets(window);
  FillClipboardList();
  ApplyDarkLook(window);
  ShowWindow(window, SW_SHOW);
  if (HWND close = Gadget(kClipboardCloseButton)) SetFocus(close);
}

HWND ClipboardWindowHandle() { return State().window; }

void CloseClipboardWindow() {
  if (HWND window = State().window; window && IsWindow(window)) DestroyWindow(window);
}

void FillClipboardList() {
  HWND list = Gadget(kClipboardFileList);
  if (!list) return;
  ListView_DeleteAllItems(list);
  SetStatusText(L"");
  const bool hasFiles = ClipboardHasFiles();
  UpdatePasteState(App(), PasteScope::Full);
  if (!hasFiles) return;
  // Every path of the clipboard, so that one gone since it was copied shows
  // as such; the count is of those still there.
  int present = 0;
  for (const std::wstring& path : ClipboardFilePaths()) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
      AddRow(list, path, L"Inexistant", -1);
      continue;
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      AddRow(list, WithTrailingBackslash(path), L"Dossier", SmallShellIcon(path));
    } else {
      const uint64_t size = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
      AddRow(list, path, FormatSize(size), SmallShellIcon(path));
    }
    ++present;
    SetStatusText(std::to_wstring(present) + L" Fichiers actuellement dans le presse-papier");
  }
}

void FollowClipboardChange() {
  if (State().window) {
    FillClipboardList();  // the paste commands with it
  } else {
    UpdatePasteState(App(), PasteScope::Full);
  }
}

void ClearClipboardAndClose() {
  EmptySystemClipboard(App());
  if (HWND list = Gadget(kClipboardFileList)) ListView_DeleteAllItems(list);
  UpdatePasteState(App(), PasteScope::Full);
  CloseClipboardWindow();
}

bool HandleClipboardWindowMessage(MSG* msg) {
  HWND window = State().window;
  if (!window || !msg || (msg->hwnd != window && !IsChild(window, msg->hwnd))) return false;
  return IsDialogMessageW(window, msg) != FALSE;
}

}  // namespace kelvane
