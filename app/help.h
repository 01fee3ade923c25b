#pragma once

namespace kelvane {

// Opens "Kelvane Help.chm" of the current directory in the HTML Help viewer.
void ShowHelpFile();
// Closes the help viewer if it is open (at quit).
void CloseHelpViewer();

}  // namespace kelvane
