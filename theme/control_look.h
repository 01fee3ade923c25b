#pragma once
// What the colour layer decides about a control before it paints anything:
// its kind (from its window class and styles), whether the layer repaints it,
// its border, after which messages it must be painted again, and which
// colours its parts take. Portable: the style bits and message numbers are
// Windows' own values, checked against the Windows headers where the layer
// is built (theme/colour_layer_win.cpp).
#include <cstdint>
#include <string_view>

#include "theme/colour_math.h"

namespace kelvane {

// The control kinds the layer tells apart.
enum class GadgetKind {
  Unknown,
  Button,
  CheckBox,
  Option,
  Frame,
  ComboBox,
  Container,
  ListIcon,
  DateField,
  ExplorerList,
  TabPanel,
  EntryField,
  Image,
  Editor,
  Canvas,
  Text,
  Hyperlink,
};

// SelfColoured: colours of its own, the layer adds borders. Plain: colours
// of its own only, no subclass. Painted: subclassed and recoloured.
enum class GadgetClass { SelfColoured = -1, Plain = 0, Painted = 1 };

GadgetClass ClassOfKind(GadgetKind kind);
// Kinds whose visual style follows the background: "DarkMode_Explorer" on
// a dark one (scroll bars and the like match it), "Explorer" on a light one.
bool TakesVisualStyleChoice(GadgetKind kind);
// Painted kinds erase in their off-screen paint, not on the screen (frames
// and containers excepted: they draw their own border and fill).
bool ErasesOffscreen(GadgetKind kind);

// Class names of the program's own controls that the layer knows.
inline constexpr wchar_t kExplorerListClassName[] = L"KelvaneExplorerList";
inline constexpr wchar_t kToolButtonClassName[] = L"KelvaneToolButton";

// The kind of a control from its class name (letter case ignored) and
// window style; `insideExplorerList` for a list view whose parent is an
// explorer list.
GadgetKind KindOfControl(std::wstring_view className, std::uint32_t style, bool insideExplorerList);

// Border flags of a coloured control.
inline constexpr int kBorderHotTracked = 1;
inline constexpr int kBorderFront = 2;          // 1 pixel in the text colour
inline constexpr int kBorderSoft = 4;           // 1 pixel in the soft colour
inline constexpr int kBorderSoftWide = 8;       // 2 pixels in the soft colour
inline constexpr int kBorderFrameCaption = 16;  // frame painted with its caption by the layer

// The flags for a control of `kind` with these styles; `flags` are those it
// had. Frames and containers may be coloured more than once: their flags
// are combined, never summed, so that a second call changes nothing.
int BorderFlagsOf(GadgetKind kind, std::uint32_t style, std::uint32_t exStyle, int flags);

enum class BorderColour { Soft, Hot, Front };
struct BorderLook {
  int width = 0;  // 0, 1 or 2 pixels
  BorderColour colour = BorderColour::Soft;
  bool fill = false;  // the inside is filled with the background too
};
// `hasChildren`: a frame holding controls is filled like a container.
BorderLook BorderLookOf(GadgetKind kind, int flags, bool hot, bool hasChildren);
// Painted controls with a border of their own flag (lists, date fields) get
// it over their system edge; frames and containers draw theirs in their paint.
bool DrawsEdgeBorder(GadgetKind kind, int flags);

// Some controls draw straight onto the screen outside WM_PAINT (a button
// taking the focus or going down, a combo field changing): after such
// messages they are painted again at once, through the layer.
bool DrawsOutsidePaint(GadgetKind kind, unsigned message);

// The border colours of a control in these colours.
Colour SoftBorderColour(Colour front, Colour back);
Colour HotBorderColour(Colour front, Colour back);

// Selected rows of a coloured list. The system paints them in its highlight
// colour with white text, or, without the focus, in the face colour, which
// the recolouring turns into the background: the selection would vanish.
// These greys come out as a lighter band under the light text instead
// (focused lighter than not), as dark programs show selections.
Colour SelectedRowShade(bool focused);

// The background a list's rows are recoloured against: a list's header
// (which shares the list's colours) and a list without header stand out.
Colour ListPaintBackground(GadgetKind kind, Colour back, bool hasHeader);

// Window style bits and message numbers the decisions above read.
namespace look {
inline constexpr std::uint32_t kBorderStyle = 0x00800000;  // WS_BORDER
inline constexpr std::uint32_t kClientEdge = 0x00000200;   // WS_EX_CLIENTEDGE
inline constexpr std::uint32_t kStaticEdge = 0x00020000;   // WS_EX_STATICEDGE
inline constexpr std::uint32_t kWindowEdge = 0x00000100;   // WS_EX_WINDOWEDGE
inline constexpr std::uint32_t kMultiLine = 0x0004;        // ES_MULTILINE
inline constexpr std::uint32_t kButtonTypeMask = 0x000F;   // BS_TYPEMASK
inline constexpr std::uint32_t kStaticTypeMask = 0x001F;   // SS_TYPEMASK
inline constexpr unsigned kSetFocus = 0x0007;              // WM_SETFOCUS
inline constexpr unsigned kKillFocus = 0x0008;             // WM_KILLFOCUS
inline constexpr unsigned kEnable = 0x000A;                // WM_ENABLE
inline constexpr unsigned kSetText = 0x000C;               // WM_SETTEXT
inline constexpr unsigned kKeyDown = 0x0100;               // WM_KEYDOWN
inline constexpr unsigned kKeyUp = 0x0101;                 // WM_KEYUP
inline constexpr unsigned kChar = 0x0102;                  // WM_CHAR
inline constexpr unsigned kUpdateUiState = 0x0128;         // WM_UPDATEUISTATE
inline constexpr unsigned kMouseMove = 0x0200;             // WM_MOUSEMOVE
inline constexpr unsigned kButtonDown = 0x0201;            // WM_LBUTTONDOWN
inline constexpr unsigned kButtonUp = 0x0202;              // WM_LBUTTONUP
inline constexpr unsigned kDoubleClick = 0x0203;           // WM_LBUTTONDBLCLK
inline constexpr unsigned kCaptureChanged = 0x0215;        // WM_CAPTURECHANGED
inline constexpr unsigned kMouseLeave = 0x02A3;            // WM_MOUSELEAVE
inline constexpr unsigned kSetCheck = 0x00F1;              // BM_SETCHECK
inline constexpr unsigned kSetState = 0x00F3;              // BM_SETSTATE
inline constexpr unsigned kComboSetSelection = 0x014E;     // CB_SETCURSEL
}  // namespace look

}  // namespace kelvane
