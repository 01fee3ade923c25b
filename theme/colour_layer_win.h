#pragma once
// The gadget colour layer: any gadget in a chosen text and background
// colour. Gadgets whose window the system paints in its own colours
// (buttons, lists, tabs, combo and date fields...) are subclassed: they paint
// as usual into an off-screen 32-bit bitmap, which is then recoloured by
// brightness (RecolourPixels) before it reaches the screen. Text labels,
// links, entry fields and editors take their colours the ordinary way
// (WM_CTLCOLOR* answers, rich-edit colours); the layer adds borders with a
// hot state under the mouse. The layer knows no palette: callers choose.
//
// UI thread only. Gadgets are named by their numbers (toolkit/gadgets_win.h).
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "theme/colour_math.h"

namespace kelvane {

// Colour kinds of SetgadgetColorEx and GetgadgetColorEx; -1 removes all colouring.
inline constexpr int FrontColor = 1;
inline constexpr int BackColor = 2;
inline constexpr int RemoveColours = -1;

// The gadget kinds the layer tells apart. The kind of a window comes from
// its class and style (KindOfGadgetWindow) unless SetGadgetKind said otherwise.
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
GadgetKind KindOfGadgetWindow(HWND window);
// For windows of the program's own classes whose class name says nothing.
void SetGadgetKind(HWND window, GadgetKind kind);

// Border flags of a record.
inline constexpr int kBorderHotTracked = 1;
inline constexpr int kBorderFront = 2;        // 1 pixel in the text colour
inline constexpr int kBorderSoft = 4;         // 1 pixel in the soft colour
inline constexpr int kBorderSoftWide = 8;     // 2 pixels in the soft colour
inline constexpr int kBorderFrameCaption = 16;  // frame painted with its caption by the layer

struct ColourRecord {
  std::int64_t gadget = -1;
  HWND handle = nullptr;  // the window painted (for an explorer list, its list view)
  Colour front = NoColour;
  Colour back = NoColour;
  COLORREF softBorder = 0;  // BlendColour(front, back, 0.25)
  COLORREF hotBorder = 0;   // BlendColour(front, back, 0.6)
  int borderFlags = 0;
  int enabled = 0;  // the window's enabled state when last painted
  int window = -1;  // number of the top-level window holding the gadget, -1 when it has none
  GadgetKind kind = GadgetKind::Unknown;
  HWND root = nullptr;  // that top-level window
};

// Window properties the layer sets on the windows it subclasses. The record
// driving a window is kept in a property rather than in GWLP_USERDATA, which
// the program's own window classes use for their state.
inline constexpr wchar_t kPropOldCallBack[] = L"SGCE_OldCallBack";
inline constexpr wchar_t kPropActualCallBack[] = L"SGCE_ActualCallBack";
inline constexpr wchar_t kPropOldTheme[] = L"SGCE_OldTheme";
inline constexpr wchar_t kPropRecord[] = L"SGCE_Record";
// Read by the layer: the number + 1 of a top-level window.
inline constexpr wchar_t kPropWindowId[] = L"GX_WINDOWID";

// Sets a gadget's text (FrontColor) or background (BackColor) colour, or
// removes all its colouring (kind RemoveColours). With noCompanion 0 the
// other colour, while unset, is derived. Returns 0.
int SetgadgetColorEx(int gadget, int kind, Colour colour, int noCompanion = 0);
// The record's colour for a recorded gadget that is not of the plain class,
// else the gadget's own colour (NoColour when it has none).
Colour GetgadgetColorEx(int gadget, int kind);

// 1 when installed; 0 when refused: class name given and different
// (compared without regard to case), or already subclassed by the layer.
int InstallColourProc(HWND window, WNDPROC procedure, ColourRecord* record, const wchar_t* className);
// Non-zero when removed; 0 for a null window, another class, a window the
// layer did not subclass, or one subclassed again on top of the layer.
int RemoveColourProc(HWND window, const wchar_t* className);

LRESULT CALLBACK GadgetColourProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK WindowWatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK PartColourProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK DropDownFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Where DrawColourBorder draws when it is not handed a device context.
enum class BorderTarget {
  OwnPaint,  // the gadget's own paint cycle, over its client area widened by twice the width
  Window,    // the gadget's window DC, over its whole outer rectangle
  Parent,    // the parent's DC, over the gadget's outer rectangle
};
void DrawColourBorder(const ColourRecord& record, bool hot, BorderTarget target);
// Over the gadget's client rectangle on a DC of the caller (a frame's top
// edge moved down through its caption).
void DrawColourBorder(const ColourRecord& record, bool hot, HDC dc);

// The gadget paints itself off screen; the picture is recoloured and copied
// to the screen in one go.
void RecolourPaint(HWND window, WNDPROC oldProc, Colour back, Colour front, GadgetKind kind);

// --- What the layer needs of the windows around the gadgets ------------------

// The number of a top-level window (GX_WINDOWID holds it + 1); -1 when none.
void SetWindowNumber(HWND topLevel, int number);
int WindowNumberOf(HWND topLevel);

// The background colour of a top-level window: the system face colour
// until set; NoColour resets it. The window's background is then painted
// in it (and the window watched for its gadgets' sake).
void SetWindowColour(HWND topLevel, Colour colour);
Colour WindowColour(HWND topLevel);

// A gadget's own colours, for the kinds that take colours without the
// layer's painting: answered to WM_CTLCOLOR* on the gadget's behalf (rich
// edit controls take them directly). NoColour resets to the system's.
void SetOwnGadgetColour(HWND window, int kind, Colour colour);
Colour OwnGadgetColour(HWND window, int kind);
// Answers a WM_CTLCOLOR* message for a child with colours of its own;
// false when the child has none (the caller answers as usual).
bool AnswerOwnGadgetColour(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

// A solid brush of a colour, kept for the life of the process (one per
// colour): what WM_CTLCOLOR* answers hand out.
HBRUSH SharedColourBrush(COLORREF colour);

// --- State, for tests -------------------------------------------------------
const ColourRecord* FindColourRecord(int gadget);
std::size_t ColourRecordCount();
HWND HotGadget();

}  // namespace kelvane
