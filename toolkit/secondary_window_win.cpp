#include "toolkit/secondary_window_win.h"

#include "toolkit/dpi_win.h"
#include "toolkit/fonts_win.h"
#include "toolkit/gadgets_win.h"
#include "toolkit/window_class_win.h"

namespace kelvane {

bool SecondaryWindow::Create(const Outline& outline) {
  Close();
  if (!RegisterWindowClassOnce(outline.className, Proc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                               LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)))) {
    return false;
  }
  dpi_ = DpiOf(nullptr);
  font_ = CreateMessageFont(dpi_);
  firstGadget_ = outline.firstGadget;
  lastGadget_ = outline.lastGadget;
  window_ = CreateCentredWindow(outline.className, outline.title.c_str(), outline.style, S(outline.innerWidth),
                                S(outline.innerHeight), outline.owner, this);
  if (!window_) font_.reset();
  return window_ != nullptr;
}

void SecondaryWindow::Show(const std::function<void(HWND window)>& look, int focusGadget) {
  if (!window_) return;
  if (look) look(window_);
  ShowWindow(window_, SW_SHOW);
  if (HWND focus = Gadget(focusGadget)) SetFocus(focus);
}

void SecondaryWindow::Close() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

int SecondaryWindow::S(int units) const { return Scale(units, dpi_); }

HWND SecondaryWindow::AddGadget(int gadget, const wchar_t* className, const wchar_t* text, DWORD style,
                                DWORD exStyle, int x, int y, int width, int height, HFONT font) {
  return AddGadgetIn(window_, gadget, className, text, style, exStyle, x, y, width, height, font);
}

HWND SecondaryWindow::AddGadgetIn(HWND parent, int gadget, const wchar_t* className, const wchar_t* text, DWORD style,
                                  DWORD exStyle, int x, int y, int width, int height, HFONT font, void* param) {
  HWND child = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, S(x), S(y), S(width),
                               S(height), parent, GadgetIdParameter(gadget),
                               GetModuleHandleW(nullptr), param);
  if (!child) return nullptr;
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : font_.get()), FALSE);
  RegisterGadget(gadget, child);
  return child;
}

HWND SecondaryWindow::AddStatusBar(int gadget, HICON icon, const std::wstring& text, UINT textStyle) {
  HWND bar = CreateStatusBar(window_, gadget, font_.get(), icon, S(20), text, textStyle);
  if (bar) RegisterGadget(gadget, bar);
  return bar;
}

void SecondaryWindow::Ended() {
  for (int gadget = firstGadget_; gadget <= lastGadget_; ++gadget) RegisterGadget(gadget, nullptr);
  window_ = nullptr;
}

LRESULT CALLBACK SecondaryWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  // Null for the few messages before WM_NCCREATE.
  auto* self = reinterpret_cast<SecondaryWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  LRESULT result = 0;
  const bool answered = self && self->handler_ && self->handler_(window, message, wParam, lParam, &result);
  if (self && self->window_ == window) {
    if (message == WM_DESTROY) self->Ended();
  }
  if (self && message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (!self->window_) self->font_.reset();  // the gadgets that used it are gone
  }
  if (answered) return result;
  if (message == WM_CLOSE && self) {
    self->Close();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace kelvane
