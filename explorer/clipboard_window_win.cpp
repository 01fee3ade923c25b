#include "explorer/clipboard_window_win.h"

#include <commctrl.h>

#include <string>

#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "explorer/file_clipboard_win.h"
#include "explorer/format_size.h"
#include "lists/list_rules.h"
#include "settings/program_context_win.h"
#include "theme/colour_layer_win.h"
#include "theme/dark_mode_win.h"
#include "toolkit/list_view_win.h"
#include "toolkit/path_parts.h"
#include "toolkit/shell_icons_win.h"
#include "toolkit/tool_button_win.h"
#include "toolkit/secondary_window_win.h"

namespace kelvane {
namespace {

constexpr int kInnerWidth = 600;
constexpr int kInnerHeight = 400;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

bool ViewerHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

// The context the window was opened with, for its own buttons.
ProgramContext* g_openedWith = nullptr;

SecondaryWindow& Viewer() {
  static SecondaryWindow viewer(ViewerHandler);
  return viewer;
}

bool ViewerHandler(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kClipboardClearButton:
          if (HIWORD(wParam) == BN_CLICKED && g_openedWith) ClearClipboardAndClose(*g_openedWith);
          return true;
        case kClipboardCloseButton:
        case IDCANCEL:  // Escape
        case IDOK:      // Enter away from the buttons: the default button, Fermer
          CloseClipboardWindow();
          return true;
        default:
          return false;
      }
    case WM_GETMINMAXINFO: {
      RECT outer{0, 0, Viewer().S(kInnerWidth), Viewer().S(kInnerHeight)};
      AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {outer.right - outer.left, outer.bottom - outer.top};
      return true;
    }
    default:
      return false;
  }
}

void MakeFileList(const ProgramContext& context) {
  HWND list = Viewer().AddGadget(kClipboardFileList, WC_LISTVIEWW, nullptr,
                                 WS_TABSTOP | LVS_REPORT | LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE,
                                 5, 25, 590, 320);
  if (!list) return;
  const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  ListView_SetImageList(list, SystemImageList(false), LVSIL_SMALL);
  if (HWND header = ListView_GetHeader(list); header && context.fonts[1]) {
    SendMessageW(header, WM_SETFONT, reinterpret_cast<WPARAM>(context.fonts[1].get()), FALSE);
  }
  InsertListColumn(list, 0, L"Fichier", Viewer().S(460));
  InsertListColumn(list, 1, L"Taille", Viewer().S(110));
}

void BuildGadgets(const ProgramContext& context) {
  SecondaryWindow& viewer = Viewer();
  viewer.AddGadget(kClipboardLabel, WC_STATICW, L"Fichiers actuellement contenu dans le presse-papier",
                   SS_LEFT | SS_NOPREFIX, 0, 5, 5, 350, 17, context.fonts[0].get());
  MakeFileList(context);
  if (HWND clear = viewer.AddGadget(kClipboardClearButton, WC_BUTTONW, L"  Effacer", WS_TABSTOP | BS_PUSHBUTTON, 0,
                                    395, 350, 100, 25)) {
    SetGadgetToolTip(clear, L"Vider et fermer le presse-papier");
  }
  if (HWND close = viewer.AddGadget(kClipboardCloseButton, WC_BUTTONW, L"  Fermer", WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
                                    495, 350, 100, 25)) {
    SetGadgetToolTip(close, L"Fermer le presse-papier");
  }
  viewer.AddStatusBar(kClipboardStatusBar, context.images.Icon(kStatusBarImage), L"");
}

void ApplyDarkLook(HWND window) {
  if (!BeginSecondaryDarkLook(window, Gadget(kClipboardStatusBar))) return;
  const Colour surface = DarkSurface();
  SetgadgetColorEx(kClipboardLabel, BackColor, DarkBase, 0);
  SetgadgetColorEx(kClipboardLabel, FrontColor, kClipboardHeadingText, 0);
  for (int gadget : {kClipboardClearButton, kClipboardCloseButton, kClipboardFileList}) {
    SetgadgetColorEx(gadget, BackColor, surface, 0);
  }
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

void OpenClipboardWindow(ProgramContext& context) {
  SecondaryWindow& viewer = Viewer();
  const SecondaryWindow::Outline outline{
      kClipboardWindowClass, L"Contenu du Presse-Papier", kInnerWidth, kInnerHeight, context.mainWindow,
      kClipboardLabel, kClipboardStatusBar, kStyle};
  if (!viewer.Create(outline)) return;
  g_openedWith = &context;
  AttachColourLayer(viewer.Handle(), kClipboardWindow);
  BuildGadgets(context);
  FillClipboardList(context);
  viewer.Show(ApplyDarkLook, kClipboardCloseButton);
}

HWND ClipboardWindowHandle() { return Viewer().Handle(); }

void CloseClipboardWindow() { Viewer().Close(); }

void FillClipboardList(ProgramContext& context) {
  HWND list = Gadget(kClipboardFileList);
  if (!list) return;
  ListView_DeleteAllItems(list);
  SetStatusText(L"");
  const bool hasFiles = ClipboardHasFiles();
  UpdatePasteState(context, PasteScope::Full);
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

void FollowClipboardChange(ProgramContext& context) {
  if (Viewer().Handle()) {
    FillClipboardList(context);  // the paste commands with it
  } else {
    UpdatePasteState(context, PasteScope::Full);
  }
}

void ClearClipboardAndClose(ProgramContext& context) {
  EmptySystemClipboard(context);
  if (HWND list = Gadget(kClipboardFileList)) ListView_DeleteAllItems(list);
  UpdatePasteState(context, PasteScope::Full);
  CloseClipboardWindow();
}

bool HandleClipboardWindowMessage(MSG* msg) {
  HWND window = Viewer().Handle();
  if (!window || !msg || (msg->hwnd != window && !IsChild(window, msg->hwnd))) return false;
  return IsDialogMessageW(window, msg) != FALSE;
}

}  // namespace kelvane
