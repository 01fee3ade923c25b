#pragma once
// Keys of the lists, handled before the dialog manager sees them: Enter
// opens the selected favourites, Delete removes, F2 renames, Ctrl+N adds to
// the list shown, Ctrl+F searches it. Each key sends the command its menu
// entry or tool button sends, so it asks the same questions.
#include <windows.h>

namespace kelvane {

// True when `msg` was a list key and its command was sent.
bool HandleListKey(const MSG& msg);

}  // namespace kelvane
