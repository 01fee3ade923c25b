#pragma once
#include <span>

namespace kelvane {

// One entry per command number: the procedure that carries it out.
struct CommandEntry {
  int id;
  void (*handler)();
};

std::span<const CommandEntry> CommandTable();

// Runs the handler of a command; false when the number is no command.
bool DispatchCommand(int id);

}  // namespace kelvane
