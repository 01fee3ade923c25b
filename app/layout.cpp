#include "app/layout.h"

#include <commctrl.h>

#include "app/app_state.h"
#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "app/panel_tabs.h"
#include "toolkit/placement_win.h"
#include "toolkit/dpi_win.h"

namespace kelvane {

namespace {

struct LaidOut {
  HWND window = nullptr;
  LONG width = 0, height = 0;
  UINT dpi = 0;
};
LaidOut g_laidOut;

}  // namespace

void LayoutMainWindow(HWND main) {
  if (!main) return;
  const UINT dpi = DpiOf(main);
  RECT inner{};
  GetClientRect(main, &inner);
  // A minimised window reports an empty inner area: keep the last layout.
  if (IsIconic(main) || inner.right <= 0 || inner.bottom <= 0) return;
  g_laidOut = {main, inner.right, inner.bottom, dpi};
  // The preferences follow every resize, in window units; a maximised
  // window keeps the size it returns to.
  const SIZE restored = InnerSize(main);
  App().prefs.WindowWidth = restored.cx;
  App().prefs.WindowHeight = restored.cy;

  if (HWND toolBar = Gadget(kMainToolBar)) SendMessageW(toolBar, TB_AUTOSIZE, 0, 0);
  // The tabs lay out their own gadgets over their pages' new size.
  ResizePanelTabs(inner.right, inner.bottom - Scale(30, dpi));

  // Repaint at once; a window not yet shown paints when it is.
  if (IsWindowVisible(main)) {
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
}

bool MainLayoutCurrent(HWND main) {
  RECT inner{};
  GetClientRect(main, &inner);
  return main && main == g_laidOut.window && inner.right == g_laidOut.width && inner.bottom == g_laidOut.height &&
         DpiOf(main) == g_laidOut.dpi;
}

}  // namespace kelvane
