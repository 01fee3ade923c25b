#include "app/command_table.h"

#include "app/ids.h"
#include "app/shell_commands.h"

namespace kelvane {
namespace {

constexpr CommandEntry kCommands[] = {
    {CmdQuitter, RequestQuit},
    {CmdAide, OpenHelp},
    {CmdTrayQuitter, RequestQuit},
};

}  // namespace

std::span<const CommandEntry> CommandTable() { return kCommands; }

bool DispatchCommand(int id) {
  for (const CommandEntry& entry : kCommands) {
    if (entry.id == id) {
      entry.handler();
      return true;
    }
  }
  return false;
}

}  // namespace kelvane
