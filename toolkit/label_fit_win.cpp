#include "toolkit/label_fit_win.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "toolkit/fonts_win.h"

namespace kelvane {

void FitLabel(HWND label, HFONT font, int width, int maxWidth, UniqueFont& smaller) {
  if (!label || !font) return;
  const int length = GetWindowTextLengthW(label);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(label, text.data(), length + 1)));
  // A pixel to spare: a static breaks a line that fills its width exactly on some systems.
  auto needed = [&](HFONT f) { return TextExtent(label, text, f).cx + 1; };

  int need = needed(font);
  UniqueFont shrunk;
  LOGFONTW face{};
  if (need > maxWidth && GetObjectW(font, sizeof face, &face) == static_cast<int>(sizeof face) && face.lfHeight != 0) {
    // Down to two thirds of the size; smaller would no longer read as a title.
    const int from = std::abs(face.lfHeight);
    for (int height = from - 1; height >= from * 2 / 3 && need > maxWidth; --height) {
      face.lfHeight = face.lfHeight < 0 ? -height : height;
      face.lfWidth = 0;
      UniqueFont next(CreateFontIndirectW(&face));
      if (!next) break;
      need = needed(next.get());
      shrunk = std::move(next);
    }
  }
  RECT now{};
  GetClientRect(label, &now);
  SetWindowPos(label, nullptr, 0, 0, std::max(width, std::min(need, maxWidth)), now.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(shrunk ? shrunk.get() : font), TRUE);
  // Only now that the label has let go of it.
  smaller = std::move(shrunk);
}

}  // namespace kelvane
