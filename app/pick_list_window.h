#pragma once
// PickListWindow (window 5): what an import found, one row per candidate
// with a check box (name, target, and why a row is unticked), OK and
// "Annuler". Shown modally: the owner is disabled until OK, "Annuler",
// Escape or the close box. The status bar counts the ticked rows.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "toolkit/pick_row.h"
#include "catalog/ids.h"

namespace kelvane {

inline constexpr wchar_t kPickListWindowClass[] = L"KelvanePickListWindow";

// What the real requesters show (SetPickListWindow): the ticks at OK, one
// per row, or nothing when cancelled.
std::optional<std::vector<bool>> ShowPickList(HWND owner, const std::wstring& title, const std::wstring& prompt,
                                              const std::vector<PickRow>& rows);

// The window without its modal loop (tests look at it and click its
// buttons): null when it cannot be made. One at a time; a second replaces it.
HWND OpenPickListWindow(HWND owner, const std::wstring& title, const std::wstring& prompt,
                        const std::vector<PickRow>& rows);
HWND PickListWindowHandle();  // null while closed
// After OK: the ticks; after "Annuler" or while open: nothing.
std::optional<std::vector<bool>> PickListAnswer();

}  // namespace kelvane
