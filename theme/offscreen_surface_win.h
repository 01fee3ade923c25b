#pragma once
// The colour layer's recolouring surface: a control paints itself into an
// off-screen 32-bit picture, which is recoloured by brightness
// (RecolourPixels) and copied to the screen in one go. Also the in-place
// recolouring of what the system drew on the screen itself (scroll bars).
// UI thread only.
#include <windows.h>

#include "theme/colour_math.h"
#include "theme/control_look.h"
#include "toolkit/light_subclass_win.h"

namespace kelvane {

// Paints the window off screen (its own erase and paint: what comes
// after `layerProc` in its chain),
// recolours the picture and copies it onto `target`. The picture starts in
// the system face colour, so that whatever the control leaves untouched
// comes out in the background colour. (The screen is no starting picture: it
// holds the recoloured pixels of the last paint, and recolouring them again
// would turn dark into light.) A tab panel has only its strip and edges
// recoloured, its page filled flat. With `only`, only that part of the
// client area is painted, recoloured and copied (a list view then draws only
// the rows in it); a tab panel is painted whole all the same.
void RenderRecoloured(HWND window, LightSubclassProc layerProc, HDC target, Colour back, Colour front,
                      GadgetKind kind, const RECT* only = nullptr);

// The same in a paint cycle of the window (BeginPaint to EndPaint), its
// visible children left out, for the part of it to be painted again.
void PaintRecolouredNow(HWND window, LightSubclassProc layerProc, Colour back, Colour front, GadgetKind kind);

// Themed controls fill their transparent parts by sending WM_ERASEBKGND or
// WM_PRINTCLIENT to their parent. Into an off-screen picture the parent
// must answer with the face colour, which the recolouring turns into the
// chosen background (the parent's own chosen colour would come out
// inverted): true when this did it.
bool FillOffscreenBackground(UINT message, WPARAM wParam);

// Recolours rectangles of a window's whole area (window coordinates) where
// the system drew them light; parts already dark are left alone.
void RecolourLightParts(HWND window, const RECT* parts, int count, Colour back, Colour front);

}  // namespace kelvane
