#include "toolkit/tab_win.h"

#include <algorithm>

namespace kelvane {

void FolderListTab::SizeList(int pageWidth, int height) const {
  if (!list_) return;
  SetWindowPos(list_->Window(), nullptr, 0, 0, std::max(0, pageWidth), std::max(0, height),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kelvane
