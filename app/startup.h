#pragma once
#include <windows.h>

namespace kelvane {

// The whole life of the program: start-up, event loop, shutdown. Returns
// the process exit code.
int RunKelvane(HINSTANCE instance);

}  // namespace kelvane
