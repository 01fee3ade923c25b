#pragma once
// One tab of a tab control: it makes its gadgets on its page the first time
// the page is needed, keeps their handles and lays them out as the page
// changes size.
#include <windows.h>

#include <memory>

#include "toolkit/explorer_list_win.h"

namespace kelvane {

class PageBuilder;

class Tab {
 public:
  virtual ~Tab() = default;
  // Makes the gadgets on the builder's page; called once per page.
  virtual void Build(PageBuilder& page) = 0;
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
