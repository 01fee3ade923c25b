#pragma once
// The main window's side of the services the parts may ask for.
#include "settings/program_context_win.h"

namespace kelvane {

MainWindowServices& TheMainWindowServices();

}  // namespace kelvane
