#pragma once
// What screen readers are told of the program's own buttons: the image
// buttons of the tabs, and the buttons of a tool bar, which show only an
// image. Each is a push button named by its tooltip text. The window answers
// WM_GETOBJECT (OBJID_CLIENT) with AnswerButtonObject; the rest of what an
// accessibility client asks (parent, place, navigation) comes from the
// system's standard object of the window.
#include <windows.h>

#include <string>
#include <vector>

namespace kelvane {

// IID_IAccessible by value: mingw's oleacc import library also exports a
// symbol of that name (the DLL's data export) that a link may pick up in
// place of the GUID itself.
inline constexpr GUID kAccessibleIid = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

struct AccessibleButton {
  std::wstring name;
  RECT screen{};  // its place on the screen
  bool enabled = true;
  bool pressed = false;
  int command = 0;  // what a default action sends (WM_COMMAND to the window's parent)
};

// A window that is one button: its name is its window text.
LRESULT AnswerButtonObject(HWND button, WPARAM wParam, LPARAM lParam);
// A tool bar: one child per button, names from `names` (by command number).
using ToolBarNames = std::wstring (*)(int command);
LRESULT AnswerToolBarObject(HWND toolBar, WPARAM wParam, LPARAM lParam, ToolBarNames names);

// The buttons of a tool bar as the object above reports them, separators left out.
std::vector<AccessibleButton> ToolBarButtons(HWND toolBar, ToolBarNames names);

}  // namespace kelvane
