#pragma once
// What the program's secondary windows (about, preferences, clipboard
// viewer, pick list) share: their class, their size for the screen's DPI,
// centred over the screen, their gadgets made in the message font and
// registered under their numbers, their status bar, the look their owner
// gives them before they show, and on their end the gadget numbers
// forgotten and the font freed. The owner handles the rest of the messages.
#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/handle_win.h"

namespace kelvane {

// The image at the start of every secondary window's status bar.
inline constexpr int kStatusBarImage = 17;

class SecondaryWindow {
 public:
  // Sees the window's messages first: true when it answered them (in
  // *result). WM_DESTROY and WM_NCDESTROY reach the base all the same.
  using Handler = bool (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  struct Outline {
    const wchar_t* className = nullptr;
    std::wstring title;
    int innerWidth = 0;  // window units (pixels at 96 dots per inch)
    int innerHeight = 0;
    HWND owner = nullptr;
    int firstGadget = 0;  // its gadgets' numbers, forgotten when it goes
    int lastGadget = -1;
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  };

  explicit SecondaryWindow(Handler handler) : handler_(handler) {}
  ~SecondaryWindow() { Close(); }
  SecondaryWindow(const SecondaryWindow&) = delete;
  SecondaryWindow& operator=(const SecondaryWindow&) = delete;

  // Makes the window, not shown yet (one open at a time: an open one is
  // closed first). False when its class or the window could not be made.
  bool Create(const Outline& outline);
  // `look` (the owner's colours) is applied, then the window shows with
  // the keyboard on `focusGadget`.
  void Show(const std::function<void(HWND window)>& look, int focusGadget);
  void Close();

  HWND Handle() const { return window_; }
  int S(int units) const;  // window units to pixels

  // A child gadget, placed and sized in window units, in the message font
  // unless `font` is given.
  HWND AddGadget(int gadget, const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, int x, int y,
                 int width, int height, HFONT font = nullptr);
  // The same in another of its windows (a page), `param` for its WM_NCCREATE.
  HWND AddGadgetIn(HWND parent, int gadget, const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle,
                   int x, int y, int width, int height, HFONT font = nullptr, void* param = nullptr);
  // The status bar: `icon` alone in a first part, then `text`.
  HWND AddStatusBar(int gadget, HICON icon, const std::wstring& text, UINT textStyle = 0);

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Ended();

  Handler handler_;
  HWND window_ = nullptr;
  UINT dpi_ = 96;
  UniqueFont font_;
  int firstGadget_ = 0;
  int lastGadget_ = -1;
};

}  // namespace kelvane
