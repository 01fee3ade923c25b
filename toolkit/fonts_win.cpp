#include "toolkit/fonts_win.h"

namespace kelvane {

UniqueFont CreatePointFont(const wchar_t* face, int points, int weight, UINT dpi) {
  const int height = -MulDiv(points, static_cast<int>(dpi), 72);
  return UniqueFont(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, face));
}

}  // namespace kelvane
