#pragma once
// ClipboardWindow (window 4): what the file clipboard holds, one row per
// path with its size ("Dossier" for a folder, "Inexistant" for a path that
// no longer exists), a button that empties the clipboard and one that
// closes the window. Built anew by each VoirPressePapier and destroyed when
// closed; its list is filled when it opens and again whenever the clipboard
// changes.
#include <windows.h>

#include "catalog/ids.h"

namespace kelvane {

struct ProgramContext;

inline constexpr wchar_t kClipboardWindowClass[] = L"KelvaneClipboardWindow";

// VoirPressePapier button. A window already open is replaced by a new one,
// so that it shows the clipboard as it is now.
void OpenClipboardWindow(ProgramContext& context);
HWND ClipboardWindowHandle();  // null while closed
void CloseClipboardWindow();

// Fills ClipboardFileList and the status bar from the clipboard and
// refreshes the paste-related commands.
void FillClipboardList(ProgramContext& context);

// The clipboard changed, by this program or another: the paste-related
// commands follow, and the viewer's list when it is open.
void FollowClipboardChange(ProgramContext& context);

// The Clear button: empties the clipboard, then closes the window.
void ClearClipboardAndClose(ProgramContext& context);

// Keyboard path (Tab between the gadgets, Enter, Space, Escape) for the
// event loop: true when the message was meant for the viewer and handled.
bool HandleClipboardWindowMessage(MSG* msg);

}  // namespace kelvane
