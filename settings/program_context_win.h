#pragma once
// What the parts of the program share, built once at start-up by the main
// program and handed to each part by reference: the program's names, its
// data and system folders, fonts, images and preferences, and the few
// services of the main window a part may ask for. Parts never reach the
// main program any other way.
#include <windows.h>

#include <array>
#include <string>

#include "settings/preferences.h"
#include "toolkit/handle_win.h"
#include "toolkit/image_set_win.h"

namespace kelvane {

class ExplorerListControl;

// The main window's services a part may use. The main program implements
// them; a test may give its own.
class MainWindowServices {
 public:
  virtual ~MainWindowServices() = default;
  virtual void SelectTab(int index) = 0;
  virtual int CurrentTab() const = 0;  // -1 before the tabs exist
  // The control of gadget kRecentList, kExplorerList or kDesktopList; null
  // for any other gadget or while its tab page is not built yet.
  virtual ExplorerListControl* FolderList(int gadget) = 0;
  // The folder a command of the explorer's folders menu stands for.
  virtual std::wstring DossiersMenuFolder(int command) = 0;
  // The paste entries of the menus follow the file clipboard.
  virtual void EnablePasteEntry(bool enabled) = 0;
  virtual void OpenPreferencesWindow() = 0;
};

struct ProgramContext {
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

  HWND mainWindow = nullptr;
  MainWindowServices* window = nullptr;  // null until the main window exists
  bool quitRequested = false;
};

// Looks up the recent-items folder and the two desktops the first time it
// is called (the tabs that show them, or start-up once the window shows).
void FindTabFolders(ProgramContext& context);

// The window title for this build: "Kelvane" and the architecture, ending
// with a blank.
std::wstring BuildWindowTitle();

}  // namespace kelvane
