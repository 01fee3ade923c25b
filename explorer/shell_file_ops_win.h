#pragma once
// Copy, move, delete and recycle through the shell's file operation
// (SHFileOperationW), so the user sees the shell's own progress window and
// folders are handled recursively by the shell.
#include <windows.h>

#include <span>
#include <string>

namespace kelvane {

// FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI: replace without
// asking, create missing folders, no error dialogs of the shell.
inline constexpr WORD kCopyFlags = 0x610;
inline constexpr WORD kMoveFlags = 0x610;
// FOF_NOCONFIRMATION | FOF_NOERRORUI, no FOF_ALLOWUNDO: gone for good.
inline constexpr WORD kDeleteFlags = 0x410;
// FOF_ALLOWUNDO | FOF_NOERRORUI: to the recycle bin; the shell may ask its
// own confirmation as the user's settings say.
inline constexpr WORD kRecycleFlags = 0x440;

// Path arrays as the callers keep them: paths from index 0, the first empty
// element ends the list (see BuildPathList). Destination arrays hold the one
// target folder; every source goes into it under its own name.
//
// `owner` null means the current foreground window. True when the shell
// reports success, and also when the user aborted in the progress window
// (nothing to report then); false when the shell failed or the lists could
// not be built. A source list with no path is nothing to do: true, and the
// shell is not called (it would answer an empty list with an error code).
//
// Moves and deletions refuse a list that holds a protected folder (a volume
// root, the Windows folder, the user's profile folder itself: see
// toolkit/protected_folders_win.h): false, and nothing of the list is
// touched. On failure `reason`, when given, receives why, in words for the
// user.
bool ShellCopyFiles(std::span<const std::wstring> sources, std::span<const std::wstring> destinations,
                    const std::wstring& progressTitle, HWND owner, WORD flags, std::wstring* reason = nullptr);
bool ShellMoveFiles(std::span<const std::wstring> sources, std::span<const std::wstring> destinations,
                    const std::wstring& progressTitle, HWND owner, WORD flags, std::wstring* reason = nullptr);
bool ShellDeleteFiles(std::span<const std::wstring> sources, const std::wstring& progressTitle, HWND owner,
                      WORD flags, std::wstring* reason = nullptr);

// Sends one file or folder to the recycle bin (kRecycleFlags, no owner, no
// title). Here an abort by the user counts as failure: the item is still
// there (`reason` then stays empty). False for an empty path and for a
// protected folder, as above.
bool RecycleFile(const std::wstring& path, std::wstring* reason = nullptr);

// Words for the user for a code of the shell's file operation or a system
// error code (GetLastError), in the system's language for the latter.
std::wstring ShellErrorText(DWORD code);

}  // namespace kelvane
