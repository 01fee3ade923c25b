#pragma once
// Folders no command of the program may delete, recycle, move or back up
// over as a whole: a volume root (a drive, a network share, a folder where a
// volume is mounted), the Windows folder and the user's profile folder
// itself. What lies inside them stays open to the user's commands.
#include <span>
#include <string>
#include <string_view>

namespace kelvane {

bool IsProtectedFolder(std::wstring_view path);

// The first path of the list that IsProtectedFolder refuses; empty when none.
std::wstring FirstProtectedPath(std::span<const std::wstring> paths);

}  // namespace kelvane
