#pragma once
// The six tab objects of the main window, in tab order, made with the tab
// control and given the program's context and, for the favourite tabs,
// their list.
#include <array>

#include "app/app_state.h"
#include "explorer/explorer_tab_win.h"
#include "lists/favourite_tabs_win.h"
#include "recent/desktop_view_win.h"
#include "recent/recent_tab_win.h"

namespace kelvane {

struct TabObjects {
  explicit TabObjects(AppState& app);
  std::array<Tab*, 6> InOrder() { return {&apps, &files, &links, &recent, &explorer, &desktop}; }

  AppsTab apps;
  FilesTab files;
  LinksTab links;
  RecentTab recent;
  ExplorerTab explorer;
  DesktopTab desktop;
};

// The objects of the tab control shown; null before it is built.
TabObjects* Tabs();

// A table handler that calls `Method` on the tab object `Member`, once the
// tabs exist: OnTab<&TabObjects::apps, &AppsTab::Add>.
template <auto Member, auto Method>
void OnTab(ProgramContext&) {
  if (TabObjects* tabs = Tabs()) ((tabs->*Member).*Method)();
}

}  // namespace kelvane
