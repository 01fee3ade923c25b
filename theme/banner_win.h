#pragma once
// The banner at the top of the about and preferences windows: a gradient,
// the program's mark, a title and a subtitle, and the maker's name and mark
// at the right. Drawn on a canvas gadget, which keeps it.
#include <windows.h>

#include <string>

#include "settings/program_context_win.h"

namespace kelvane {

inline constexpr wchar_t kCanvasClass[] = L"KelvaneCanvas";
inline constexpr COLORREF kBannerTextColour = RGB(231, 234, 238);
inline constexpr int kMakerMarkImage = 31;

struct BannerSpec {
  COLORREF bottomColour = RGB(99, 184, 255);
  COLORREF topColour = RGB(0, 0, 128);
  std::wstring title;
  std::wstring subtitle;
  std::wstring company;
  int image = -1;  // image number drawn at the left; -1 for none
  int mode = 1;    // 1: vertical gradient, bottom to top; 0: diagonal from the top-left corner
  const ImageSet* images = nullptr;  // where the images come from; none drawn without
  HFONT font = nullptr;              // the texts' (the stock GUI font without)
};

// A canvas gadget: a child window that shows what was last drawn on it
// (a banner), repainted from it as needed. Position and size in pixels.
HWND CreateCanvasGadget(HWND parent, int id, int x, int y, int width, int height);

// Draws a banner on a canvas gadget (the canvas keeps it). Nothing happens
// for a window that is no canvas gadget.
// The images and the title font are the program's (`context`, which must outlive the canvas).
void DrawBanner(HWND canvas, const ProgramContext& context, COLORREF bottomColour, COLORREF topColour,
                const std::wstring& title, const std::wstring& subtitle, const std::wstring& company, int image,
                int mode);

// The drawing itself, over `area` of a device context, for a screen of the
// given DPI (positions and images scale with it).
void DrawBannerOn(HDC dc, const RECT& area, UINT dpi, const BannerSpec& look);

}  // namespace kelvane
