#pragma once
// Reads where a shortcut file points without looking for the target: no
// search for a moved file, no network access, no dialog.
#include <windows.h>

#include <string>
#include <string_view>

namespace kelvane {

// The path a shell link leads to, empty when it leads to no file-system
// path. Needs COM on the calling thread.
std::wstring ShortcutTarget(const std::wstring& linkFile);

// True when `name` ends with ".lnk" in any case.
bool HasShortcutExtension(std::wstring_view name);

}  // namespace kelvane
