#pragma once
// Browser bookmarks read for the links tab: the bookmark HTML file every
// browser exports ("NETSCAPE-Bookmark-file-1"), and the bookmark file that
// the browsers of the Chromium family keep in the user's profile (JSON).
//
// Both readers take bytes from outside: a file of any size, any nesting and
// any encoding gives a list (perhaps empty) in time linear in its size, never
// a crash. Only web and file addresses are kept: "javascript:" bookmarklets
// and browser-internal addresses would not open as links.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

struct Bookmark {
  std::wstring name;    // blanks collapsed; the address when it had none
  std::wstring url;
  std::wstring folder;  // folder names from the top, joined by " > "

  bool operator==(const Bookmark&) const = default;
};

// Folders deeper than this are read, but named as their ancestor at this depth.
inline constexpr std::size_t kMaxBookmarkFolderDepth = 64;

// True for the addresses kept: http, https, ftp and file (letter case ignored).
bool IsImportableAddress(std::wstring_view url);

// The bookmark HTML file. Its text is UTF-8, or Windows-1252 when it is not
// valid UTF-8 (older exports).
std::vector<Bookmark> ReadBookmarksHtml(std::string_view bytes);

// The JSON bookmark file: every entry of type "url" under "roots", in the
// order of the file. Invalid JSON, or JSON nested deeper than
// kMaxJsonDepth, gives what was read before the fault.
inline constexpr std::size_t kMaxJsonDepth = 512;
std::vector<Bookmark> ReadBookmarksJson(std::string_view bytes);

}  // namespace kelvane
