#pragma once
// The one table from gadget events of the main window (gadget number and
// kind of event) to the procedure that answers them.
#include <span>

#include "app/command_table.h"

namespace kelvane {

// RowsChanged: a folder list's rows changed after the call that asked for
// them (a listing that ended in the background, a change on disk).
// MenuKey: the context-menu key or Shift+F10 in a list.
enum class GadgetEvent { Click, DoubleClick, RightClick, Change, Drop, RowsChanged, MenuKey };

enum class GadgetOwner { Core, AppsTab, FilesTab, LinksTab, RecentTab, ExplorerTab, FileOperations, FileClipboard, DesktopView };

struct GadgetEntry {
  int gadget;
  GadgetEvent event;
  GadgetOwner owner;
  Handler handler;  // null while the owner's part is still to be built
};

std::span<const GadgetEntry> GadgetTable();
const GadgetEntry* FindGadgetEvent(int gadget, GadgetEvent event);

// Runs the handler of a gadget event; false when the table has no such event.
bool DispatchGadgetEvent(int gadget, GadgetEvent event, const CommandEvent& details = {});

}  // namespace kelvane
