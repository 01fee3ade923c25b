#pragma once
// One tab of a tab control: it makes its gadgets on its page the first time
// the page is needed, keeps their handles and lays them out as the page
// changes size.
#include <windows.h>

namespace kelvane {

class ExplorerListControl;
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

}  // namespace kelvane
