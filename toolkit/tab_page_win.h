#pragma once
// A tab page: a child of a tab control covering its display area, holding
// one tab's gadgets. It passes its gadgets' WM_COMMAND, WM_NOTIFY, drawing
// and colour messages on to its top-level window unchanged, so that window
// sees the gadget numbers, and fills its background with the brush given.
#include <windows.h>

namespace kelvane {

inline constexpr wchar_t kTabPageClass[] = L"KelvanePanelPage";

// A hidden (unless `visible`) page of no size; null on failure.
HWND CreateTabPage(HWND tabs, int id, bool visible);
// The brush stays the caller's and must outlive its use; null paints the
// system's face colour. Repaints the page.
void SetTabPageBrush(HWND page, HBRUSH brush);
// The tab control's display area in its client coordinates, never inverted.
RECT TabDisplayArea(HWND tabs);

}  // namespace kelvane
