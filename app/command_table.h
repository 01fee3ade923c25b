#pragma once
// The one table from command number (WM_COMMAND id of menu items and
// tool-bar buttons) to the procedure that carries it out.
#include <cstddef>
#include <span>
#include <string_view>
#include <type_traits>

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

// What a handler learns of the event that called it, beyond its number.
struct CommandEvent {
  int viewTarget = 0;          // the folder list a view menu was opened for
  std::wstring_view dropped;   // the paths of a drop, as the list sent them
};

// Handlers receive the program's context, and the event when they need it;
// one that needs neither is entered as WithoutContext<Handler>.
class Handler {
 public:
  using Plain = void (*)(ProgramContext& context);
  using OfEvent = void (*)(ProgramContext& context, const CommandEvent& event);

  constexpr Handler() = default;
  constexpr Handler(std::nullptr_t) {}
  constexpr Handler(Plain plain) : plain_(plain) {}
  constexpr Handler(OfEvent ofEvent) : ofEvent_(ofEvent) {}
  // A lambda without captures, in the table itself.
  template <class Lambda>
    requires(!std::is_pointer_v<Lambda> && std::is_convertible_v<Lambda, Plain>)
  constexpr Handler(Lambda lambda) : plain_(lambda) {}
  template <class Lambda>
    requires(!std::is_pointer_v<Lambda> && std::is_convertible_v<Lambda, OfEvent>)
  constexpr Handler(Lambda lambda) : ofEvent_(lambda) {}

  explicit constexpr operator bool() const { return plain_ || ofEvent_; }
  void operator()(ProgramContext& context, const CommandEvent& event) const {
    if (ofEvent_) {
      ofEvent_(context, event);
    } else if (plain_) {
      plain_(context);
    }
  }

 private:
  Plain plain_ = nullptr;
  OfEvent ofEvent_ = nullptr;
};

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
bool DispatchCommand(int id, const CommandEvent& event = {});

}  // namespace kelvane
