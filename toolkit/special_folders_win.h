#pragma once
#include <string>

namespace kelvane {

// The shell's path of a special folder (CSIDL number), with a trailing
// backslash; empty when the system has none.
std::wstring SpecialFolderPath(int csidl);

// The user's profile folder as SpecialFolderPath(CSIDL_PROFILE) gives it,
// read from the user's account rather than the shell (the shell only when
// that fails): what the program needs before its window shows stays clear
// of the shell's slow-loading DLL.
std::wstring UserProfileFolder();

// The running program's folder and the current folder, each with a trailing
// backslash; empty when the system cannot tell.
std::wstring ProgramFolder();
std::wstring CurrentFolder();

}  // namespace kelvane
