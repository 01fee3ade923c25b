#pragma once
// Process-wide state, set up at start-up and read by the whole program.
#include <windows.h>

#include <array>
#include <string>

#include "settings/preferences.h"
#include "toolkit/handle_win.h"
#include "toolkit/image_set_win.h"

namespace kelvane {

struct AppState {
  HINSTANCE instance = nullptr;
  std::wstring windowTitle;    // "Kelvane (x64) ": caption and single-instance key
  std::wstring versionText;    // "1.2.02.26"
  std::wstring ownershipLine;  // shown by the about window

  std::wstring profileFolder;  // each folder below ends with a backslash
  std::wstring dataFolder;     // empty: data files live in the current directory
  bool portableData = false;   // kept beside the program (portable marker)
  // Found by FindTabFolders, once, when first needed.
  std::wstring recentFolder;
  std::wstring publicDesktopFolder;
  std::wstring userDesktopFolder;
  bool tabFoldersFound = false;
  std::wstring documentsFolder;
  std::wstring defaultAppsFolder;
  std::wstring defaultFilesFolder;

  std::array<UniqueFont, 3> fonts;  // 0 titles, 1 list headers, 2 texts
  ImageSet images;                  // images 0..51

  Preferences prefs;

  UniqueKernelHandle instanceMutex;
  HWND mainWindow = nullptr;
  bool quitRequested = false;
};

AppState& App();

// Looks up the recent-items folder and the two desktops the first time it
// is called (the tabs that show them, or start-up once the window shows).
void FindTabFolders();

// The window title for this build: "Kelvane" and the architecture, ending
// with a blank.
std::wstring BuildWindowTitle();

}  // namespace kelvane
