#pragma once
#include <string>

namespace kelvane {

// The shell's path of a special folder (CSIDL number), with a trailing
// backslash; empty when the system has none.
std::wstring SpecialFolderPath(int csidl);

// The running program's folder and the current folder, each with a trailing
// backslash; empty when the system cannot tell.
std::wstring ProgramFolder();
std::wstring CurrentFolder();

}  // namespace kelvane
