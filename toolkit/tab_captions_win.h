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

// What the tabs' least widths are made of, measured once per fitting: the
// control's width, its images' side and each caption's width, in pixels.
struct TabMetrics {
  int width = 0;
  UINT dpi = 96;
  int imageSide = 0;
  std::vector<int> captionWidths;
};

class TabCaptions {
 public:
  // Before the control's tabs are added, with their image list, font and
  // width set, and these captions, in order: the padding is the first that
  // may keep them in view, the first tab taken as the selected one.
  void Attach(HWND tabs, std::vector<std::wstring> captions);
  // What tab `index` is to be added with: its caption, or none in that
  // padding; set once added, it need not be set again by Fit.
  std::wstring CaptionToAdd(int index) const;
  // After a change of the control's width or of its selected tab. The
  // tooltips of the tabs without caption can wait for GiveToolTips (at
  // start-up, nobody points at a tab before the window shows).
  void Fit(bool toolTipsNow = true);
  void GiveToolTips();

 private:
  // Sets the padding of kArrangements[arrangement]; false when it was set already.
  bool Arrange(int arrangement);
  void Show(int index, bool caption);
  bool AllInView() const;
  TabMetrics Measure() const;

  HWND tabs_ = nullptr;
  std::vector<std::wstring> captions_;
  std::vector<bool> showing_;  // the tab shows its caption
  int arranged_ = -1;          // the padding set last, as an index of the arrangements
  bool toolTipsDue_ = false;
};

}  // namespace kelvane
