#pragma once
// What the favourite lists tell the user about their files: a list recovered
// at start, a file that could not be read or that holds no count, a save that
// failed. Each is told once, in a message box owned by the main window. Notes
// raised before the lists are shown (at start, on the loader's way) wait until
// ShowListNotices is called on the user-interface thread.
#include <windows.h>

#include <string>

namespace kelvane {

inline constexpr wchar_t kListNoticeTitle[] = L"Listes de favoris";

void QueueListNotice(const std::wstring& text);
// Shows the notes queued so far, oldest first, in boxes owned by `owner`
// (user-interface thread).
void ShowListNotices(HWND owner);

// The system's own words for an error code, on one line (its number when the
// system has none).
std::wstring SystemReason(DWORD error);

// Texts of the notes.
std::wstring RecoveredAtStartText(const std::wstring& list, const std::wstring& from);
// `file` was damaged and was put back from its last good copy.
std::wstring RestoredFromLastGoodText(const std::wstring& file);
std::wstring UnreadableAtStartText(const std::wstring& list, DWORD error, const std::wstring& recovered);
std::wstring NoCountLineText(const std::wstring& list);
std::wstring SaveFailedText(const std::wstring& list, DWORD error);
std::wstring SavedBesideText(const std::wstring& list, const std::wstring& beside);

}  // namespace kelvane
