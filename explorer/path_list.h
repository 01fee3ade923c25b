#pragma once
// The multi-string that the shell's file operation takes in pFrom and pTo:
// each path followed by one NUL, the whole list followed by one more NUL.
#include <span>
#include <string>

namespace kelvane {

// Builds the list from a path array as the callers keep it: they store
// paths from index 0 and always leave an empty element after the last one,
// so the first empty element ends the list (later elements are ignored).
//
// One final backslash is removed from each path (the shell wants
// "C:\Data\Photos", not "C:\Data\Photos\"), except on a root: "D:\" and "\"
// keep it, since "D:" alone means the current directory of drive D.
//
// The result holds the embedded NULs and always ends with at least two of
// them; its data() goes to SHFILEOPSTRUCTW as it is. An empty array gives
// two NULs: an empty list.
std::wstring BuildPathList(std::span<const std::wstring> paths);

// One path as it goes into the list: without its final backslash, unless it
// is a root (see above).
std::wstring StripFinalBackslash(std::wstring_view path);

}  // namespace kelvane
