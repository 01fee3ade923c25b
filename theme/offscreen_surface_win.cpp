#include "theme/offscreen_surface_win.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "toolkit/dpi_win.h"
#include "toolkit/handle_win.h"

namespace kelvane {
namespace {

// Device contexts of the off-screen paints in progress (a paint may hold another).
std::vector<HDC>& OffscreenDCs() {
  static std::vector<HDC> dcs;
  return dcs;
}

struct OffscreenScope {
  explicit OffscreenScope(HDC dc) { OffscreenDCs().push_back(dc); }
  ~OffscreenScope() { OffscreenDCs().pop_back(); }
  OffscreenScope(const OffscreenScope&) = delete;
  OffscreenScope& operator=(const OffscreenScope&) = delete;
};

COLORREF Rgb(Colour colour) { return static_cast<COLORREF>(colour & 0xFFFFFF); }

int ScaleFor(HWND window, int units) { return Scale(units, DpiOf(window)); }

// An off-screen 32-bit DIB section with its memory DC. One is kept from
// paint to paint and grown as needed (making them anew cost more than the
// recolouring itself); a paint inside a paint gets one of its own.
struct Surface {
  UniqueBitmap dib;
  UniqueDC dc;
  HGDIOBJ originalBitmap = nullptr;
  std::uint32_t* bits = nullptr;
  int width = 0;  // of the DIB; the picture uses its top-left corner
  int height = 0;
  bool inUse = false;

  Surface() = default;
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  ~Surface() {
    if (dc && originalBitmap) SelectObject(dc.get(), originalBitmap);
  }

  bool Fit(int w, int h) {
    if (dib && w <= width && h <= height) return true;
    if (dc && originalBitmap) SelectObject(dc.get(), originalBitmap);
    dib.reset();
    bits = nullptr;
    width = std::max(w, width);
    height = std::max(h, height);
    if (!dc) dc.reset(CreateCompatibleDC(nullptr));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    dib.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!dc || !dib || !pixels) {
      dib.reset();
      width = height = 0;
      return false;
    }
    bits = static_cast<std::uint32_t*>(pixels);
    originalBitmap = SelectObject(dc.get(), dib.get());
    return true;
  }

  // The top-left w x h corner, seen from the top row down.
  PixelImage Picture(int w, int h) const {
    const auto stride = static_cast<std::ptrdiff_t>(width);
    return PixelImage{bits + (height - 1) * stride, w, h, -stride};
  }
};

Surface& SharedSurface() {
  static Surface surface;
  return surface;
}

void RecolourTabBands(const PixelImage& image, const RecolourColours& colours, HDC memory, HWND window,
                      Colour back) {
  const int w = image.width;
  const int h = image.height;
  const int m = std::min(ScaleFor(window, 3), w);
  const int n = std::min(ScaleFor(window, 3), h);
  int s = ScaleFor(window, 26);
  if (n + s > h) s = h - n;
  RecolourPixels(image, {0, h - m, w, h}, colours, RecolourMode::TabStrip);
  RecolourPixels(image, {0, 0, w, s}, colours, RecolourMode::TabStrip);
  RecolourPixels(image, {0, s, m, h - n}, colours, RecolourMode::TabStrip);
  RecolourPixels(image, {w - m, s, w, h - n}, colours, RecolourMode::TabStrip);
  if (w > 2 * m && h > n + s) {
    const RECT page{m, s, w - m, h - n};
    UniqueBrush brush(CreateSolidBrush(Rgb(back)));
    FillRect(memory, &page, brush.get());
  }
}

// Leaves the child windows out of a paint of their parent: a control
// without WS_CLIPCHILDREN (a list view and its header) would otherwise have
// its picture copied over theirs.
void ExcludeChildren(HWND window, HDC dc) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
}

}  // namespace

void RenderRecoloured(HWND window, LightSubclassProc layerProc, HDC target, Colour back, Colour front,
                      GadgetKind kind, const RECT* only) {
  RECT client{};
  GetClientRect(window, &client);
  const int w = client.right;
  const int h = client.bottom;
  if (w <= 0 || h <= 0) return;
  // The tab panel's bands are recoloured from the whole picture.
  RECT area = client;
  if (only && kind != GadgetKind::TabPanel && !IntersectRect(&area, &client, only)) return;
  Surface& shared = SharedSurface();
  std::unique_ptr<Surface> own;
  Surface* surface = &shared;
  if (shared.inUse) {
    own = std::make_unique<Surface>();
    surface = own.get();
  }
  if (!surface->Fit(w, h)) {
    // No memory for the picture: the control at least shows, in its own colours.
    CallNextLightSubclass(window, layerProc, WM_PAINT, reinterpret_cast<WPARAM>(target), 0);
    return;
  }
  surface->inUse = true;
  HDC memory = surface->dc.get();
  const int saved = SaveDC(memory);  // the control's font, colours and clipping stay with this paint
  IntersectClipRect(memory, area.left, area.top, area.right, area.bottom);
  FillRect(memory, &area, GetSysColorBrush(COLOR_BTNFACE));
  {
    OffscreenScope offscreen(memory);
    CallNextLightSubclass(window, layerProc, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
    CallNextLightSubclass(window, layerProc, WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
  }
  RestoreDC(memory, saved);
  GdiFlush();
  const PixelImage image = surface->Picture(w, h);
  const RecolourColours colours{back, front, static_cast<Colour>(GetSysColor(COLOR_BTNFACE))};
  if (kind == GadgetKind::TabPanel) {
    RecolourTabBands(image, colours, memory, window, back);
  } else {
    RecolourPixels(image, {area.left, area.top, area.right, area.bottom}, colours, RecolourMode::Control);
  }
  BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, memory, area.left, area.top,
         SRCCOPY);
  surface->inUse = false;
}

void PaintRecolouredNow(HWND window, LightSubclassProc layerProc, Colour back, Colour front, GadgetKind kind) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (dc) {
    ExcludeChildren(window, dc);
    RenderRecoloured(window, layerProc, dc, back, front, kind, &ps.rcPaint);
  }
  EndPaint(window, &ps);
}

bool FillOffscreenBackground(UINT message, WPARAM wParam) {
  if (message != WM_ERASEBKGND && message != WM_PRINTCLIENT) return false;
  const auto dc = reinterpret_cast<HDC>(wParam);
  const auto& dcs = OffscreenDCs();
  if (!dc || std::find(dcs.begin(), dcs.end(), dc) == dcs.end()) return false;
  RECT area{};
  if (GetClipBox(dc, &area) == ERROR) return false;
  FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
  return true;
}

void RecolourLightParts(HWND window, const RECT* parts, int count, Colour back, Colour front) {
  if (count <= 0) return;
  HDC dc = GetWindowDC(window);
  if (!dc) return;
  const auto face = static_cast<Colour>(GetSysColor(COLOR_BTNFACE));
  const RecolourColours colours{back, front, face};
  const int faceSum = RedOf(face) + GreenOf(face) + BlueOf(face);
  for (int p = 0; p < count; ++p) {
    const RECT& part = parts[p];
    const int w = part.right - part.left;
    const int h = part.bottom - part.top;
    if (w <= 0 || h <= 0) continue;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueBitmap dib(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueDC memory(CreateCompatibleDC(dc));
    if (!dib || !memory || !bits) continue;
    SelectObjectScope use(memory.get(), dib.get());
    BitBlt(memory.get(), 0, 0, w, h, dc, part.left, part.top, SRCCOPY);
    GdiFlush();
    auto* pixels = static_cast<std::uint32_t*>(bits);
    std::int64_t sum = 0;
    for (int i = 0; i < w * h; ++i) sum += (pixels[i] & 0xFF) + ((pixels[i] >> 8) & 0xFF) + ((pixels[i] >> 16) & 0xFF);
    if (sum < static_cast<std::int64_t>(w) * h * faceSum / 2) continue;  // already dark
    RecolourPixels(PixelImage{pixels, w, h, w}, {0, 0, w, h}, colours, RecolourMode::Control);
    BitBlt(dc, part.left, part.top, w, h, memory.get(), 0, 0, SRCCOPY);
  }
  ReleaseDC(window, dc);
}

}  // namespace kelvane
