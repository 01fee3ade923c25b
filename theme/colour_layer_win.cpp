#include "theme/colour_layer_win.h"

#include <commctrl.h>
#include <richedit.h>
#include <uxtheme.h>

#include <algorithm>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "toolkit/gadgets_win.h"
#include "theme/disabled_field_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/explorer_list_win.h"
#include "toolkit/handle_win.h"
#include "toolkit/tool_button_win.h"

namespace kelvane {
namespace {

constexpr wchar_t kPropKind[] = L"GX_KIND";          // SetGadgetKind: kind + 1
constexpr wchar_t kPropStyleChoice[] = L"SGCE_Style";  // 1 dark, 2 light: the style last chosen

std::vector<std::unique_ptr<ColourRecord>>& Records() {
  static std::vector<std::unique_ptr<ColourRecord>> records;
  return records;
}

HWND g_hotGadget = nullptr;
bool g_dateDropDownClosed = false;

// Device contexts of the off-screen paints in progress. A control that
// draws its parent's background into one of them (themed controls do, for
// their transparent parts) must get the system face colour, which the
// recolouring turns into the chosen background: the parent's own, already
// chosen colour would come out inverted.
std::vector<HDC>& OffscreenDCs() {
  static std::vector<HDC> dcs;
  return dcs;
}

struct OwnColours {
  Colour front = NoColour;
  Colour back = NoColour;
};

std::map<HWND, OwnColours>& OwnColourTable() {
  static std::map<HWND, OwnColours> table;
  return table;
}

std::map<HWND, Colour>& WindowColours() {
  static std::map<HWND, Colour> colours;
  return colours;
}

bool ClassIs(HWND window, const wchar_t* className) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return lstrcmpiW(name, className) == 0;
}

HWND ChildOfClass(HWND parent, const wchar_t* className) {
  return FindWindowExW(parent, nullptr, className, nullptr);
}

bool IsRichEdit(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return _wcsnicmp(name, L"RichEdit", 8) == 0;
}

ColourRecord* LiveRecord(HANDLE candidate) {
  if (!candidate) return nullptr;
  for (const auto& record : Records()) {
    if (record.get() == candidate) return record.get();
  }
  return nullptr;
}

// The layer's subclasses, also kept here: the window properties are there
// for anyone to see, but reading them costs a call to the window server
// under some systems (Wine), on every message of every coloured gadget.
struct Subclass {
  WNDPROC old = nullptr;
  WNDPROC actual = nullptr;
  ColourRecord* record = nullptr;
};

std::unordered_map<HWND, Subclass>& Subclasses() {
  static std::unordered_map<HWND, Subclass> subclasses;
  return subclasses;
}

const Subclass* SubclassOf(HWND window) {
  const auto it = Subclasses().find(window);
  return it == Subclasses().end() ? nullptr : &it->second;
}

ColourRecord* RecordOfWindow(HWND window) {
  const Subclass* subclass = SubclassOf(window);
  return subclass ? LiveRecord(subclass->record) : nullptr;
}

ColourRecord* RecordOfGadget(int gadget) {
  for (const auto& record : Records()) {
    if (record->gadget == gadget) return record.get();
  }
  return nullptr;
}

WNDPROC OldProcOf(HWND window) {
  const Subclass* subclass = SubclassOf(window);
  return subclass ? subclass->old : reinterpret_cast<WNDPROC>(GetPropW(window, kPropOldCallBack));
}

LRESULT CallOld(WNDPROC old, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return old ? CallWindowProcW(old, window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

// The window the layer paints for a gadget: the gadget's own, or for an
// explorer list the list view inside it. Null when the gadget is gone.
HWND PaintedWindowOfGadget(int gadget) {
  HWND window = Gadget(gadget);
  if (!window || !IsWindow(window)) return nullptr;
  if (ClassIs(window, kExplorerListClass)) {
    if (HWND list = ChildOfClass(window, WC_LISTVIEWW)) return list;
  }
  return window;
}

int ScaleFor(HWND window, int units) { return Scale(units, DpiOf(window)); }

COLORREF Rgb(Colour colour) { return static_cast<COLORREF>(colour & 0xFFFFFF); }

void RemoveLayerProps(HWND window) {
  RemovePropW(window, kPropOldCallBack);
  RemovePropW(window, kPropActualCallBack);
  RemovePropW(window, kPropRecord);
  Subclasses().erase(window);
}

// Themed controls fill their transparent parts by sending these to their
// parent; during an off-screen paint the parent answers with the face colour.
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

// Selected rows of a coloured list. The system paints them in its highlight
// colour with white text, or, without the focus, in the face colour, which
// the recolouring turns into the background: the selection would vanish.
// These greys come out as a lighter band under the light text instead
// (focused lighter than not), as dark programs show selections.
constexpr COLORREF kFocusedSelection = RGB(190, 190, 190);
constexpr COLORREF kUnfocusedSelection = RGB(215, 215, 215);

// NM_CUSTOMDRAW of a coloured list, met on its way to the list's parent:
// whoever answers it first, the layer then sets the selected rows' colours.
bool TuneListSelection(HWND window, WNDPROC old, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message != WM_NOTIFY) return false;
  auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
  if (!draw || draw->nmcd.hdr.code != static_cast<UINT>(NM_CUSTOMDRAW)) return false;
  HWND list = draw->nmcd.hdr.hwndFrom;
  const ColourRecord* record = RecordOfWindow(list);
  if (!record || record->handle != list || !ClassIs(list, WC_LISTVIEWW)) return false;
  *result = CallOld(old, window, message, wParam, lParam);
  if (*result & CDRF_SKIPDEFAULT) return true;
  if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
    *result |= CDRF_NOTIFYITEMDRAW;
  } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (draw->nmcd.uItemState & CDIS_SELECTED)) {
    const bool focused = GetFocus() == list;
    if (focused || (GetWindowLongPtrW(list, GWL_STYLE) & LVS_SHOWSELALWAYS)) {
      draw->nmcd.uItemState &= ~CDIS_SELECTED;
      draw->clrTextBk = focused ? kFocusedSelection : kUnfocusedSelection;
      draw->clrText = GetSysColor(COLOR_WINDOWTEXT);
    }
  }
  return true;
}

// Sits on the parent of a painted gadget (when the layer has no other
// procedure there): backgrounds drawn for an off-screen paint, and the
// selection colours of a coloured list.
LRESULT CALLBACK ParentBackgroundProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC old = OldProcOf(window);
  if (FillOffscreenBackground(message, wParam)) return 1;
  LRESULT result = 0;
  if (TuneListSelection(window, old, message, wParam, lParam, &result)) return result;
  if (message == WM_NCDESTROY) RemoveLayerProps(window);
  return CallOld(old, window, message, wParam, lParam);
}

// The visual style follows the background. SetWindowTheme resets some of a
// list view's extended styles, so they are put back.
void ChooseVisualStyle(HWND window, Colour back) {
  const bool dark = WantsDarkVisualStyle(back);
  const auto choice = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dark ? 1 : 2));
  if (GetPropW(window, kPropStyleChoice) == choice) return;
  const bool list = ClassIs(window, WC_LISTVIEWW);
  const LRESULT extended = list ? SendMessageW(window, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) : 0;
  SetWindowTheme(window, dark ? L"DarkMode_Explorer" : L"Explorer", nullptr);
  if (list) SendMessageW(window, LVM_SETEXTENDEDLISTVIEWSTYLE, static_cast<WPARAM>(-1), extended);
  SetPropW(window, kPropStyleChoice, choice);
}

int BorderFlagsFor(HWND window, GadgetKind kind, int flags) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  const bool clientEdge = exStyle & WS_EX_CLIENTEDGE;
  const bool staticEdge = exStyle & WS_EX_STATICEDGE;
  switch (kind) {
    case GadgetKind::EntryField:
    case GadgetKind::Image:
    case GadgetKind::Editor:
    case GadgetKind::Canvas:
    case GadgetKind::ListIcon:
    case GadgetKind::ExplorerList:
      if (clientEdge || (exStyle & WS_EX_WINDOWEDGE) || (style & WS_BORDER) || kind == GadgetKind::Editor) {
        return kBorderHotTracked | kBorderSoft;
      }
      return flags;
    case GadgetKind::DateField:
      return kBorderSoft;
    // Frames and containers may be coloured more than once; the flags are
    // combined, never summed, so that a second call changes nothing.
    case GadgetKind::Frame:
      if (clientEdge) return flags | kBorderSoftWide;
      if (staticEdge) return flags | kBorderSoft;
      if (style & 0x12) return flags | kBorderFrameCaption;
      return flags | kBorderFront;
    case GadgetKind::Container:
      if (clientEdge) return flags | kBorderSoftWide;
      if (staticEdge) return flags | kBorderSoft;
      if (style & WS_BORDER) return flags | kBorderFront;
      return flags;
    default:
      return flags;
  }
}

void ReleaseRecord(ColourRecord* record) {
  auto& records = Records();
  if (g_hotGadget && record && (g_hotGadget == record->handle || IsChild(record->handle, g_hotGadget))) {
    g_hotGadget = nullptr;
  }
  std::erase_if(records, [record](const auto& r) { return r.get() == record; });
}

void RemoveColouring(int gadget, HWND handle) {
  if (ColourRecord* record = RecordOfGadget(gadget)) {
    HWND window = record->handle;
    if (IsWindow(window)) {
      RemoveColourProc(ChildOfClass(window, UPDOWN_CLASSW), UPDOWN_CLASSW);
      RemoveColourProc(ChildOfClass(window, WC_HEADERW), WC_HEADERW);
      if (HWND next = GetWindow(window, GW_HWNDNEXT)) RemoveColourProc(next, UPDOWN_CLASSW);
      RemoveColourProc(window, nullptr);
    }
    ReleaseRecord(record);
    // Repainted in the system colours (a redraw rather than hiding and
    // showing: hiding a gadget would take the focus away from it).
    if (IsWindow(window) && IsWindowVisible(window)) {
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
  }
  if (handle) {
    SetOwnGadgetColour(handle, FrontColor, NoColour);
    SetOwnGadgetColour(handle, BackColor, NoColour);
  }
}

// --- Borders -------------------------------------------------------------------

struct BorderLook {
  int width;
  COLORREF colour;
  bool fill;
};

BorderLook LookOf(const ColourRecord& record, bool hot) {
  const int flags = record.borderFlags;
  BorderLook look{};
  look.width = (flags & kBorderSoftWide) ? 2 : (flags & (kBorderSoft | kBorderFront | kBorderFrameCaption)) ? 1 : 0;
  look.colour = hot ? record.hotBorder : (flags & kBorderFront) ? Rgb(record.front) : record.softBorder;
  look.fill = record.kind == GadgetKind::Container ||
              (record.kind == GadgetKind::Frame && GetWindow(record.handle, GW_CHILD) != nullptr) ||
              (hot && record.kind == GadgetKind::DateField);
  return look;
}

void DrawBorderRect(HDC dc, const RECT& rect, const BorderLook& look, COLORREF back) {
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

// --- Painting ------------------------------------------------------------------

struct OffscreenScope {
  explicit OffscreenScope(HDC dc) { OffscreenDCs().push_back(dc); }
  ~OffscreenScope() { OffscreenDCs().pop_back(); }
  OffscreenScope(const OffscreenScope&) = delete;
  OffscreenScope& operator=(const OffscreenScope&) = delete;
};

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

// Paints the window off screen (its own erase and paint), recolours the
// picture and copies it onto `target`. The picture starts in the system
// face colour, so that whatever the control leaves untouched comes out in
// the background colour. (The screen is no starting picture: it holds the
// recoloured pixels of the last paint, and recolouring them again would
// turn dark into light.)
void RenderRecoloured(HWND window, WNDPROC oldProc, HDC target, Colour back, Colour front, GadgetKind kind) {
  RECT client{};
  GetClientRect(window, &client);
  const int w = client.right;
  const int h = client.bottom;
  if (w <= 0 || h <= 0) return;
  Surface& shared = SharedSurface();
  std::unique_ptr<Surface> own;
  Surface* surface = &shared;
  if (shared.inUse) {
    own = std::make_unique<Surface>();
    surface = own.get();
  }
  if (!surface->Fit(w, h)) {
    // No memory for the picture: the control at least shows, in its own colours.
    CallOld(oldProc, window, WM_PAINT, reinterpret_cast<WPARAM>(target), 0);
    return;
  }
  surface->inUse = true;
  HDC memory = surface->dc.get();
  const int saved = SaveDC(memory);  // the control's font, colours and clipping stay with this paint
  FillRect(memory, &client, GetSysColorBrush(COLOR_BTNFACE));
  {
    OffscreenScope offscreen(memory);
    CallOld(oldProc, window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
    CallOld(oldProc, window, WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
  }
  RestoreDC(memory, saved);
  GdiFlush();
  const PixelImage image = surface->Picture(w, h);
  const RecolourColours colours{back, front, static_cast<Colour>(GetSysColor(COLOR_BTNFACE))};
  if (kind == GadgetKind::TabPanel) {
    RecolourTabBands(image, colours, memory, window, back);
  } else {
    RecolourPixels(image, {0, 0, w, h}, colours, RecolourMode::Control);
  }
  BitBlt(target, 0, 0, w, h, memory, 0, 0, SRCCOPY);
  surface->inUse = false;
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

// Painted gadgets with a border of their own flag (lists, date fields) get
// it over their system edge whenever that edge is drawn; frames and
// containers draw theirs in their own paint.
bool DrawsEdgeBorder(const ColourRecord& record) {
  return ClassOfKind(record.kind) == GadgetClass::Painted && record.kind != GadgetKind::Frame &&
         record.kind != GadgetKind::Container && LookOf(record, false).width > 0;
}

// What the scroll bars of a window show, to notice when they were redrawn.
std::uint64_t ScrollBarsState(HWND window) {
  std::uint64_t state = 1469598103934665603ull;
  const auto mix = [&state](std::int64_t value) {
    state = (state ^ static_cast<std::uint64_t>(value)) * 1099511628211ull;  // FNV-1a
  };
  for (const int bar : {SB_HORZ, SB_VERT}) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (GetScrollInfo(window, bar, &info)) {
      mix(info.nMin);
      mix(info.nMax);
      mix(info.nPage);
      mix(info.nPos);
    }
  }
  RECT outer{};
  GetWindowRect(window, &outer);
  mix(outer.right - outer.left);
  mix(outer.bottom - outer.top);
  mix(static_cast<std::int64_t>(GetWindowLongPtrW(window, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)));
  return state;
}

std::map<HWND, std::uint64_t>& ScrollBarsSeen() {
  static std::map<HWND, std::uint64_t> seen;
  return seen;
}

// The scroll bars of a painted gadget belong to its frame, which the
// system draws, in its own colours unless a dark visual style did it (the
// "DarkMode_Explorer" style of Windows 10 and later). Light ones are
// recoloured in place like the rest of the gadget. `always`: the frame was
// just drawn; otherwise only when the scroll bars changed since last time.
void RecolourScrollBars(HWND window, const ColourRecord& record, bool always) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  if (!(style & (WS_HSCROLL | WS_VSCROLL))) return;
  const std::uint64_t state = ScrollBarsState(window);
  std::uint64_t& seen = ScrollBarsSeen()[window];
  if (!always && seen == state) return;
  seen = state;
  RECT outer{};
  GetWindowRect(window, &outer);
  std::vector<RECT> parts;
  RECT bars[2]{};
  bool shown[2]{};
  const LONG ids[2] = {OBJID_HSCROLL, OBJID_VSCROLL};
  for (int i = 0; i < 2; ++i) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    if (!GetScrollBarInfo(window, ids[i], &info)) continue;
    if (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) continue;
    bars[i] = info.rcScrollBar;
    OffsetRect(&bars[i], -outer.left, -outer.top);
    shown[i] = !IsRectEmpty(&bars[i]);
    if (shown[i]) parts.push_back(bars[i]);
  }
  if (shown[0] && shown[1]) parts.push_back({bars[1].left, bars[0].top, bars[1].right, bars[0].bottom});  // the corner
  if (parts.empty()) return;
  HDC dc = GetWindowDC(window);
  if (!dc) return;
  const auto face = static_cast<Colour>(GetSysColor(COLOR_BTNFACE));
  const RecolourColours colours{record.back, record.front, face};
  const int faceSum = RedOf(face) + GreenOf(face) + BlueOf(face);
  for (const RECT& part : parts) {
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

void PaintRecoloured(HWND window, ColourRecord& record, WNDPROC old) {
  Colour back = record.back;
  // A list's header (which shares the list's record) and a list without
  // header stand out from the rows.
  if ((record.kind == GadgetKind::ListIcon || record.kind == GadgetKind::ExplorerList) &&
      !ChildOfClass(window, WC_HEADERW)) {
    back = ShiftHeaderBackground(back);
  }
  RecolourPaint(window, old, back, record.front, record.kind);
  if (window == record.handle) {
    const int enabled = IsWindowEnabled(window) ? 1 : 0;
    if (enabled != record.enabled) {
      record.enabled = enabled;
      InvalidateRect(window, nullptr, TRUE);
    }
  }
  if (DrawsEdgeBorder(record)) DrawColourBorder(record, g_hotGadget == window, BorderTarget::Parent);
  // The system may have redrawn them without a frame paint, even unchanged.
  RecolourScrollBars(window, record, true);
  if (HWND arrows = ChildOfClass(window, UPDOWN_CLASSW);
      arrows && InstallColourProc(arrows, PartColourProc, &record, UPDOWN_CLASSW)) {
    InvalidateRect(arrows, nullptr, TRUE);
  }
  if (HWND header = ChildOfClass(window, WC_HEADERW);
      header && InstallColourProc(header, GadgetColourProc, &record, WC_HEADERW)) {
    InvalidateRect(header, nullptr, TRUE);
  }
}

// Some controls draw straight onto the screen outside WM_PAINT (a button
// taking the focus or going down, a combo field changing): after such
// messages they are painted again at once, through the layer.
bool DrawsOutsidePaint(GadgetKind kind, UINT message) {
  switch (kind) {
    case GadgetKind::Button:
    case GadgetKind::CheckBox:
    case GadgetKind::Option:
    case GadgetKind::ComboBox:
    case GadgetKind::DateField:
    case GadgetKind::TabPanel:
      break;
    default:
      return false;
  }
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_CAPTURECHANGED:
    case WM_UPDATEUISTATE:
    case BM_SETSTATE:
    case BM_SETCHECK:
    case CB_SETCURSEL:
      return true;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
      return kind != GadgetKind::TabPanel;
    default:
      return false;
  }
}

struct DropDownSearch {
  ColourRecord* record;
};

BOOL CALLBACK ColourDropDownWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<DropDownSearch*>(param);
  if (!ClassIs(window, L"DropDown")) return TRUE;
  InstallColourProc(window, DropDownFrameProc, search->record, nullptr);
  if (HWND calendar = GetWindow(window, GW_CHILD)) {
    InstallColourProc(calendar, PartColourProc, search->record, nullptr);
    RECT minimum{};
    if (SendMessageW(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&minimum))) {
      SetWindowPos(window, nullptr, 0, 0, minimum.right - minimum.left, minimum.bottom - minimum.top + 6,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  return TRUE;
}

// The calendar of a date field lives in a top-level drop-down window of the
// thread while it is open.
void ColourDateDropDown(ColourRecord& record) {
  DropDownSearch search{&record};
  EnumThreadWindows(GetCurrentThreadId(), ColourDropDownWindow, reinterpret_cast<LPARAM>(&search));
  // Wine shows the calendar as a pop-up of its own, without the frame.
  if (HWND calendar = reinterpret_cast<HWND>(SendMessageW(record.handle, DTM_GETMONTHCAL, 0, 0));
      calendar && InstallColourProc(calendar, PartColourProc, &record, nullptr)) {
    InvalidateRect(calendar, nullptr, TRUE);
  }
}

// WM_CTLCOLOR* from a child of a coloured gadget. Children with colours of
// their own get them; a container lends its colours to children that are
// not painted by the layer (text, images, links); other children get the
// system's answer, which the layer's recolouring expects.
bool AnswerChildColour(const ColourRecord& record, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                       WNDPROC old, LRESULT* result) {
  if (AnswerOwnGadgetColour(message, wParam, lParam, result)) return true;
  const auto dc = reinterpret_cast<HDC>(wParam);
  const auto child = reinterpret_cast<HWND>(lParam);
  const bool editOrList = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
  const bool lendToChild = record.kind == GadgetKind::Container &&
                           (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN) &&
                           ClassOfKind(KindOfGadgetWindow(child)) != GadgetClass::Painted;
  if (!editOrList && !lendToChild) {
    *result = CallOld(old, window, message, wParam, lParam);
    return true;
  }
  SetBkColor(dc, Rgb(record.back));
  SetTextColor(dc, Rgb(record.front));
  *result = reinterpret_cast<LRESULT>(SharedColourBrush(Rgb(record.back)));
  return true;
}

void TrackLeave(HWND window, bool nonClient) {
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE | (nonClient ? TME_NONCLIENT : 0);
  track.hwndTrack = window;
  TrackMouseEvent(&track);
}

// The text colour answered for a child that was given only a background.
Colour OwnTextColour(UINT message, Colour back) {
  const int system = (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX) ? COLOR_WINDOWTEXT : COLOR_BTNTEXT;
  return ReadableTextColour(static_cast<Colour>(GetSysColor(system)), back);
}

// A disabled entry field with a background of its own: the system would
// write its text in grey, whatever the colours answered.
bool PaintsAsDisabledField(HWND window, GadgetKind kind) {
  return kind == GadgetKind::EntryField && !IsWindowEnabled(window) && OwnGadgetColour(window, BackColor) != NoColour;
}

void PaintOwnDisabledField(HWND window, HDC dc) {
  const Colour back = OwnGadgetColour(window, BackColor);
  const Colour front = OwnGadgetColour(window, FrontColor);
  const Colour text = front != NoColour ? ReadableTextColour(front, back) : OwnTextColour(WM_CTLCOLORSTATIC, back);
  PaintDisabledField(window, dc, Rgb(back), Rgb(DimmedTextColour(text, back)));
}

}  // namespace

// --- Kinds ---------------------------------------------------------------------

GadgetClass ClassOfKind(GadgetKind kind) {
  switch (kind) {
    case GadgetKind::EntryField:
    case GadgetKind::Image:
    case GadgetKind::Editor:
    case GadgetKind::Canvas:
      return GadgetClass::SelfColoured;
    case GadgetKind::Button:
    case GadgetKind::CheckBox:
    case GadgetKind::Option:
    case GadgetKind::Frame:
    case GadgetKind::ComboBox:
    case GadgetKind::Container:
    case GadgetKind::ListIcon:
    case GadgetKind::DateField:
    case GadgetKind::ExplorerList:
    case GadgetKind::TabPanel:
      return GadgetClass::Painted;
    default:
      return GadgetClass::Plain;
  }
}

bool TakesVisualStyleChoice(GadgetKind kind) {
  return kind == GadgetKind::Container || kind == GadgetKind::ListIcon || kind == GadgetKind::ComboBox ||
         kind == GadgetKind::Editor || kind == GadgetKind::ExplorerList;
}

void SetGadgetKind(HWND window, GadgetKind kind) {
  if (!window) return;
  SetPropW(window, kPropKind, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(static_cast<int>(kind) + 1)));
}

GadgetKind KindOfGadgetWindow(HWND window) {
  if (!window) return GadgetKind::Unknown;
  if (const auto set = reinterpret_cast<INT_PTR>(GetPropW(window, kPropKind)); set > 0) {
    return static_cast<GadgetKind>(set - 1);
  }
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  if (ClassIs(window, WC_BUTTONW)) {
    switch (style & BS_TYPEMASK) {
      case BS_GROUPBOX:
        return GadgetKind::Frame;
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_3STATE:
      case BS_AUTO3STATE:
        return GadgetKind::CheckBox;
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON:
        return GadgetKind::Option;
      case BS_OWNERDRAW:
        return GadgetKind::Canvas;
      default:
        return GadgetKind::Button;
    }
  }
  if (ClassIs(window, WC_STATICW)) {
    switch (style & SS_TYPEMASK) {
      case SS_ICON:
      case SS_BITMAP:
      case SS_ENHMETAFILE:
        return GadgetKind::Image;
      case SS_BLACKFRAME:
      case SS_GRAYFRAME:
      case SS_WHITEFRAME:
      case SS_ETCHEDFRAME:
        return GadgetKind::Frame;
      default:
        return GadgetKind::Text;
    }
  }
  if (ClassIs(window, WC_EDITW)) return (style & ES_MULTILINE) ? GadgetKind::Editor : GadgetKind::EntryField;
  if (IsRichEdit(window)) return GadgetKind::Editor;
  if (ClassIs(window, WC_COMBOBOXW) || ClassIs(window, WC_COMBOBOXEXW)) return GadgetKind::ComboBox;
  if (ClassIs(window, kExplorerListClass)) return GadgetKind::ExplorerList;
  if (ClassIs(window, WC_LISTVIEWW)) {
    HWND parent = GetParent(window);
    return parent && ClassIs(parent, kExplorerListClass) ? GadgetKind::ExplorerList : GadgetKind::ListIcon;
  }
  if (ClassIs(window, WC_TABCONTROLW)) return GadgetKind::TabPanel;
  if (ClassIs(window, DATETIMEPICK_CLASSW)) return GadgetKind::DateField;
  if (ClassIs(window, WC_LINK)) return GadgetKind::Hyperlink;
  if (ClassIs(window, kToolButtonClass)) return GadgetKind::Canvas;
  return GadgetKind::Unknown;
}

// --- Top-level windows and own colours -----------------------------------------

void SetWindowNumber(HWND topLevel, int number) {
  if (!topLevel) return;
  if (number < 0) {
    RemovePropW(topLevel, kPropWindowId);
  } else {
    SetPropW(topLevel, kPropWindowId, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(number + 1)));
  }
}

int WindowNumberOf(HWND topLevel) {
  const auto value = reinterpret_cast<INT_PTR>(topLevel ? GetPropW(topLevel, kPropWindowId) : nullptr);
  return value > 0 ? static_cast<int>(value - 1) : -1;
}

void SetWindowColour(HWND topLevel, Colour colour) {
  if (!topLevel || !IsWindow(topLevel)) return;
  if (colour == NoColour) {
    WindowColours().erase(topLevel);
  } else {
    WindowColours()[topLevel] = colour & 0xFFFFFF;
    InstallColourProc(topLevel, WindowWatchProc, nullptr, nullptr);
  }
  InvalidateRect(topLevel, nullptr, TRUE);
}

Colour WindowColour(HWND topLevel) {
  const auto it = WindowColours().find(topLevel);
  return it != WindowColours().end() ? it->second : static_cast<Colour>(GetSysColor(COLOR_BTNFACE));
}

HBRUSH SharedColourBrush(COLORREF colour) {
  static std::map<COLORREF, UniqueBrush> brushes;
  UniqueBrush& brush = brushes[colour & 0xFFFFFF];
  if (!brush) brush.reset(CreateSolidBrush(colour & 0xFFFFFF));
  return brush.get();
}

void SetOwnGadgetColour(HWND window, int kind, Colour colour) {
  if (!window || (kind != FrontColor && kind != BackColor)) return;
  auto& table = OwnColourTable();
  OwnColours& own = table[window];
  (kind == FrontColor ? own.front : own.back) = colour;
  if (own.front == NoColour && own.back == NoColour) table.erase(window);
  if (IsRichEdit(window)) {
    // Rich edit controls ask nobody for their colours.
    if (kind == BackColor) {
      SendMessageW(window, EM_SETBKGNDCOLOR, colour == NoColour ? 1 : 0, static_cast<LPARAM>(Rgb(colour)));
    } else {
      CHARFORMAT2W format{};
      format.cbSize = sizeof format;
      format.dwMask = CFM_COLOR;
      format.dwEffects = colour == NoColour ? CFE_AUTOCOLOR : 0;
      format.crTextColor = Rgb(colour);
      SendMessageW(window, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    }
  }
  InvalidateRect(window, nullptr, TRUE);
}

Colour OwnGadgetColour(HWND window, int kind) {
  const auto it = OwnColourTable().find(window);
  if (it == OwnColourTable().end()) return NoColour;
  return kind == FrontColor ? it->second.front : kind == BackColor ? it->second.back : NoColour;
}

bool AnswerOwnGadgetColour(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message < WM_CTLCOLORMSGBOX || message > WM_CTLCOLORSTATIC) return false;
  const auto it = OwnColourTable().find(reinterpret_cast<HWND>(lParam));
  if (it == OwnColourTable().end()) return false;
  const auto dc = reinterpret_cast<HDC>(wParam);
  const OwnColours& own = it->second;
  if (own.front != NoColour) SetTextColor(dc, Rgb(own.front));
  if (own.back != NoColour) {
    // A background given alone keeps the system's text colour only where it
    // reads: black text on a dark field would not.
    if (own.front == NoColour) SetTextColor(dc, Rgb(OwnTextColour(message, own.back)));
    SetBkColor(dc, Rgb(own.back));
    *result = reinterpret_cast<LRESULT>(SharedColourBrush(Rgb(own.back)));
  } else {
    const int system = (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX) ? COLOR_WINDOW : COLOR_BTNFACE;
    SetBkColor(dc, GetSysColor(system));
    *result = reinterpret_cast<LRESULT>(GetSysColorBrush(system));
  }
  return true;
}

// --- The layer -----------------------------------------------------------------

int SetgadgetColorEx(int gadget, int kind, Colour colour, int noCompanion) {
  HWND handle = PaintedWindowOfGadget(gadget);
  if (!handle) return 0;
  HWND root = GetAncestor(handle, GA_ROOT);
  const int windowNumber = root ? WindowNumberOf(root) : -1;
  // Watched so that the records of its gadgets go with it.
  if (root && root != handle) InstallColourProc(root, WindowWatchProc, nullptr, nullptr);
  ColourRecord* record = RecordOfGadget(gadget);
  if (kind == RemoveColours) {
    RemoveColouring(gadget, handle);
    return 0;
  }
  if (kind != FrontColor && kind != BackColor) return 0;
  if (!record) {
    auto fresh = std::make_unique<ColourRecord>();
    fresh->gadget = gadget;
    fresh->handle = handle;
    fresh->enabled = IsWindowEnabled(handle) ? 1 : 0;
    fresh->window = windowNumber;
    fresh->kind = KindOfGadgetWindow(handle);
    fresh->root = root;
    record = fresh.get();
    Records().push_back(std::move(fresh));
  } else if (record->handle != handle) {
    // The gadget was made anew under the same number.
    record->handle = handle;
    record->kind = KindOfGadgetWindow(handle);
    record->root = root;
    record->window = windowNumber;
    record->borderFlags = 0;
  }
  if (colour != NoColour) colour &= 0xFFFFFF;
  if (kind == BackColor) {
    record->back = colour;
    if (!noCompanion && record->front == NoColour && colour != NoColour) {
      record->front = CompanionTextColour(colour);
    }
  } else {
    record->front = colour;
    if (!noCompanion && record->back == NoColour && colour != NoColour) {
      HWND parent = GetParent(handle);
      if (parent && parent == root) {
        record->back = WindowColour(root);
      } else if (const int parentGadget = parent ? GadgetNumberOf(parent) : -1;
                 parentGadget >= 0 && PaintedWindowOfGadget(parentGadget)) {
        record->back = GetgadgetColorEx(parentGadget, BackColor);
      }
    }
  }
  const auto systemText = static_cast<Colour>(GetSysColor(COLOR_WINDOWTEXT));
  const auto systemFace = static_cast<Colour>(GetSysColor(COLOR_BTNFACE));
  const Colour front = record->front == NoColour ? systemText : record->front;
  const Colour back = record->back == NoColour ? systemFace : record->back;
  if (TakesVisualStyleChoice(record->kind)) ChooseVisualStyle(handle, back);
  if ((record->front == NoColour || record->front == systemText) &&
      (record->back == NoColour || record->back == systemFace)) {
    RemoveColouring(gadget, handle);
    return 0;
  }
  const GadgetClass gadgetClass = ClassOfKind(record->kind);
  if (gadgetClass != GadgetClass::Plain) {
    record->front = front;
    record->back = back;
    record->borderFlags = BorderFlagsFor(handle, record->kind, record->borderFlags);
    record->softBorder = Rgb(BlendColour(front, back, 0.25));
    record->hotBorder = Rgb(BlendColour(front, back, 0.6));
    InstallColourProc(handle, GadgetColourProc, record, nullptr);
    if (gadgetClass == GadgetClass::Painted) {
      if (HWND parent = GetParent(handle); parent && parent != root) {
        InstallColourProc(parent, ParentBackgroundProc, nullptr, nullptr);
      }
    }
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  if (gadgetClass != GadgetClass::Painted) {
    SetOwnGadgetColour(handle, kind, kind == FrontColor ? record->front : record->back);
  }
  return 0;
}

Colour GetgadgetColorEx(int gadget, int kind) {
  if (const ColourRecord* record = RecordOfGadget(gadget);
      record && ClassOfKind(record->kind) != GadgetClass::Plain) {
    return kind == FrontColor ? record->front : kind == BackColor ? record->back : NoColour;
  }
  HWND window = PaintedWindowOfGadget(gadget);
  return window ? OwnGadgetColour(window, kind) : NoColour;
}

int InstallColourProc(HWND window, WNDPROC procedure, ColourRecord* record, const wchar_t* className) {
  if (!window || !procedure || !IsWindow(window)) return 0;
  if (className && *className && !ClassIs(window, className)) return 0;
  if (SubclassOf(window) || GetPropW(window, kPropOldCallBack)) return 0;
  if (record) SetPropW(window, kPropRecord, record);
  SetPropW(window, kPropActualCallBack, reinterpret_cast<HANDLE>(procedure));
  const auto old = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
  SetPropW(window, kPropOldCallBack, reinterpret_cast<HANDLE>(old));
  Subclasses()[window] = Subclass{old, procedure, record};
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
  return 1;
}

int RemoveColourProc(HWND window, const wchar_t* className) {
  if (!window || !IsWindow(window)) return 0;
  if (className && *className && !ClassIs(window, className)) return 0;
  const Subclass* subclass = SubclassOf(window);
  if (!subclass || !subclass->old ||
      reinterpret_cast<LONG_PTR>(subclass->actual) != GetWindowLongPtrW(window, GWLP_WNDPROC)) {
    return 0;
  }
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass->old));
  RemoveLayerProps(window);
  return 1;
}

LRESULT CALLBACK GadgetColourProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC old = OldProcOf(window);
  if (FillOffscreenBackground(message, wParam)) return 1;
  if (LRESULT result = 0; TuneListSelection(window, old, message, wParam, lParam, &result)) return result;
  ColourRecord* record = RecordOfWindow(window);
  if (message == WM_NCDESTROY) {
    RemoveLayerProps(window);
    ScrollBarsSeen().erase(window);
    if (g_hotGadget == window) g_hotGadget = nullptr;
    return CallOld(old, window, message, wParam, lParam);
  }
  // A record released while its window lives on (its top-level window is
  // being destroyed): the window goes on as it was.
  if (!record) return CallOld(old, window, message, wParam, lParam);

  const GadgetKind kind = record->kind;
  const GadgetClass gadgetClass = ClassOfKind(kind);
  switch (message) {
    case WM_CAPTURECHANGED:
      if (kind == GadgetKind::DateField) ColourDateDropDown(*record);
      break;
    case WM_NOTIFY:
      if (kind == GadgetKind::DateField && reinterpret_cast<const NMHDR*>(lParam)->code == NM_RELEASEDCAPTURE) {
        g_dateDropDownClosed = true;
      }
      break;
    case DTM_GETSYSTEMTIME:
      if (kind == GadgetKind::DateField) g_dateDropDownClosed = true;
      break;
    case WM_SETTEXT:
    case WM_ENABLE:
      InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: {
      const LRESULT result = CallOld(old, window, message, wParam, lParam);
      if (g_hotGadget != window && (record->borderFlags & kBorderHotTracked)) {
        DrawColourBorder(*record, true, BorderTarget::Parent);
        g_hotGadget = window;
        TrackLeave(window, message == WM_NCMOUSEMOVE);
      }
      if (DrawsOutsidePaint(kind, message)) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      if (message == WM_NCMOUSEMOVE && gadgetClass == GadgetClass::Painted) RecolourScrollBars(window, *record, true);
      return result;
    }
    case WM_MOUSELEAVE:
    case WM_NCMOUSELEAVE:
      if (g_hotGadget) {
        g_hotGadget = nullptr;
        if (record->borderFlags & kBorderHotTracked) DrawColourBorder(*record, false, BorderTarget::Parent);
      }
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      LRESULT result = 0;
      if (AnswerChildColour(*record, window, message, wParam, lParam, old, &result)) return result;
      break;
    }
    case WM_NCPAINT: {
      CallOld(old, window, message, wParam, lParam);
      if (gadgetClass == GadgetClass::SelfColoured || DrawsEdgeBorder(*record)) {
        DrawColourBorder(*record, g_hotGadget == window, BorderTarget::Parent);
      }
      RecolourScrollBars(window, *record, true);
      return 0;
    }
    case WM_ERASEBKGND:
      // Painted gadgets erase off screen, in their paint: erasing on screen
      // in the system colours would flash before the recoloured picture.
      if (gadgetClass == GadgetClass::Painted && kind != GadgetKind::Frame && kind != GadgetKind::Container) {
        return 1;
      }
      break;
    case WM_PAINT:
      if (PaintsAsDisabledField(window, kind)) {
        PAINTSTRUCT ps;
        if (HDC dc = BeginPaint(window, &ps)) PaintOwnDisabledField(window, dc);
        EndPaint(window, &ps);
        return 0;
      }
      if (gadgetClass == GadgetClass::SelfColoured) break;
      if (kind == GadgetKind::Frame) {
        PaintFrame(window, *record);
      } else if (kind == GadgetKind::Container) {
        PaintContainer(window, *record);
      } else {
        PaintRecoloured(window, *record, old);
      }
      return 0;
    case WM_PRINTCLIENT:
      if (PaintsAsDisabledField(window, kind)) {
        PaintOwnDisabledField(window, reinterpret_cast<HDC>(wParam));
        return 0;
      }
      // Window animations and PrintWindow take the picture this way.
      if (gadgetClass == GadgetClass::Painted && kind != GadgetKind::Frame && kind != GadgetKind::Container) {
        Colour back = record->back;
        if ((kind == GadgetKind::ListIcon || kind == GadgetKind::ExplorerList) && !ChildOfClass(window, WC_HEADERW)) {
          back = ShiftHeaderBackground(back);
        }
        RenderRecoloured(window, old, reinterpret_cast<HDC>(wParam), back, record->front, kind);
        return 0;
      }
      break;
    default:
      break;
  }
  const LRESULT result = CallOld(old, window, message, wParam, lParam);
  if (gadgetClass != GadgetClass::Painted || !IsWindow(window)) return result;
  ColourRecord* still = RecordOfWindow(window);
  if (!still) return result;
  if (DrawsOutsidePaint(kind, message)) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    if (kind == GadgetKind::DateField && (message == WM_LBUTTONDOWN || message == WM_KEYDOWN)) {
      ColourDateDropDown(*still);
    }
  }
  // Scroll bars are redrawn by the system whenever they change.
  const bool nonClientMouse = message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONUP ||
                              message == WM_NCLBUTTONDBLCLK || message == WM_NCMOUSELEAVE;
  RecolourScrollBars(window, *still, nonClientMouse);
  return result;
}

LRESULT CALLBACK WindowWatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC old = OldProcOf(window);
  if (FillOffscreenBackground(message, wParam)) return 1;
  if (LRESULT result = 0; TuneListSelection(window, old, message, wParam, lParam, &result)) return result;
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      LRESULT result = 0;
      if (AnswerOwnGadgetColour(message, wParam, lParam, &result)) return result;
      break;
    }
    case WM_ERASEBKGND:
      if (const auto it = WindowColours().find(window); it != WindowColours().end()) {
        RECT area{};
        GetClientRect(window, &area);
        FillRect(reinterpret_cast<HDC>(wParam), &area, SharedColourBrush(Rgb(it->second)));
        return 1;
      }
      break;
    case WM_DESTROY: {
      const int number = WindowNumberOf(window);
      std::vector<ColourRecord*> gone;
      for (const auto& record : Records()) {
        if (!IsWindow(record->handle) || record->root == window || (number >= 0 && record->window == number)) {
          gone.push_back(record.get());
        }
      }
      for (ColourRecord* record : gone) ReleaseRecord(record);
      std::erase_if(OwnColourTable(), [window](const auto& entry) {
        return !IsWindow(entry.first) || entry.first == window || IsChild(window, entry.first);
      });
      break;
    }
    case WM_NCDESTROY:
      WindowColours().erase(window);
      RemoveLayerProps(window);
      break;
    default:
      break;
  }
  return CallOld(old, window, message, wParam, lParam);
}

LRESULT CALLBACK PartColourProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC old = OldProcOf(window);
  if (FillOffscreenBackground(message, wParam)) return 1;
  if (message == WM_NCDESTROY) {
    RemoveLayerProps(window);
    return CallOld(old, window, message, wParam, lParam);
  }
  if (const ColourRecord* record = RecordOfWindow(window)) {
    switch (message) {
      case WM_PAINT:
        RecolourPaint(window, old, record->back, record->front, record->kind);
        return 1;
      case WM_ERASEBKGND:
        return 1;
      case WM_PRINTCLIENT:
        RenderRecoloured(window, old, reinterpret_cast<HDC>(wParam), record->back, record->front, record->kind);
        return 0;
      default:
        break;
    }
  }
  return CallOld(old, window, message, wParam, lParam);
}

LRESULT CALLBACK DropDownFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC old = OldProcOf(window);
  if (message == WM_NCDESTROY) {
    RemoveLayerProps(window);
    return CallOld(old, window, message, wParam, lParam);
  }
  if (message == WM_PAINT) {
    if (const ColourRecord* record = RecordOfWindow(window)) {
      ValidateRect(window, nullptr);
      DrawColourBorder(*record, true, BorderTarget::Window);
    }
  }
  return CallOld(old, window, message, wParam, lParam);
}

void DrawColourBorder(const ColourRecord& record, bool hot, HDC dc) {
  if (!dc || !IsWindow(record.handle)) return;
  const BorderLook look = LookOf(record, hot);
  if (look.width == 0 && !look.fill) return;
  RECT rect{};
  GetClientRect(record.handle, &rect);
  if (record.kind == GadgetKind::Frame) rect.top = FrameLineY(record.handle);
  DrawBorderRect(dc, rect, look, Rgb(record.back));
}

void DrawColourBorder(const ColourRecord& record, bool hot, BorderTarget target) {
  HWND window = record.handle;
  if (!IsWindow(window)) return;
  const BorderLook look = LookOf(record, hot);
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

void RecolourPaint(HWND window, WNDPROC oldProc, Colour back, Colour front, GadgetKind kind) {
  if (kind == GadgetKind::DateField) {
    // After its calendar closed, a date field gets its visual style anew.
    if (g_dateDropDownClosed) {
      if (HTHEME theme = GetWindowTheme(window)) {
        SetPropW(window, kPropOldTheme, theme);
        SetWindowTheme(window, L"", L"");
      }
      g_dateDropDownClosed = false;
    }
    if (!GetWindowTheme(window) && GetPropW(window, kPropOldTheme)) SetWindowTheme(window, L"Explorer", nullptr);
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (dc) {
    ExcludeChildren(window, dc);
    RenderRecoloured(window, oldProc, dc, back, front, kind);
  }
  EndPaint(window, &ps);
}

const ColourRecord* FindColourRecord(int gadget) { return RecordOfGadget(gadget); }

std::size_t ColourRecordCount() { return Records().size(); }

HWND HotGadget() { return g_hotGadget; }

}  // namespace kelvane
