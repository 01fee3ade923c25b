#include "theme/colour_borders_win.h"

#include <algorithm>
#include <map>
#include <string>

#include "toolkit/dpi_win.h"
#include "toolkit/handle_win.h"

namespace kelvane {
namespace {

COLORREF Rgb(Colour colour) { return static_cast<COLORREF>(colour & 0xFFFFFF); }

int ScaleFor(HWND window, int units) { return Scale(units, DpiOf(window)); }

struct DrawnBorder {
  int width;
  COLORREF colour;
  bool fill;
};

DrawnBorder BorderOf(const ColourRecord& record, bool hot) {
  const bool hasChildren = GetWindow(record.handle, GW_CHILD) != nullptr;
  const BorderLook look = BorderLookOf(record.kind, record.borderFlags, hot, hasChildren);
  const COLORREF colour = look.colour == BorderColour::Hot     ? record.hotBorder
                          : look.colour == BorderColour::Front ? Rgb(record.front)
                                                               : record.softBorder;
  return {look.width, colour, look.fill};
}

void DrawBorderRect(HDC dc, const RECT& rect, const DrawnBorder& look, COLORREF back) {
  UniquePen pen(CreatePen(PS_SOLID, look.width, look.width ? look.colour : back));
  UniqueBrush fillBrush(look.fill ? CreateSolidBrush(back) : nullptr);
  HGDIOBJ brush = look.fill ? static_cast<HGDIOBJ>(fillBrush.get()) : GetStockObject(NULL_BRUSH);
  const int half = look.width / 2;
  {
    SelectObjectScope usePen(dc, pen.get());
    SelectObjectScope useBrush(dc, brush);
    Rectangle(dc, rect.left + half, rect.top + half, rect.right, rect.bottom);
  }
  if (!look.fill && look.width == 1) {
    // Covers the system's inner edge line.
    UniquePen inner(CreatePen(PS_SOLID, 1, back));
    SelectObjectScope usePen(dc, inner.get());
    SelectObjectScope useBrush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1);
  }
}

// The top of a frame's border: through the middle of its caption.
int FrameLineY(HWND frame) { return ScaleFor(frame, 10) - 3; }

}  // namespace

void DrawColourBorder(const ColourRecord& record, bool hot, HDC dc) {
  if (!dc || !IsWindow(record.handle)) return;
  const DrawnBorder look = BorderOf(record, hot);
  if (look.width == 0 && !look.fill) return;
  RECT rect{};
  GetClientRect(record.handle, &rect);
  if (record.kind == GadgetKind::Frame) rect.top = FrameLineY(record.handle);
  DrawBorderRect(dc, rect, look, Rgb(record.back));
}

void DrawColourBorder(const ColourRecord& record, bool hot, BorderTarget target) {
  HWND window = record.handle;
  if (!IsWindow(window)) return;
  const DrawnBorder look = BorderOf(record, hot);
  const bool nothing = look.width == 0 && !look.fill;
  switch (target) {
    case BorderTarget::OwnPaint: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      if (dc && !nothing) {
        RECT rect{};
        GetClientRect(window, &rect);
        rect.right += 2 * look.width;
        rect.bottom += 2 * look.width;
        DrawBorderRect(dc, rect, look, Rgb(record.back));
      }
      EndPaint(window, &ps);
      return;
    }
    case BorderTarget::Parent: {
      HWND parent = GetParent(window);
      if (nothing || !parent) return;
      // Not clipped to the parent's children: the border lies over the
      // gadget's own edge.
      HDC dc = GetDCEx(parent, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
      if (!dc) return;
      RECT rect{};
      GetWindowRect(window, &rect);
      MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
      DrawBorderRect(dc, rect, look, Rgb(record.back));
      ReleaseDC(parent, dc);
      return;
    }
    case BorderTarget::Window: {
      if (nothing) return;
      HDC dc = GetWindowDC(window);
      if (!dc) return;
      RECT outer{};
      GetWindowRect(window, &outer);
      const RECT rect{0, 0, outer.right - outer.left, outer.bottom - outer.top};
      DrawBorderRect(dc, rect, look, Rgb(record.back));
      ReleaseDC(window, dc);
      return;
    }
  }
}

void PaintFrame(HWND window, const ColourRecord& record) {
  if (!(record.borderFlags & kBorderFrameCaption)) {
    DrawColourBorder(record, false, BorderTarget::OwnPaint);
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (!dc) return;
  DrawColourBorder(record, false, dc);
  const int length = GetWindowTextLengthW(window);
  if (length > 0) {
    std::wstring caption(static_cast<size_t>(length) + 1, L'\0');
    caption.resize(static_cast<size_t>(GetWindowTextW(window, caption.data(), length + 1)));
    auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    SelectObjectScope useFont(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    const int x0 = ScaleFor(window, 4);
    const int x1 = x0 + extent.cx + ScaleFor(window, 6);
    const int line = FrameLineY(window);
    // The caption stands on the frame's own colour, over the line (a 1- or
    // 2-pixel border) and whatever the window behind shows: on a light
    // window a light caption would otherwise be unreadable.
    RECT text{x0, line - ScaleFor(window, 15) + 7, x1, line + 30};
    const RECT gap{x0, std::min(line - 2, static_cast<int>(text.top)), x1,
                   std::max(line + 3, static_cast<int>(text.top + extent.cy))};
    FillRect(dc, &gap, SharedColourBrush(Rgb(record.back)));
    SetTextColor(dc, Rgb(record.front));
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_CENTER | DT_SINGLELINE);
  }
  EndPaint(window, &ps);
}

void PaintContainer(HWND window, const ColourRecord& record) {
  ValidateRect(window, nullptr);
  DrawColourBorder(record, false, BorderTarget::Parent);
  // The fill went over the children: they paint again.
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

HBRUSH SharedColourBrush(COLORREF colour) {
  static std::map<COLORREF, UniqueBrush> brushes;
  UniqueBrush& brush = brushes[colour & 0xFFFFFF];
  if (!brush) brush.reset(CreateSolidBrush(colour & 0xFFFFFF));
  return brush.get();
}

}  // namespace kelvane
