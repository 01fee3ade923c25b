#pragma once
// The popup menus of the main window and the tray menu, built from data
// tables once at start-up. Every entry shows its image before its text; a
// chosen entry arrives at the main window as WM_COMMAND with its number.
#include <windows.h>

#include <string>

namespace kelvane {

// Menus 59, 64, 69, 73, 78, 83, 88, 92, 34 and the tray menu 102 are built
// at their first need (the first screen shows without them), for the main
// window of the time; ForgetPopupMenus lets a new main window have its own.
void ForgetPopupMenus();
HMENU PopupMenu(int menuId);  // null for an unknown number

// The shell icons of MenuDossiers' folders: fetched when that menu is first
// shown, since the shell's first icon lookup is slow.
void LoadDossiersMenuIcons();

// Shows a menu at the mouse cursor over the main window. MenuSystray takes
// the tray form: the main window comes to the foreground first, the menu
// stands above the cursor and either mouse button chooses.
void ShowPopupMenu(int menuId);
// Another menu than MenuSystray with its top-left corner at a screen point
// (a menu asked for from the keyboard).
void ShowPopupMenuAt(int menuId, POINT screen);

// Shows a menu at the mouse cursor and returns the command chosen, 0 when
// the menu was closed without one: for a menu whose command needs to know
// who opened it (MenuAffichage and its list).
int ChoosePopupMenuEntry(int menuId);
// Puts the check mark on one of entries 60-63 and takes it off the others.
void CheckViewModeEntry(int command);

// Entry 97 (paste) of MenuExplorer, enabled only while the file clipboard holds files.
void EnablePasteEntry(bool enabled);

// The folder opened by entries 36-42 of MenuDossiers (with a trailing
// backslash); empty for other numbers or when the system has none.
std::wstring DossiersMenuFolder(int command);

}  // namespace kelvane
