#include "explorer/file_clipboard_win.h"

#include <windows.h>

#include "app/gadgets.h"
#include "app/ids.h"
#include "app/popup_menus.h"
#include "toolkit/tool_button_win.h"

namespace kelvane {

bool ClipboardHasFiles() {
  if (!OpenClipboard(nullptr)) return false;
  const bool hasFiles = IsClipboardFormatAvailable(CF_HDROP) != FALSE;
  CloseClipboard();
  return hasFiles;
}

void UpdatePasteState(PasteScope scope) {
  const bool hasFiles = ClipboardHasFiles();
  EnablePasteEntry(hasFiles);
  if (HWND paste = Gadget(kExplColler)) SetToolButtonEnabled(paste, hasFiles);
  if (scope == PasteScope::Full) {
    if (HWND empty = Gadget(kExplVider)) SetToolButtonEnabled(empty, hasFiles);
    if (HWND show = Gadget(kExplVoirPressePapier)) SetToolButtonEnabled(show, hasFiles);
  }
}

}  // namespace kelvane
