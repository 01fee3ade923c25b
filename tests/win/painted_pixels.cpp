#include "win/painted_pixels.h"

#include <algorithm>
#include <map>

#include "toolkit/handle_win.h"

namespace kelvane::test {

Picture PrintedPicture(HWND window) {
  RECT area{};
  GetClientRect(window, &area);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), area.right, -area.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueBitmap canvas(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueDC dc(CreateCompatibleDC(nullptr));
  if (!canvas || !dc || !bits) return {};
  {
    SelectObjectScope select(dc.get(), canvas.get());
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    GdiFlush();
  }
  const auto* p = static_cast<const std::uint32_t*>(bits);
  return {area.right, area.bottom, {p, p + static_cast<size_t>(area.right) * area.bottom}};
}

TextColours TextAndBackground(const Picture& picture, RECT rect) {
  std::map<Colour, int> counts;
  for (int y = std::max(0L, rect.top); y < std::min(rect.bottom, static_cast<LONG>(picture.height)); ++y) {
    for (int x = std::max(0L, rect.left); x < std::min(rect.right, static_cast<LONG>(picture.width)); ++x) {
      ++counts[ColourOfPixel(picture.At(x, y))];
    }
  }
  if (counts.empty()) return {};
  const Colour back =
      std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
  const auto text = std::max_element(counts.begin(), counts.end(), [back](auto& a, auto& b) {
    return ContrastRatio(a.first, back) < ContrastRatio(b.first, back);
  });
  return {text->first, back};
}

double PaintedTextContrast(HWND window) {
  const Picture picture = PrintedPicture(window);
  const TextColours found = TextAndBackground(picture, {2, 2, picture.width - 2, picture.height - 2});
  return found.text == NoColour ? 0.0 : ContrastRatio(found.text, found.back);
}

int RightmostInk(const Picture& picture) {
  const Colour back = TextAndBackground(picture, {0, 0, picture.width, picture.height}).back;
  for (int x = picture.width - 1; x >= 0; --x) {
    for (int y = 0; y < picture.height; ++y) {
      if (ColourOfPixel(picture.At(x, y)) != back) return x;
    }
  }
  return -1;
}

}  // namespace kelvane::test
