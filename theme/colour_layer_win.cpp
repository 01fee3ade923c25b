#include "theme/colour_layer_win.h"

#include <commctrl.h>
#include <richedit.h>
#include <uxtheme.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "theme/colour_hooks_win.h"
#include "toolkit/explorer_list_win.h"
#include "toolkit/gadgets_win.h"
#include "toolkit/tool_button_win.h"

namespace kelvane {

// The look module reads Windows' own numbers without Windows' headers.
static_assert(look::kBorderStyle == WS_BORDER && look::kClientEdge == WS_EX_CLIENTEDGE &&
              look::kStaticEdge == WS_EX_STATICEDGE && look::kWindowEdge == WS_EX_WINDOWEDGE);
static_assert(look::kMultiLine == ES_MULTILINE && look::kButtonTypeMask == BS_TYPEMASK &&
              look::kStaticTypeMask == SS_TYPEMASK && BS_GROUPBOX == 7 && BS_OWNERDRAW == 0xB &&
              SS_ETCHEDFRAME == 0x12 && SS_BITMAP == 0xE);
static_assert(look::kSetFocus == WM_SETFOCUS && look::kKillFocus == WM_KILLFOCUS && look::kEnable == WM_ENABLE &&
              look::kSetText == WM_SETTEXT && look::kKeyDown == WM_KEYDOWN && look::kKeyUp == WM_KEYUP &&
              look::kChar == WM_CHAR && look::kUpdateUiState == WM_UPDATEUISTATE &&
              look::kMouseMove == WM_MOUSEMOVE && look::kButtonDown == WM_LBUTTONDOWN &&
              look::kButtonUp == WM_LBUTTONUP && look::kDoubleClick == WM_LBUTTONDBLCLK &&
              look::kCaptureChanged == WM_CAPTURECHANGED && look::kMouseLeave == WM_MOUSELEAVE &&
              look::kSetCheck == BM_SETCHECK && look::kSetState == BM_SETSTATE &&
              look::kComboSetSelection == CB_SETCURSEL);

static_assert(std::wstring_view(kExplorerListClass) == kExplorerListClassName &&
              std::wstring_view(kToolButtonClass) == kToolButtonClassName);

namespace {

constexpr wchar_t kPropKind[] = L"GX_KIND";            // SetGadgetKind: kind + 1
constexpr wchar_t kPropStyleChoice[] = L"SGCE_Style";  // 1 dark, 2 light: the style last chosen

std::unordered_map<HWND, ColourLayer*>& Layers() {
  static std::unordered_map<HWND, ColourLayer*> layers;
  return layers;
}

COLORREF Rgb(Colour colour) { return static_cast<COLORREF>(colour & 0xFFFFFF); }

std::wstring ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

bool IsRichEdit(HWND window) { return _wcsnicmp(ClassNameOf(window).c_str(), L"RichEdit", 8) == 0; }

// The window the layer paints for a gadget: the gadget's own, or for an
// explorer list the list view inside it. Null when the gadget is gone.
HWND PaintedWindowOfGadget(int gadget) {
  HWND window = Gadget(gadget);
  if (!window || !IsWindow(window)) return nullptr;
  if (WindowClassIs(window, kExplorerListClass)) {
    if (HWND list = ChildOfClass(window, WC_LISTVIEWW)) return list;
  }
  return window;
}

ColourLayer* LayerOfGadget(int gadget, HWND* handle) {
  *handle = PaintedWindowOfGadget(gadget);
  return *handle ? ColourLayerOf(*handle) : nullptr;
}

// The visual style follows the background. SetWindowTheme resets some of a
// list view's extended styles, so they are put back.
void ChooseVisualStyle(HWND window, Colour back) {
  const bool dark = WantsDarkVisualStyle(back);
  const auto choice = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dark ? 1 : 2));
  if (GetPropW(window, kPropStyleChoice) == choice) return;
  const bool list = WindowClassIs(window, WC_LISTVIEWW);
  const LRESULT extended = list ? SendMessageW(window, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) : 0;
  SetWindowTheme(window, dark ? L"DarkMode_Explorer" : L"Explorer", nullptr);
  if (list) SendMessageW(window, LVM_SETEXTENDEDLISTVIEWSTYLE, static_cast<WPARAM>(-1), extended);
  SetPropW(window, kPropStyleChoice, choice);
}

// The text colour answered for a child that was given only a background.
Colour OwnTextColour(UINT message, Colour back) {
  const int system = (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX) ? COLOR_WINDOWTEXT : COLOR_BTNTEXT;
  return ReadableTextColour(static_cast<Colour>(GetSysColor(system)), back);
}

}  // namespace

bool WindowClassIs(HWND window, const wchar_t* className) {
  return lstrcmpiW(ClassNameOf(window).c_str(), className) == 0;
}

HWND ChildOfClass(HWND parent, const wchar_t* className) {
  return FindWindowExW(parent, nullptr, className, nullptr);
}

// --- Kinds ---------------------------------------------------------------------

void SetGadgetKind(HWND window, GadgetKind kind) {
  if (!window) return;
  SetPropW(window, kPropKind, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(static_cast<int>(kind) + 1)));
}

GadgetKind KindOfGadgetWindow(HWND window) {
  if (!window) return GadgetKind::Unknown;
  if (const auto set = reinterpret_cast<INT_PTR>(GetPropW(window, kPropKind)); set > 0) {
    return static_cast<GadgetKind>(set - 1);
  }
  const auto style = static_cast<std::uint32_t>(GetWindowLongPtrW(window, GWL_STYLE));
  HWND parent = GetParent(window);
  return KindOfControl(ClassNameOf(window), style, parent && WindowClassIs(parent, kExplorerListClass));
}

// --- One window's layer --------------------------------------------------------

ColourLayer::ColourLayer(HWND topLevel, int number) : window_(topLevel), number_(number) {
  Layers()[topLevel] = this;
  // Watched so that the layer goes with it.
  Hook(topLevel, WindowWatchProc, nullptr, nullptr);
}

ColourLayer::~ColourLayer() {
  for (const auto& record : records_) ForgetHotGadget(record->handle);
  hooks_.clear();
  Layers().erase(window_);
}

void ColourLayer::SetBackground(Colour colour) {
  background_ = colour == NoColour ? NoColour : colour & 0xFFFFFF;
  InvalidateRect(window_, nullptr, TRUE);
}

Colour ColourLayer::Background() const {
  return background_ != NoColour ? background_ : static_cast<Colour>(GetSysColor(COLOR_BTNFACE));
}

ColourRecord* ColourLayer::Record(int gadget) const {
  for (const auto& record : records_) {
    if (record->gadget == gadget) return record.get();
  }
  return nullptr;
}

bool ColourLayer::Hook(HWND window, LightSubclassProc proc, ColourRecord* record, const wchar_t* className) {
  if (!window || !proc || !IsWindow(window)) return false;
  if (className && *className && !WindowClassIs(window, className)) return false;
  if (hooks_.contains(window)) return false;
  auto hook = std::make_unique<ColourHook>(*this, window, proc, record);
  if (!hook->subclass.Attached()) return false;
  hooks_[window] = std::move(hook);
  return true;
}

bool ColourLayer::Unhook(HWND window, const wchar_t* className) {
  if (!window || !IsWindow(window)) return false;
  if (className && *className && !WindowClassIs(window, className)) return false;
  return hooks_.erase(window) > 0;
}

void ColourLayer::Forget(HWND window) {
  ForgetHotGadget(window);
  hooks_.erase(window);
}

void ColourLayer::ReleaseRecord(ColourRecord* record) {
  if (!record) return;
  ForgetHotGadget(record->handle);
  // The windows still painting for it (a date field's calendar) go back to their own colours.
  std::erase_if(hooks_, [record](const auto& entry) { return entry.second->record == record; });
  std::erase_if(records_, [record](const auto& r) { return r.get() == record; });
}

void ColourLayer::RemoveColouring(int gadget, HWND handle) {
  if (ColourRecord* record = Record(gadget)) {
    HWND window = record->handle;
    if (IsWindow(window)) {
      Unhook(ChildOfClass(window, UPDOWN_CLASSW), UPDOWN_CLASSW);
      Unhook(ChildOfClass(window, WC_HEADERW), WC_HEADERW);
      if (HWND next = GetWindow(window, GW_HWNDNEXT)) Unhook(next, UPDOWN_CLASSW);
      Unhook(window, nullptr);
    }
    ReleaseRecord(record);
    // Repainted in the system colours (a redraw rather than hiding and
    // showing: hiding a gadget would take the focus away from it).
    if (IsWindow(window) && IsWindowVisible(window)) {
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
  }
  if (handle) {
    SetOwnColour(handle, FrontColor, NoColour);
    SetOwnColour(handle, BackColor, NoColour);
  }
}

int ColourLayer::SetGadgetColour(int gadget, HWND handle, int kind, Colour colour, int noCompanion) {
  if (kind == RemoveColours) {
    RemoveColouring(gadget, handle);
    return 0;
  }
  if (kind != FrontColor && kind != BackColor) return 0;
  ColourRecord* record = Record(gadget);
  if (!record) {
    auto fresh = std::make_unique<ColourRecord>();
    fresh->gadget = gadget;
    fresh->handle = handle;
    fresh->enabled = IsWindowEnabled(handle) ? 1 : 0;
    fresh->window = number_;
    fresh->kind = KindOfGadgetWindow(handle);
    fresh->root = window_;
    record = fresh.get();
    records_.push_back(std::move(fresh));
  } else if (record->handle != handle) {
    // The gadget was made anew under the same number.
    record->handle = handle;
    record->kind = KindOfGadgetWindow(handle);
    record->window = number_;
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
      if (parent && parent == window_) {
        record->back = Background();
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
    const auto style = static_cast<std::uint32_t>(GetWindowLongPtrW(handle, GWL_STYLE));
    const auto exStyle = static_cast<std::uint32_t>(GetWindowLongPtrW(handle, GWL_EXSTYLE));
    record->borderFlags = BorderFlagsOf(record->kind, style, exStyle, record->borderFlags);
    record->softBorder = Rgb(SoftBorderColour(front, back));
    record->hotBorder = Rgb(HotBorderColour(front, back));
    Hook(handle, GadgetColourProc, record, nullptr);
    if (gadgetClass == GadgetClass::Painted) {
      if (HWND parent = GetParent(handle); parent && parent != window_) {
        Hook(parent, ParentBackgroundProc, nullptr, nullptr);
      }
      // A list view paints its header from inside its own first paint: the
      // header then comes out recoloured at once, not painted twice.
      if (HWND header = ChildOfClass(handle, WC_HEADERW)) Hook(header, GadgetColourProc, record, WC_HEADERW);
    }
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  if (gadgetClass != GadgetClass::Painted) {
    SetOwnColour(handle, kind, kind == FrontColor ? record->front : record->back);
  }
  return 0;
}

Colour ColourLayer::GadgetColour(int gadget, HWND handle, int kind) const {
  if (const ColourRecord* record = Record(gadget); record && ClassOfKind(record->kind) != GadgetClass::Plain) {
    return kind == FrontColor ? record->front : kind == BackColor ? record->back : NoColour;
  }
  return OwnColour(handle, kind);
}

void ColourLayer::SetOwnColour(HWND window, int kind, Colour colour) {
  if (!window || (kind != FrontColor && kind != BackColor)) return;
  OwnColours& own = own_[window];
  (kind == FrontColor ? own.front : own.back) = colour;
  if (own.front == NoColour && own.back == NoColour) own_.erase(window);
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

Colour ColourLayer::OwnColour(HWND window, int kind) const {
  const auto it = own_.find(window);
  if (it == own_.end()) return NoColour;
  return kind == FrontColor ? it->second.front : kind == BackColor ? it->second.back : NoColour;
}

bool ColourLayer::AnswerOwnColour(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) const {
  if (message < WM_CTLCOLORMSGBOX || message > WM_CTLCOLORSTATIC) return false;
  const auto it = own_.find(reinterpret_cast<HWND>(lParam));
  if (it == own_.end()) return false;
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

// --- Finding the layer ---------------------------------------------------------

ColourLayer& AttachColourLayer(HWND topLevel, int number) {
  if (ColourLayer* existing = ColourLayerOf(topLevel); existing && existing->Window() == topLevel) {
    existing->SetNumber(number);
    return *existing;
  }
  // Owned by the window: WindowWatchProc deletes it after WM_NCDESTROY.
  return *new ColourLayer(topLevel, number);
}

ColourLayer* ColourLayerOf(HWND window) {
  HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
  const auto it = Layers().find(root ? root : window);
  return it == Layers().end() ? nullptr : it->second;
}

namespace {

// The layer that colours `window`: its top-level window's, made when missing.
ColourLayer* LayerFor(HWND window) {
  if (!window || !IsWindow(window)) return nullptr;
  if (ColourLayer* layer = ColourLayerOf(window)) return layer;
  HWND root = GetAncestor(window, GA_ROOT);
  return &AttachColourLayer(root ? root : window, -1);
}

}  // namespace

int SetgadgetColorEx(int gadget, int kind, Colour colour, int noCompanion) {
  HWND handle = PaintedWindowOfGadget(gadget);
  ColourLayer* layer = LayerFor(handle);
  return layer ? layer->SetGadgetColour(gadget, handle, kind, colour, noCompanion) : 0;
}

Colour GetgadgetColorEx(int gadget, int kind) {
  HWND handle = nullptr;
  const ColourLayer* layer = LayerOfGadget(gadget, &handle);
  return layer ? layer->GadgetColour(gadget, handle, kind) : NoColour;
}

int WindowNumberOf(HWND topLevel) {
  const ColourLayer* layer = ColourLayerOf(topLevel);
  return layer && layer->Window() == topLevel ? layer->Number() : -1;
}

void SetWindowColour(HWND topLevel, Colour colour) {
  if (ColourLayer* layer = LayerFor(topLevel)) layer->SetBackground(colour);
}

Colour WindowColour(HWND topLevel) {
  const ColourLayer* layer = ColourLayerOf(topLevel);
  return layer ? layer->Background() : static_cast<Colour>(GetSysColor(COLOR_BTNFACE));
}

void SetOwnGadgetColour(HWND window, int kind, Colour colour) {
  if (ColourLayer* layer = LayerFor(window)) layer->SetOwnColour(window, kind, colour);
}

Colour OwnGadgetColour(HWND window, int kind) {
  const ColourLayer* layer = ColourLayerOf(window);
  return layer ? layer->OwnColour(window, kind) : NoColour;
}

bool AnswerOwnGadgetColour(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const ColourLayer* layer = ColourLayerOf(reinterpret_cast<HWND>(lParam));
  return layer && layer->AnswerOwnColour(message, wParam, lParam, result);
}

const ColourRecord* FindColourRecord(int gadget) {
  HWND handle = nullptr;
  const ColourLayer* layer = LayerOfGadget(gadget, &handle);
  return layer ? layer->Record(gadget) : nullptr;
}

std::size_t ColourRecordCount() {
  std::size_t count = 0;
  for (const auto& [window, layer] : Layers()) count += layer->RecordCount();
  return count;
}

bool HasColourProcedure(HWND window) {
  for (LightSubclassProc proc :
       {GadgetColourProc, PartColourProc, DropDownFrameProc, ParentBackgroundProc, WindowWatchProc}) {
    if (LightSubclassData(window, proc)) return true;
  }
  return false;
}

}  // namespace kelvane
