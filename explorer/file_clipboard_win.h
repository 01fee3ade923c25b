#pragma once
// The file clipboard: the system clipboard in the format the Windows file
// manager uses (CF_HDROP).

namespace kelvane {

// True when the clipboard can be opened and offers CF_HDROP. A clipboard
// held open by another program reads as holding no files.
bool ClipboardHasFiles();

enum class PasteScope {
  PasteOnly,  // the paste entry of MenuExplorer and the paste button
  Full,       // also the buttons that empty and show the clipboard
};

// Enables or disables the paste-related commands from the clipboard's state,
// with the enabled or disabled look of their buttons.
void UpdatePasteState(PasteScope scope);

}  // namespace kelvane
