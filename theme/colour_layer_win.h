#pragma once
// The gadget colour layer: any gadget in a chosen text and background
// colour. Gadgets whose window the system paints in its own colours
// (buttons, lists, tabs, combo and date fields...) get a procedure in front
// of theirs: they paint as usual into an off-screen picture, which is
// recoloured by brightness before it reaches the screen
// (theme/offscreen_surface_win.h). Text labels, links, entry fields and
// editors take their colours the ordinary way (WM_CTLCOLOR* answers,
// rich-edit colours); the layer adds borders with a hot state under the
// mouse. What a control is and how it looks is decided in
// theme/control_look.h. The layer knows no palette: callers choose.
//
// One ColourLayer per top-level window, made by the window's owner
// (AttachColourLayer) and gone with the window. The functions below find
// the layer from the gadget's window. UI thread only. Gadgets are named by
// their numbers (toolkit/gadgets_win.h).
#include <windows.h>

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <vector>

#include "theme/colour_borders_win.h"
#include "theme/colour_record_win.h"
#include "theme/control_look.h"
#include "toolkit/light_subclass_win.h"

namespace kelvane {

struct ColourHook;

class ColourLayer {
 public:
  ColourLayer(HWND topLevel, int number);
  ~ColourLayer();
  ColourLayer(const ColourLayer&) = delete;
  ColourLayer& operator=(const ColourLayer&) = delete;

  HWND Window() const { return window_; }
  int Number() const { return number_; }
  void SetNumber(int number) { number_ = number; }

  // The window's background: the system face colour until set; NoColour resets it.
  void SetBackground(Colour colour);
  Colour Background() const;
  bool HasBackground() const { return background_ != NoColour; }

  int SetGadgetColour(int gadget, HWND handle, int kind, Colour colour, int noCompanion);
  Colour GadgetColour(int gadget, HWND handle, int kind) const;
  ColourRecord* Record(int gadget) const;
  std::size_t RecordCount() const { return records_.size(); }

  // Colours of a child that takes them without the layer's painting.
  void SetOwnColour(HWND window, int kind, Colour colour);
  Colour OwnColour(HWND window, int kind) const;
  bool AnswerOwnColour(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) const;

  // The layer's procedure `proc` in front of `window`'s, for `record` (null
  // for windows around the gadgets). False when refused: class name given
  // and different (letter case ignored), or the window has one of the
  // layer's procedures already.
  bool Hook(HWND window, LightSubclassProc proc, ColourRecord* record, const wchar_t* className);
  // False for a null window, another class or a window not hooked.
  bool Unhook(HWND window, const wchar_t* className);
  // The window is being destroyed: its procedure leaves (after the message).
  void Forget(HWND window);

 private:
  void ReleaseRecord(ColourRecord* record);
  void RemoveColouring(int gadget, HWND handle);

  HWND window_;
  int number_;
  Colour background_ = NoColour;
  std::vector<std::unique_ptr<ColourRecord>> records_;
  struct OwnColours {
    Colour front = NoColour;
    Colour back = NoColour;
  };
  std::unordered_map<HWND, OwnColours> own_;
  std::unordered_map<HWND, std::unique_ptr<ColourHook>> hooks_;
};

// The layer of a top-level window, made when it has none (freed after the
// window's WM_NCDESTROY), with the window's number (-1 for none).
ColourLayer& AttachColourLayer(HWND topLevel, int number);
// The layer of the top-level window holding `window`, or null.
ColourLayer* ColourLayerOf(HWND window);

// The kind of a window: from its class and style unless SetGadgetKind said otherwise.
GadgetKind KindOfGadgetWindow(HWND window);
// For windows of the program's own classes whose class name says nothing.
void SetGadgetKind(HWND window, GadgetKind kind);

// Sets a gadget's text (FrontColor) or background (BackColor) colour, or
// removes all its colouring (kind RemoveColours). With noCompanion 0 the
// other colour, while unset, is derived. Returns 0.
int SetgadgetColorEx(int gadget, int kind, Colour colour, int noCompanion = 0);
// The record's colour for a recorded gadget that is not of the plain class,
// else the gadget's own colour (NoColour when it has none).
Colour GetgadgetColorEx(int gadget, int kind);

// The number a top-level window's layer was attached with; -1 when none.
int WindowNumberOf(HWND topLevel);

// The background colour of a top-level window: the system face colour
// until set; NoColour resets it. The window's background is then painted in it.
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

// --- State, for tests -------------------------------------------------------
const ColourRecord* FindColourRecord(int gadget);
std::size_t ColourRecordCount();
HWND HotGadget();
// True while one of the layer's procedures is in front of the window's.
bool HasColourProcedure(HWND window);

}  // namespace kelvane
