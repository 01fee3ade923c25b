#pragma once
// AboutWindow (window 1): the program's name, version and build date, the
// conditions of use and thanks, and links to the maker's site and to the
// read-me. Built anew by each CmdInfo and destroyed when closed.
#include <windows.h>

#include <string>

#include "catalog/ids.h"

namespace kelvane {

struct ProgramContext;

inline constexpr wchar_t kAboutWindowClass[] = L"KelvaneAboutWindow";
inline constexpr wchar_t kHyperlinkClass[] = L"KelvaneHyperlink";
inline constexpr wchar_t kImageGadgetClass[] = L"KelvaneImage";
inline constexpr wchar_t kContainerClass[] = L"KelvaneContainer";
inline constexpr COLORREF kLinkHighlight = RGB(32, 160, 255);
// An illustration of the user's own, shown instead of the built-in one when
// it exists in the program's folder.
inline constexpr wchar_t kAboutPictureFile[] = L"Kelvane_Apropos.png";

// CmdInfo. An about window already open comes to the front instead.
void OpenAboutWindow(ProgramContext& context);
HWND AboutWindowHandle();  // null while closed
void CloseAboutWindow();

// The current directory's "CLUF_Kelvane.txt".
std::wstring ReadMePath();
// The links' actions: the site link opens the maker's site (a message when
// it cannot) and closes the window; the read-me link opens the read-me when
// it exists, and does nothing otherwise.
void OnAboutSiteLink();
void OnAboutReadMeLink();

// What the links call on the system; tests put fakes in.
struct AboutServices {
  bool (*openAddress)(const std::wstring& address);  // true when something was started
  bool (*openFile)(const std::wstring& path);
  void (*warn)(HWND owner, const std::wstring& title, const std::wstring& text);
};
// Null puts the real ones back.
void SetAboutServicesForTests(const AboutServices* services);

}  // namespace kelvane
