#include "app/shell_commands.h"

#include "app/app_state.h"
#include "app/help.h"

namespace kelvane {

void RequestQuit() { App().quitRequested = true; }

void OpenHelp() { ShowHelpFile(); }

}  // namespace kelvane
