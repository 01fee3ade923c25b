#include "theme/banner_win.h"

#include <algorithm>
#include <memory>

#include "theme/colour_layer_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/handle_win.h"
#include "toolkit/window_class_win.h"

namespace kelvane {
namespace {

struct Canvas {
  bool hasBanner = false;
  BannerSpec banner;
};

Canvas* CanvasOf(HWND window) { return reinterpret_cast<Canvas*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

COLOR16 Channel(int value) { return static_cast<COLOR16>(value << 8); }

TRIVERTEX Vertex(LONG x, LONG y, COLORREF colour) {
  return {x, y, Channel(GetRValue(colour)), Channel(GetGValue(colour)), Channel(GetBValue(colour)), 0xFF00};
}

COLORREF Mix(COLORREF from, COLORREF to, double t) {
  t = std::clamp(t, 0.0, 1.0);
  const auto mix = [t](int a, int b) { return static_cast<int>(a + (b - a) * t + 0.5); };
  return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
             mix(GetBValue(from), GetBValue(to)));
}

void FillGradient(HDC dc, const RECT& area, UINT dpi, const BannerSpec& look) {
  if (look.mode == 1) {
    // From the bottom colour at the bottom edge to the top colour at the top.
    TRIVERTEX corners[2] = {Vertex(area.left, area.top, look.topColour),
                            Vertex(area.right, area.bottom, look.bottomColour)};
    GRADIENT_RECT rect{0, 1};
    GdiGradientFill(dc, corners, 2, &rect, 1, GRADIENT_FILL_RECT_V);
    return;
  }
  // Diagonal: bottom colour at the top-left corner, top colour one canvas
  // width along the diagonal (scaled on each axis).
  // The screen has one scale factor for both axes here: the end point lies
  // on the 45-degree diagonal.
  (void)dpi;
  const double dx = area.right - area.left;
  const double dy = dx;
  const auto at = [&](LONG x, LONG y) {
    const double t = ((x - area.left) * dx + (y - area.top) * dy) / (dx * dx + dy * dy);
    return Vertex(x, y, Mix(look.bottomColour, look.topColour, t));
  };
  TRIVERTEX corners[4] = {at(area.left, area.top), at(area.right, area.top), at(area.right, area.bottom),
                          at(area.left, area.bottom)};
  GRADIENT_TRIANGLE triangles[2] = {{0, 1, 2}, {0, 2, 3}};
  GdiGradientFill(dc, corners, 4, triangles, 2, GRADIENT_FILL_TRIANGLE);
}

void DrawImage(HDC dc, const ImageSet* images, int image, int x, int y, int width, int height) {
  HBITMAP bitmap = images ? images->Bitmap(image) : nullptr;
  if (!bitmap) return;
  BITMAP info{};
  GetObjectW(bitmap, sizeof info, &info);
  UniqueDC source(CreateCompatibleDC(dc));
  if (!source) return;
  SelectObjectScope use(source.get(), bitmap);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  GdiAlphaBlend(dc, x, y, width, height, source.get(), 0, 0, info.bmWidth, info.bmHeight, blend);
}

void DrawTextAt(HDC dc, const std::wstring& text, int x, int y) {
  TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void PaintCanvas(HWND window, HDC dc, const RECT& area) {
  const Canvas* canvas = CanvasOf(window);
  if (canvas && canvas->hasBanner) {
    DrawBannerOn(dc, area, DpiOf(window), canvas->banner);
  } else {
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
  }
}

LRESULT CALLBACK CanvasProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new Canvas));
      break;
    case WM_NCDESTROY:
      delete CanvasOf(window);
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    default:
      if (LRESULT result = 0; AnswerSelfPainting(window, message, wParam, PaintCanvas, &result)) return result;
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterCanvasClass() { return RegisterWindowClassOnce(kCanvasClass, CanvasProc); }

}  // namespace

HWND CreateCanvasGadget(HWND parent, int id, int x, int y, int width, int height) {
  if (!RegisterCanvasClass()) return nullptr;
  HWND canvas = CreateWindowExW(0, kCanvasClass, nullptr, WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                nullptr);
  if (canvas) SetGadgetKind(canvas, GadgetKind::Canvas);
  return canvas;
}

void DrawBanner(HWND canvas, const ProgramContext& context, COLORREF bottomColour, COLORREF topColour,
                const std::wstring& title, const std::wstring& subtitle, const std::wstring& company, int image,
                int mode) {
  wchar_t name[64] = {};
  if (!canvas || !GetClassNameW(canvas, name, 64) || lstrcmpiW(name, kCanvasClass) != 0) return;
  Canvas* state = CanvasOf(canvas);
  if (!state) return;
  state->hasBanner = true;
  state->banner = BannerSpec{bottomColour, topColour, title, subtitle, company, image, mode, &context.images,
                             context.fonts[0].get()};
  RedrawWindow(canvas, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void DrawBannerOn(HDC dc, const RECT& area, UINT dpi, const BannerSpec& look) {
  const double sx = ScaleFactor(dpi);
  const double sy = ScaleFactor(dpi);
  const auto X = [sx](int units) { return static_cast<int>(units * sx + 0.5); };
  const auto Y = [sy](int units) { return static_cast<int>(units * sy + 0.5); };
  FillGradient(dc, area, dpi, look);
  if (look.image >= 0) DrawImage(dc, look.images, look.image, area.left + X(10), area.top + Y(4), X(32), Y(32));
  HFONT font = look.font ? look.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SelectObjectScope useFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kBannerTextColour);
  // Title at 5 and subtitle at 25, unless the font is too tall for the
  // banner (a substitute for the program's font): then both move up just
  // enough for the subtitle to show whole.
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const int lineHeight = metrics.tmHeight;
  const int subtitleY = std::max(0, std::min(Y(25), static_cast<int>(area.bottom - area.top) - lineHeight));
  const int titleY = std::max(0, std::min(Y(5), subtitleY - lineHeight));
  if (!look.title.empty()) DrawTextAt(dc, look.title, area.left + X(70), area.top + titleY);
  if (!look.subtitle.empty()) DrawTextAt(dc, look.subtitle, area.left + X(70), area.top + subtitleY);
  if (!look.company.empty()) {
    const auto widthOf = [dc](const std::wstring& text) {
      SIZE extent{};
      GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
      return static_cast<int>(extent.cx);
    };
    // In a narrow window (or with a wider substitute font) the company name
    // would run over the title or subtitle: then only its mark shows.
    const int companyX = area.right - (widthOf(look.company) + X(40));
    const int textsRight = area.left + X(70) + std::max(widthOf(look.title), widthOf(look.subtitle));
    if (companyX >= textsRight + X(8)) DrawTextAt(dc, look.company, companyX, area.top + Y(20));
    DrawImage(dc, look.images, kMakerMarkImage, area.right - X(38), area.top + Y(4), X(32), Y(32));
  }
}

}  // namespace kelvane
