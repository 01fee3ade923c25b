#pragma once
// The texts of the about window, composed apart from any window.
#include <cstdint>
#include <string>

namespace kelvane {

// When this version was built, in seconds since 1970-01-01 00:00:00 local
// wall-clock time: 2026-02-19 for version 1.2.02.26.
inline constexpr std::int64_t kBuildDate = 1771459200;

// The maker's web site, opened by the about window's site link.
inline constexpr wchar_t kMakerSiteAddress[] = L"https://www.veldran-software.fr/kelvane";
inline constexpr wchar_t kMakerName[] = L"Veldran Software";
// The site link's text.
inline constexpr wchar_t kMakerSiteName[] = L"Site Veldran";
// The read-me shipped beside the program.
inline constexpr wchar_t kReadMeFileName[] = L"CLUF_Kelvane.txt";

// A date (seconds since 1970 in local wall-clock time) with a pattern in
// which %dd, %mm and %yyyy stand for the day, month and year in 2, 2 and 4
// digits; other characters are copied.
std::wstring FormatDate(const std::wstring& pattern, std::int64_t seconds);

// The about text, lines separated by a lone carriage return: the window
// title (which ends with a blank) and version, compatibility, build date,
// thanks between two lines of 38 hyphens, and how to reach the author.
std::wstring AboutText(const std::wstring& windowTitle, const std::wstring& version, std::int64_t buildDate);

// Appended to the about text: where the favourites are kept (the current
// directory when `dataFolder` is empty), and that this copy is portable.
std::wstring DataFolderLines(const std::wstring& dataFolder, bool portable);

}  // namespace kelvane
