// Entry point of Kelvane.exe. The command line is not read.
#include <windows.h>

#include "app/startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return kelvane::RunKelvane(instance);
}
