// The subclass object over the light subclass chain: order of the
// procedures, leaving in any order, leaving from inside a message, and a
// window destroyed while a message is on its way through the chain.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "toolkit/subclass_win.h"

namespace kelvane {
namespace {

// Each procedure notes its letter, then passes the message on (WM_USER: the
// procedure may leave, or destroy the window, on its way).
struct Seen {
  std::wstring order;
  std::unique_ptr<Subclass>* leaveOnUser = nullptr;
  bool destroyOnUser = false;
};

LRESULT Note(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Seen& seen, wchar_t letter,
             LightSubclassProc self) {
  if (message == WM_USER) {
    seen.order += letter;
    if (seen.leaveOnUser) seen.leaveOnUser->reset();
    if (seen.destroyOnUser) DestroyWindow(window);
  }
  return CallNextLightSubclass(window, self, message, wParam, lParam);
}

LRESULT ProcA(HWND w, UINT m, WPARAM wp, LPARAM lp, void* seen) {
  return Note(w, m, wp, lp, *static_cast<Seen*>(seen), L'a', ProcA);
}
LRESULT ProcB(HWND w, UINT m, WPARAM wp, LPARAM lp, void* seen) {
  return Note(w, m, wp, lp, *static_cast<Seen*>(seen), L'b', ProcB);
}

LRESULT CALLBACK OwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) return 42;
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = OwnProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"KelvaneSubclassTest";
  RegisterClassW(&wc);
  return CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
}

TEST(Subclass, ChainOrderLeavingAndDestruction) {
  HWND window = MakeWindow();
  ASSERT_TRUE(window);
  const LONG_PTR own = GetWindowLongPtrW(window, GWLP_WNDPROC);
  Seen seen;
  auto a = std::make_unique<Subclass>(window, ProcA, &seen);
  auto b = std::make_unique<Subclass>(window, ProcB, &seen);
  ASSERT_TRUE(a->Attached() && b->Attached());
  EXPECT_FALSE(Subclass(window, ProcA, &seen).Attached());  // once per procedure
  EXPECT_EQ(SendMessageW(window, WM_USER, 0, 0), 42);
  EXPECT_EQ(seen.order, L"ba");  // the last added first

  // The lower one leaves first, the upper one from inside its own message:
  // that message still reaches the window's procedure.
  a.reset();
  seen.order.clear();
  seen.leaveOnUser = &b;
  EXPECT_EQ(SendMessageW(window, WM_USER, 0, 0), 42);
  EXPECT_EQ(seen.order, L"b");
  EXPECT_EQ(b, nullptr);
  EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), own);  // nothing left in front

  // The window destroyed while a message is in the chain; the objects outlive it.
  seen = Seen{};
  seen.destroyOnUser = true;
  a = std::make_unique<Subclass>(window, ProcA, &seen);
  b = std::make_unique<Subclass>(window, ProcB, &seen);
  SendMessageW(window, WM_USER, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(seen.order, L"b");
  a.reset();
  b.reset();
  HWND again = MakeWindow();  // perhaps the same handle: a fresh chain all the same
  Subclass fresh(again, ProcA, &seen);
  EXPECT_TRUE(fresh.Attached());
  seen = Seen{};
  EXPECT_EQ(SendMessageW(again, WM_USER, 0, 0), 42);
  EXPECT_EQ(seen.order, L"a");
  DestroyWindow(again);
}

}  // namespace
}  // namespace kelvane
