#include "toolkit/tool_button_win.h"

#include <commctrl.h>

#include <vector>

#include "toolkit/accessible_buttons_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/handle_win.h"
#include "toolkit/press_click_win.h"
#include "toolkit/window_class_win.h"

namespace kelvane {
namespace {

struct ToolButton {
  HICON image = nullptr;
  bool pressed = false;  // left button went down here and is still held
};

ToolButton* StateOf(HWND window) {
  return reinterpret_cast<ToolButton*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// A corner of a gradient, opaque, in GDI's 16-bit channels.
TRIVERTEX Corner(LONG x, LONG y, COLORREF colour) {
  return {x, y, static_cast<COLOR16>(GetRValue(colour) << 8), static_cast<COLOR16>(GetGValue(colour) << 8),
          static_cast<COLOR16>(GetBValue(colour) << 8), 0xFF00};
}

// --- Shared tooltips ---------------------------------------------------------

struct SharedTip {
  HWND root;
  HWND tip;
};

std::vector<SharedTip>& SharedTips() {
  static std::vector<SharedTip> tips;
  return tips;
}

// The tooltip of a gadget's top-level window, or null; optionally created.
HWND ToolTipFor(HWND gadget, bool create) {
  HWND root = GetAncestor(gadget, GA_ROOT);
  if (!root) return nullptr;
  auto& tips = SharedTips();
  // A destroyed window takes its owned tooltip with it; forget both.
  std::erase_if(tips, [](const SharedTip& t) { return !IsWindow(t.tip); });
  for (const SharedTip& t : tips) {
    if (t.root == root) return t.tip;
  }
  if (!create) return nullptr;
  HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, root, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (!tip) return nullptr;
  // Long texts wrap instead of running across the screen.
  SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, Scale(400, DpiOf(root)));
  tips.push_back({root, tip});
  return tip;
}

TTTOOLINFOW ToolInfoFor(HWND gadget) {
  TTTOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND;
  info.hwnd = GetParent(gadget);
  info.uId = reinterpret_cast<UINT_PTR>(gadget);
  return info;
}

// A part of a window, watched by the tooltip itself.
TTTOOLINFOW AreaInfo(HWND window, UINT_PTR id) {
  TTTOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_SUBCLASS;
  info.hwnd = window;
  info.uId = id;
  return info;
}

std::wstring TipText(HWND tip, TTTOOLINFOW info) {
  if (!tip) return {};
  wchar_t text[512] = {};
  info.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&info));
  return text;
}

bool IsToolButton(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return lstrcmpiW(name, kToolButtonClass) == 0;
}

// Tool buttons hand their mouse messages to the tooltip themselves; other
// gadgets let the tooltip watch them (TTF_SUBCLASS).
void RelayToToolTip(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  if (HWND tip = ToolTipFor(button, false)) {
    MSG msg{button, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
  }
}

// --- Tool button window ------------------------------------------------------

void Click(HWND button) {
  SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

void PaintOwnState(HWND button, HDC dc, const RECT& area) {
  const ToolButton* self = StateOf(button);
  if (!self) return;
  DrawToolButton(dc, area, self->image, IsWindowEnabled(button) != FALSE, DpiOf(button));
  const LRESULT ui = SendMessageW(button, WM_QUERYUISTATE, 0, 0);
  if (GetFocus() == button && !(ui & UISF_HIDEFOCUS)) {
    RECT focus = area;
    InflateRect(&focus, -2, -2);
    DrawFocusRect(dc, &focus);
  }
}

LRESULT CALLBACK ToolButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ToolButton* self = StateOf(window);
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      self = new ToolButton{static_cast<HICON>(create->lpCreateParams)};
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      break;
    }
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      delete self;
      self = nullptr;
      break;
    case WM_DESTROY:
      if (HWND tip = ToolTipFor(window, false)) {
        TTTOOLINFOW info = ToolInfoFor(window);
        SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
      }
      break;
    case WM_GETOBJECT:
      // A push button named by its tooltip, for screen readers.
      if (LRESULT object = AnswerButtonObject(window, wParam, lParam)) return object;
      break;
    case WM_MOUSEMOVE:
      RelayToToolTip(window, message, wParam, lParam);
      return 0;
    case WM_GETDLGCODE: {
      // Enter clicks the button instead of reaching the dialog manager.
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) return DLGC_WANTMESSAGE;
      return 0;
    }
    default:
      if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) RelayToToolTip(window, message, wParam, lParam);
      if (LRESULT result = 0; AnswerPressClick(window, message, wParam, lParam, self ? &self->pressed : nullptr, Click,
                                               &result) ||
                              AnswerSelfPainting(window, message, wParam, PaintOwnState, &result)) {
        return result;
      }
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterToolButtonClass() { return RegisterWindowClassOnce(kToolButtonClass, ToolButtonProc); }

}  // namespace

HWND CreateToolButton(HWND parent, int id, int x, int y, int width, int height, HICON image,
                      const std::wstring& tooltip) {
  if (!RegisterToolButtonClass()) return nullptr;
  // The window text is never drawn: it names the button for accessibility tools.
  HWND button = CreateWindowExW(0, kToolButtonClass, tooltip.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, y, width,
                                height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), image);
  if (button && !tooltip.empty()) SetGadgetToolTip(button, tooltip);
  return button;
}

void SetToolButtonEnabled(HWND button, bool enabled) {
  EnableWindow(button, enabled ? TRUE : FALSE);
  InvalidateRect(button, nullptr, FALSE);
}

void DrawToolButton(HDC dc, const RECT& area, HICON image, bool enabled, UINT dpi) {
  const COLORREF bottom = enabled ? kToolButtonBottom : kToolButtonDisabledBottom;
  TRIVERTEX corners[2] = {Corner(area.left, area.top, kToolButtonTop), Corner(area.right, area.bottom, bottom)};
  GRADIENT_RECT rect{0, 1};
  GdiGradientFill(dc, corners, 2, &rect, 1, GRADIENT_FILL_RECT_V);
  if (!image) return;
  const int x = area.left + 10;
  const int y = area.top + Scale(5, dpi);
  const int side = Scale(16, dpi);
  if (enabled) {
    DrawIconEx(dc, x, y, image, side, side, 0, nullptr, DI_NORMAL);
    return;
  }
  // Disabled: the image is drawn over a copy of the face under it, and that
  // copy laid back at reduced strength, so the image fades into the face.
  UniqueDC copy(CreateCompatibleDC(dc));
  UniqueBitmap pixels(CreateCompatibleBitmap(dc, side, side));
  if (!copy || !pixels) return;  // no image rather than an enabled-looking one
  SelectObjectScope select(copy.get(), pixels.get());
  BitBlt(copy.get(), 0, 0, side, side, dc, x, y, SRCCOPY);
  DrawIconEx(copy.get(), 0, 0, image, side, side, 0, nullptr, DI_NORMAL);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, kToolButtonDisabledImageAlpha, 0};
  GdiAlphaBlend(dc, x, y, side, side, copy.get(), 0, 0, side, side, blend);
}

void SetGadgetToolTip(HWND gadget, const std::wstring& text) {
  HWND tip = ToolTipFor(gadget, true);
  if (!tip) return;
  TTTOOLINFOW info = ToolInfoFor(gadget);
  if (!IsToolButton(gadget)) info.uFlags |= TTF_SUBCLASS;
  std::wstring copy = text;  // the tooltip copies it; the API wants a mutable pointer
  info.lpszText = copy.data();
  if (IsToolButton(gadget)) SetWindowTextW(gadget, text.c_str());
  TTTOOLINFOW existing = ToolInfoFor(gadget);
  if (SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&existing))) {
    SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  } else {
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

std::wstring GadgetToolTipText(HWND gadget) { return TipText(ToolTipFor(gadget, false), ToolInfoFor(gadget)); }

void SetAreaToolTip(HWND window, UINT_PTR id, const RECT& area, const std::wstring& text) {
  HWND tip = ToolTipFor(window, !text.empty());
  if (!tip) return;
  TTTOOLINFOW info = AreaInfo(window, id);
  TTTOOLINFOW existing = info;
  const bool exists = SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&existing)) != 0;
  if (text.empty() && !exists) return;
  // Deleting one area's tool would end the watch of the whole window, which
  // its other areas share: an area without tooltip keeps an empty one.
  if (!text.empty()) info.rect = area;
  std::wstring copy = text;
  info.lpszText = copy.data();
  if (exists) {
    SendMessageW(tip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  } else {
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

std::wstring AreaToolTipText(HWND window, UINT_PTR id) {
  return TipText(ToolTipFor(window, false), AreaInfo(window, id));
}

}  // namespace kelvane
