#pragma once
// The one table from command number (WM_COMMAND id of menu items and
// tool-bar buttons) to the procedure that carries it out.
#include <span>

#include "settings/program_context_win.h"

namespace kelvane {

// Which part of the program carries a command out.
enum class CommandOwner {
  Core,          // quit, help, the two command menus, tray entries
  Placement,     // pin toggle
  ViewMenu,      // view mode of the file-system lists
  Lists,         // saving the three lists
  AppsTab,
  FilesTab,
  LinksTab,
  SearchReset,
  Preferences,
  Backup,
  RecentTab,
  ExplorerTab,
  FileOperations,
  FileClipboard,
  About,
  Import,        // the add menu's imports
};

// Handlers receive the program's context; one that needs nothing of it is
// entered as WithoutContext<Handler>.
using Handler = void (*)(ProgramContext& context);
template <void (*Plain)()>
void WithoutContext(ProgramContext&) {
  Plain();
}

struct CommandEntry {
  int id;
  CommandOwner owner;
  Handler handler;  // null while the owner's part is still to be built
};

std::span<const CommandEntry> CommandTable();
const CommandEntry* FindCommand(int id);

// Runs the handler of a command; false when the number is no command.
bool DispatchCommand(int id);

}  // namespace kelvane
