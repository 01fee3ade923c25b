// The procedures the colour layer puts in front of the windows it colours.
// A procedure may see its window, its layer or itself go during a message
// it passes on (a button that closes its window): after passing one on it
// looks itself up again rather than trusting what it held.
#include "theme/colour_hooks_win.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <cstdint>

#include "theme/disabled_field_win.h"
#include "theme/offscreen_surface_win.h"

namespace kelvane {
namespace {

constexpr wchar_t kPropOldTheme[] = L"SGCE_OldTheme";

HWND g_hotGadget = nullptr;
bool g_dateDropDownClosed = false;

COLORREF Rgb(Colour colour) { return static_cast<COLORREF>(colour & 0xFFFFFF); }

ColourHook* HookOf(HWND window, LightSubclassProc proc) {
  return static_cast<ColourHook*>(LightSubclassData(window, proc));
}

LRESULT Next(HWND window, LightSubclassProc proc, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallNextLightSubclass(window, proc, message, wParam, lParam);
}

// The window is being destroyed: its procedure leaves once the message has gone through.
LRESULT PassOnAndForget(HWND window, LightSubclassProc proc, ColourHook& hook, UINT message, WPARAM wParam,
                        LPARAM lParam) {
  ColourLayer& layer = hook.layer;
  const LRESULT result = Next(window, proc, message, wParam, lParam);
  layer.Forget(window);
  return result;
}

// NM_CUSTOMDRAW of a coloured list, met on its way to the list's parent:
// whoever answers it first, the layer then sets the selected rows' colours.
bool TuneListSelection(HWND window, LightSubclassProc proc, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT* result) {
  if (message != WM_NOTIFY) return false;
  auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
  if (!draw || draw->nmcd.hdr.code != static_cast<UINT>(NM_CUSTOMDRAW)) return false;
  HWND list = draw->nmcd.hdr.hwndFrom;
  const ColourHook* hook = HookOf(list, GadgetColourProc);
  if (!hook || !hook->record || hook->record->handle != list || !WindowClassIs(list, WC_LISTVIEWW)) return false;
  *result = Next(window, proc, message, wParam, lParam);
  if (*result & CDRF_SKIPDEFAULT) return true;
  if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
    *result |= CDRF_NOTIFYITEMDRAW;
  } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (draw->nmcd.uItemState & CDIS_SELECTED)) {
    const bool focused = GetFocus() == list;
    if (focused || (GetWindowLongPtrW(list, GWL_STYLE) & LVS_SHOWSELALWAYS)) {
      draw->nmcd.uItemState &= ~CDIS_SELECTED;
      draw->clrTextBk = Rgb(SelectedRowShade(focused));
      draw->clrText = GetSysColor(COLOR_WINDOWTEXT);
    }
  }
  return true;
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

// The scroll bars of a painted gadget belong to its frame, which the
// system draws, in its own colours unless a dark visual style did it (the
// "DarkMode_Explorer" style of Windows 10 and later). Light ones are
// recoloured in place like the rest of the gadget. `always`: the frame was
// just drawn; otherwise only when the scroll bars changed since last time.
void RecolourScrollBars(HWND window, ColourHook& hook, bool always) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  if (!(style & (WS_HSCROLL | WS_VSCROLL))) return;
  const std::uint64_t state = ScrollBarsState(window);
  if (!always && hook.scrollBars == state) return;
  hook.scrollBars = state;
  RECT outer{};
  GetWindowRect(window, &outer);
  RECT parts[3]{};
  int count = 0;
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
    if (shown[i]) parts[count++] = bars[i];
  }
  if (shown[0] && shown[1]) parts[count++] = {bars[1].left, bars[0].top, bars[1].right, bars[0].bottom};  // the corner
  RecolourLightParts(window, parts, count, hook.record->back, hook.record->front);
}

void PaintRecoloured(HWND window, ColourHook& hook) {
  ColourRecord& record = *hook.record;
  const Colour back = ListPaintBackground(record.kind, record.back, ChildOfClass(window, WC_HEADERW) != nullptr);
  if (record.kind == GadgetKind::DateField) {
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
  PaintRecolouredNow(window, GadgetColourProc, back, record.front, record.kind);
  if (window == record.handle) {
    const int enabled = IsWindowEnabled(window) ? 1 : 0;
    if (enabled != record.enabled) {
      record.enabled = enabled;
      InvalidateRect(window, nullptr, TRUE);
    }
  }
  if (DrawsEdgeBorder(record.kind, record.borderFlags)) {
    DrawColourBorder(record, g_hotGadget == window, BorderTarget::Parent);
  }
  // The system may have redrawn them without a frame paint, even unchanged.
  RecolourScrollBars(window, hook, true);
  if (HWND arrows = ChildOfClass(window, UPDOWN_CLASSW);
      arrows && hook.layer.Hook(arrows, PartColourProc, &record, UPDOWN_CLASSW)) {
    InvalidateRect(arrows, nullptr, TRUE);
  }
  if (HWND header = ChildOfClass(window, WC_HEADERW);
      header && hook.layer.Hook(header, GadgetColourProc, &record, WC_HEADERW)) {
    InvalidateRect(header, nullptr, TRUE);
  }
}

struct DropDownSearch {
  ColourHook* hook;
};

BOOL CALLBACK ColourDropDownWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<DropDownSearch*>(param);
  if (!WindowClassIs(window, L"DropDown")) return TRUE;
  ColourLayer& layer = search->hook->layer;
  layer.Hook(window, DropDownFrameProc, search->hook->record, nullptr);
  if (HWND calendar = GetWindow(window, GW_CHILD)) {
    layer.Hook(calendar, PartColourProc, search->hook->record, nullptr);
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
void ColourDateDropDown(ColourHook& hook) {
  DropDownSearch search{&hook};
  EnumThreadWindows(GetCurrentThreadId(), ColourDropDownWindow, reinterpret_cast<LPARAM>(&search));
  // Wine shows the calendar as a pop-up of its own, without the frame.
  if (HWND calendar = reinterpret_cast<HWND>(SendMessageW(hook.record->handle, DTM_GETMONTHCAL, 0, 0));
      calendar && hook.layer.Hook(calendar, PartColourProc, hook.record, nullptr)) {
    InvalidateRect(calendar, nullptr, TRUE);
  }
}

// WM_CTLCOLOR* from a child of a coloured gadget. Children with colours of
// their own get them; a container lends its colours to children that are
// not painted by the layer (text, images, links); other children get the
// system's answer, which the layer's recolouring expects.
LRESULT AnswerChildColour(const ColourHook& hook, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (hook.layer.AnswerOwnColour(message, wParam, lParam, &result)) return result;
  const ColourRecord& record = *hook.record;
  const auto dc = reinterpret_cast<HDC>(wParam);
  const auto child = reinterpret_cast<HWND>(lParam);
  const bool editOrList = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
  const bool lendToChild = record.kind == GadgetKind::Container &&
                           (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN) &&
                           ClassOfKind(KindOfGadgetWindow(child)) != GadgetClass::Painted;
  if (!editOrList && !lendToChild) return Next(window, GadgetColourProc, message, wParam, lParam);
  SetBkColor(dc, Rgb(record.back));
  SetTextColor(dc, Rgb(record.front));
  return reinterpret_cast<LRESULT>(SharedColourBrush(Rgb(record.back)));
}

void TrackLeave(HWND window, bool nonClient) {
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE | (nonClient ? TME_NONCLIENT : 0);
  track.hwndTrack = window;
  TrackMouseEvent(&track);
}

// A disabled entry field with a background of its own: the system would
// write its text in grey, whatever the colours answered.
bool PaintsAsDisabledField(const ColourLayer& layer, HWND window, GadgetKind kind) {
  return kind == GadgetKind::EntryField && !IsWindowEnabled(window) && layer.OwnColour(window, BackColor) != NoColour;
}

void PaintOwnDisabledField(const ColourLayer& layer, HWND window, HDC dc) {
  const Colour back = layer.OwnColour(window, BackColor);
  const Colour front = layer.OwnColour(window, FrontColor);
  const int system = COLOR_BTNTEXT;  // a disabled field asks its colours as a label does
  const Colour text = front != NoColour ? ReadableTextColour(front, back)
                                        : ReadableTextColour(static_cast<Colour>(GetSysColor(system)), back);
  PaintDisabledField(window, dc, Rgb(back), Rgb(DimmedTextColour(text, back)));
}

// The hot border follows the mouse.
LRESULT OnMouseMove(HWND window, ColourHook& hook, UINT message, WPARAM wParam, LPARAM lParam) {
  const GadgetKind kind = hook.record->kind;
  const LRESULT result = Next(window, GadgetColourProc, message, wParam, lParam);
  ColourHook* still = HookOf(window, GadgetColourProc);
  if (!still || !still->record) return result;
  if (g_hotGadget != window && (still->record->borderFlags & kBorderHotTracked)) {
    DrawColourBorder(*still->record, true, BorderTarget::Parent);
    g_hotGadget = window;
    TrackLeave(window, message == WM_NCMOUSEMOVE);
  }
  if (DrawsOutsidePaint(kind, message)) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  if (message == WM_NCMOUSEMOVE && ClassOfKind(kind) == GadgetClass::Painted) RecolourScrollBars(window, *still, true);
  return result;
}

// Painted gadgets are painted again after what they draw outside WM_PAINT,
// and have their scroll bars recoloured whenever the system redrew them.
LRESULT PassOnAndRepaint(HWND window, GadgetKind kind, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Next(window, GadgetColourProc, message, wParam, lParam);
  if (ClassOfKind(kind) != GadgetClass::Painted || !IsWindow(window)) return result;
  ColourHook* still = HookOf(window, GadgetColourProc);
  if (!still || !still->record) return result;
  if (DrawsOutsidePaint(kind, message)) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    still = HookOf(window, GadgetColourProc);
    if (!still) return result;
    if (kind == GadgetKind::DateField && (message == WM_LBUTTONDOWN || message == WM_KEYDOWN)) {
      ColourDateDropDown(*still);
    }
  }
  const bool nonClientMouse = message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONUP ||
                              message == WM_NCLBUTTONDBLCLK || message == WM_NCMOUSELEAVE;
  RecolourScrollBars(window, *still, nonClientMouse);
  return result;
}

}  // namespace

LRESULT GadgetColourProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* data) {
  auto& hook = *static_cast<ColourHook*>(data);
  if (FillOffscreenBackground(message, wParam)) return 1;
  if (LRESULT result = 0; TuneListSelection(window, GadgetColourProc, message, wParam, lParam, &result)) return result;
  if (message == WM_NCDESTROY) return PassOnAndForget(window, GadgetColourProc, hook, message, wParam, lParam);
  if (!hook.record) return Next(window, GadgetColourProc, message, wParam, lParam);
  ColourRecord& record = *hook.record;
  const GadgetKind kind = record.kind;
  const GadgetClass gadgetClass = ClassOfKind(kind);
  switch (message) {
    case WM_CAPTURECHANGED:
      if (kind == GadgetKind::DateField) ColourDateDropDown(hook);
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
    case WM_NCMOUSEMOVE:
      return OnMouseMove(window, hook, message, wParam, lParam);
    case WM_MOUSELEAVE:
    case WM_NCMOUSELEAVE:
      if (g_hotGadget) {
        g_hotGadget = nullptr;
        if (record.borderFlags & kBorderHotTracked) DrawColourBorder(record, false, BorderTarget::Parent);
      }
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return AnswerChildColour(hook, window, message, wParam, lParam);
    case WM_NCPAINT: {
      Next(window, GadgetColourProc, message, wParam, lParam);
      ColourHook* still = HookOf(window, GadgetColourProc);
      if (!still) return 0;
      if (gadgetClass == GadgetClass::SelfColoured || DrawsEdgeBorder(kind, still->record->borderFlags)) {
        DrawColourBorder(*still->record, g_hotGadget == window, BorderTarget::Parent);
      }
      RecolourScrollBars(window, *still, true);
      return 0;
    }
    case WM_ERASEBKGND:
      // Painted gadgets erase off screen, in their paint: erasing on screen
      // in the system colours would flash before the recoloured picture.
      if (ErasesOffscreen(kind)) return 1;
      break;
    case WM_PAINT:
      if (PaintsAsDisabledField(hook.layer, window, kind)) {
        PAINTSTRUCT ps;
        if (HDC dc = BeginPaint(window, &ps)) PaintOwnDisabledField(hook.layer, window, dc);
        EndPaint(window, &ps);
        return 0;
      }
      if (gadgetClass == GadgetClass::SelfColoured) break;
      if (kind == GadgetKind::Frame) {
        PaintFrame(window, record);
      } else if (kind == GadgetKind::Container) {
        PaintContainer(window, record);
      } else {
        PaintRecoloured(window, hook);
      }
      return 0;
    case WM_PRINTCLIENT:
      if (PaintsAsDisabledField(hook.layer, window, kind)) {
        PaintOwnDisabledField(hook.layer, window, reinterpret_cast<HDC>(wParam));
        return 0;
      }
      // Window animations and PrintWindow take the picture this way.
      if (ErasesOffscreen(kind)) {
        const Colour back = ListPaintBackground(kind, record.back, ChildOfClass(window, WC_HEADERW) != nullptr);
        RenderRecoloured(window, GadgetColourProc, reinterpret_cast<HDC>(wParam), back, record.front, kind);
        return 0;
      }
      break;
    default:
      break;
  }
  return PassOnAndRepaint(window, kind, message, wParam, lParam);
}

LRESULT PartColourProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* data) {
  auto& hook = *static_cast<ColourHook*>(data);
  if (FillOffscreenBackground(message, wParam)) return 1;
  if (message == WM_NCDESTROY) return PassOnAndForget(window, PartColourProc, hook, message, wParam, lParam);
  if (!hook.record) return Next(window, PartColourProc, message, wParam, lParam);
  const ColourRecord& record = *hook.record;
  switch (message) {
    case WM_PAINT:
      PaintRecolouredNow(window, PartColourProc, record.back, record.front, record.kind);
      return 1;
    case WM_ERASEBKGND:
      return 1;
    case WM_PRINTCLIENT:
      RenderRecoloured(window, PartColourProc, reinterpret_cast<HDC>(wParam), record.back, record.front, record.kind);
      return 0;
    default:
      return Next(window, PartColourProc, message, wParam, lParam);
  }
}

LRESULT DropDownFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* data) {
  auto& hook = *static_cast<ColourHook*>(data);
  if (message == WM_NCDESTROY) return PassOnAndForget(window, DropDownFrameProc, hook, message, wParam, lParam);
  if (message == WM_PAINT && hook.record) {
    ValidateRect(window, nullptr);
    DrawColourBorder(*hook.record, true, BorderTarget::Window);
  }
  return Next(window, DropDownFrameProc, message, wParam, lParam);
}

LRESULT ParentBackgroundProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* data) {
  auto& hook = *static_cast<ColourHook*>(data);
  if (FillOffscreenBackground(message, wParam)) return 1;
  if (LRESULT result = 0; TuneListSelection(window, ParentBackgroundProc, message, wParam, lParam, &result)) {
    return result;
  }
  if (message == WM_NCDESTROY) return PassOnAndForget(window, ParentBackgroundProc, hook, message, wParam, lParam);
  return Next(window, ParentBackgroundProc, message, wParam, lParam);
}

LRESULT WindowWatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* data) {
  auto& hook = *static_cast<ColourHook*>(data);
  if (FillOffscreenBackground(message, wParam)) return 1;
  if (LRESULT result = 0; TuneListSelection(window, WindowWatchProc, message, wParam, lParam, &result)) return result;
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      LRESULT result = 0;
      if (hook.layer.AnswerOwnColour(message, wParam, lParam, &result)) return result;
      break;
    }
    case WM_ERASEBKGND:
      if (hook.layer.HasBackground()) {
        RECT area{};
        GetClientRect(window, &area);
        FillRect(reinterpret_cast<HDC>(wParam), &area, SharedColourBrush(Rgb(hook.layer.Background())));
        return 1;
      }
      break;
    case WM_NCDESTROY: {
      ColourLayer* layer = &hook.layer;
      const LRESULT result = Next(window, WindowWatchProc, message, wParam, lParam);
      delete layer;  // the window's owner made it for the window's life
      return result;
    }
    default:
      break;
  }
  return Next(window, WindowWatchProc, message, wParam, lParam);
}

HWND HotGadget() { return g_hotGadget; }

void ForgetHotGadget(HWND window) {
  if (g_hotGadget && window && (g_hotGadget == window || IsChild(window, g_hotGadget))) g_hotGadget = nullptr;
}

}  // namespace kelvane
