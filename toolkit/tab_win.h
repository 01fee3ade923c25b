#pragma once
// One tab of a tab control: it makes its gadgets on its page the first time
// the page is needed, keeps their handles and lays them out as the page
// changes size. A page of many gadgets is made in parts, one per idle step
// while the program starts, so that no step keeps a message waiting long.
#include <windows.h>

#include <memory>

#include "toolkit/explorer_list_win.h"

namespace kelvane {

class PageBuilder;

class Tab {
 public:
  virtual ~Tab() = default;
  // Makes part `part` of the gadgets on the builder's page: parts 0, 1, ...
  // in order with the same builder, each once, until one returns false (the
  // page is complete). The page is not shown before that.
  virtual bool BuildPart(PageBuilder& page, int part) = 0;
  // The page's new inner size in pixels, once the tab is built.
  virtual void Layout(int pageWidth, int pageHeight) = 0;
  // The tab's folder list; null when it has none or before it is built.
  virtual ExplorerListControl* FolderList() { return nullptr; }
};

// A tab whose page holds a folder list the whole page wide.
class FolderListTab : public Tab {
 public:
  ExplorerListControl* FolderList() override { return list_.get(); }

 protected:
  // Sizes the list to the page's width and `height` pixels (none when negative).
  void SizeList(int pageWidth, int height) const;

  UINT dpi_ = 96;  // of the page, from Build
  std::unique_ptr<ExplorerListControl> list_;
};

}  // namespace kelvane
