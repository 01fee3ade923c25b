#pragma once
// One move-only owner for every kind of Win32 handle: the traits say what
// "no handle" is and how to release one.
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace kelvane {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle h) noexcept : h_(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  Handle get() const noexcept { return h_; }
  explicit operator bool() const noexcept { return h_ != Traits::Invalid(); }
  Handle release() noexcept { return std::exchange(h_, Traits::Invalid()); }
  void reset(Handle h = Traits::Invalid()) noexcept {
    Handle old = std::exchange(h_, h);
    if (old != Traits::Invalid()) Traits::Close(old);
  }
  // For out-parameters of APIs: releases what is held first.
  Handle* put() noexcept {
    reset();
    return &h_;
  }

 private:
  Handle h_ = Traits::Invalid();
};

template <typename H, BOOL(WINAPI* CloseFn)(H)>
struct NullHandleTraits {
  using Handle = H;
  static constexpr Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { CloseFn(h); }
};

struct KernelHandleTraits : NullHandleTraits<HANDLE, ::CloseHandle> {};
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) noexcept { ::CloseHandle(h); }
};
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) noexcept { ::FindClose(h); }
};
struct ChangeNotificationTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) noexcept { ::FindCloseChangeNotification(h); }
};
template <typename T>
struct GdiObjectTraits {
  using Handle = T;
  static constexpr Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::DeleteObject(h); }
};
struct RegKeyTraits {
  using Handle = HKEY;
  static constexpr Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::RegCloseKey(h); }
};
struct GlobalMemTraits {
  using Handle = HGLOBAL;
  static constexpr Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::GlobalFree(h); }
};

// A COM interface pointer, released once.
template <typename T>
struct ComTraits {
  using Handle = T*;
  static constexpr Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { h->Release(); }
};
template <typename T>
using UniqueCom = UniqueHandle<ComTraits<T>>;

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueFind = UniqueHandle<FindHandleTraits>;
using UniqueChangeNotification = UniqueHandle<ChangeNotificationTraits>;
using UniqueIcon = UniqueHandle<NullHandleTraits<HICON, ::DestroyIcon>>;
using UniqueMenu = UniqueHandle<NullHandleTraits<HMENU, ::DestroyMenu>>;
using UniqueModule = UniqueHandle<NullHandleTraits<HMODULE, ::FreeLibrary>>;
using UniqueDC = UniqueHandle<NullHandleTraits<HDC, ::DeleteDC>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueImageList = UniqueHandle<NullHandleTraits<HIMAGELIST, ::ImageList_Destroy>>;
using UniqueGlobal = UniqueHandle<GlobalMemTraits>;

// Selects a GDI object into a DC for one scope and puts the old one back.
class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(::SelectObject(dc, obj)) {}
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;
  ~SelectObjectScope() { ::SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A window's client-area DC (GetDC) for one scope.
class WindowDC {
 public:
  explicit WindowDC(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  HDC get() const noexcept { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

}  // namespace kelvane
