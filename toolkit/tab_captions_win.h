#pragma once
// Keeps every tab of a one-line tab control in view, without the scroll
// arrows the control shows once its tabs run past its width. The captions
// show whole while they fit, with the usual padding and then a tighter
// one; past that only the selected tab keeps its caption and the others
// show their image alone, with the caption as their tooltip.
#include <windows.h>

#include <string>
#include <vector>

namespace kelvane {

class TabCaptions {
 public:
  // The control's tabs exist and have their images and these captions, in order.
  void Attach(HWND tabs, std::vector<std::wstring> captions);
  // After a change of the control's width or of its selected tab.
  void Fit();

 private:
  void Show(int index, bool caption);
  bool AllInView() const;

  HWND tabs_ = nullptr;
  std::vector<std::wstring> captions_;
  std::vector<bool> showing_;  // the tab shows its caption
};

}  // namespace kelvane
