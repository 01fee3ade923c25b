#pragma once
// Inside the colour layer: the procedures it puts in front of the windows it
// colours, and what each of them is handed with every message.
#include <windows.h>

#include <cstdint>

#include "theme/colour_layer_win.h"
#include "toolkit/subclass_win.h"

namespace kelvane {

struct ColourHook {
  ColourHook(ColourLayer& owner, HWND window, LightSubclassProc proc, ColourRecord* coloured)
      : layer(owner), record(coloured), subclass(window, proc, this) {}
  ColourLayer& layer;
  ColourRecord* record;         // the gadget's; null for the windows around the gadgets
  std::uint64_t scrollBars = 0;  // what its scroll bars showed when last recoloured
  Subclass subclass;
};

// A coloured gadget, and the parts of one that are windows of their own
// (a list's header shares the gadget's procedure).
LRESULT GadgetColourProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* hook);
LRESULT PartColourProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* hook);
// The frame of a date field's drop-down calendar.
LRESULT DropDownFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* hook);
// The parent of a painted gadget below the top-level window.
LRESULT ParentBackgroundProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* hook);
// The top-level window: its background, its children's own colours, and
// its layer's end.
LRESULT WindowWatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* hook);

// The window's class name is `className` (letter case ignored).
bool WindowClassIs(HWND window, const wchar_t* className);
// The first child of that class, or null.
HWND ChildOfClass(HWND parent, const wchar_t* className);

// The gadget under the mouse with a hot border, forgotten when it is
// `window` or inside it.
void ForgetHotGadget(HWND window);

}  // namespace kelvane
