#pragma once
// The one place where the program hands a program, document, folder or
// address to the system to start. Tests put a recorder in front of it, so
// that they can check what would have been started without starting it.
#include <string>

namespace kelvane {

struct ShellStart {
  std::wstring verb;        // "open", "explore"; empty for the default action
  std::wstring file;        // what is started
  std::wstring parameters;  // empty when none
};

// Returns what the real call would have returned (true: started).
using ShellStartRecorder = bool (*)(const ShellStart& start);
// Null puts the real calls back.
void SetShellStartRecorderForTests(ShellStartRecorder recorder);
// The recorder in place, or null: the callers then start things for real.
ShellStartRecorder ShellStartRecorderForTests();

// The shell's default action on `file` (a document opens in its program, a
// shortcut starts its target), started in `folder` (none when empty), with
// no error box of the shell's: the callers report failures themselves. With
// `waitForDde` the call waits for a program answering by DDE. The recorder
// is not asked here. True when the shell accepted it.
bool StartWithDefaultAction(const std::wstring& file, const std::wstring& folder, bool waitForDde = false);

// Opens the folder holding `path` in the file manager, with `path` chosen
// there (a folder's trailing backslash is dropped first). True when started.
bool ShowInContainingFolder(const std::wstring& path);

}  // namespace kelvane
