#include "app/preferences_at_start.h"

#include <windows.h>
#include <shlobj.h>

#include <optional>

#include "app/app_state.h"
#include "app/main_toolbar.h"
#include "app/panel_tabs.h"
#include "settings/preferences.h"
#include "settings/preferences_win.h"
#include "toolkit/placement_win.h"
#include "toolkit/safe_save_win.h"
#include "toolkit/special_folders_win.h"
#include "toolkit/utf_win.h"

namespace kelvane {
namespace {

std::optional<Preferences> g_storedAtStart;
bool g_loadedAtStart = false;

}  // namespace

void ReadPreferencesAtStart() {
  g_storedAtStart.reset();
  g_loadedAtStart = false;
  const std::wstring path = PreferencesPath(App());
  if (!PathExists(path)) return;
  std::string bytes;
  // A file that cannot be read counts as empty: every key takes its default.
  if (!ReadWholeFile(path, &bytes)) bytes.clear();
  g_storedAtStart = ParsePreferences(bytes, AnsiToWide);
  HWND window = App().mainWindow;
  if (!window) return;
  SetPinned(window, g_storedAtStart->StickyWindow == 1);
  // Sized before the gadgets exist: they are laid out once, at this size.
  const StartPlacement start = DecideStartPlacement(*g_storedAtStart, {});
  if (start.applyPosition) MoveOnScreen(window, start.x, start.y);
  if (start.applySize) {
    RECT corner{};
    GetWindowRect(window, &corner);
    SetInnerSize(window, start.width, start.height);
    // Without a stored place the window keeps its bottom-right corner.
    if (!start.applyPosition) {
      RECT sized{};
      GetWindowRect(window, &sized);
      SetWindowPos(window, nullptr, corner.right - (sized.right - sized.left),
                   corner.bottom - (sized.bottom - sized.top), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
}

void LoadPreferencesAtStart() {
  if (!g_storedAtStart) return;
  AppState& app = App();
  app.prefs = *g_storedAtStart;
  g_storedAtStart.reset();
  g_loadedAtStart = true;

  const StartPlacement start = DecideStartPlacement(app.prefs, {});
  HWND window = app.mainWindow;
  if (start.applySize) {
    // The size the window took, as every layout records it.
    const SIZE inner = InnerSize(window);
    app.prefs.WindowWidth = inner.cx;
    app.prefs.WindowHeight = inner.cy;
  }
  SetPinToggle(start.pinned);
  SetPinned(window, start.pinned);
  if (start.startTab >= 0) SelectTab(start.startTab);
}

void SettleStartFolders() {
  AppState& app = App();
  app.documentsFolder = SpecialFolderPath(CSIDL_PERSONAL);
  if (g_loadedAtStart) {
    const StartPlacement start = DecideStartPlacement(app.prefs, app.documentsFolder);
    app.defaultAppsFolder = start.appsFolder;
    app.defaultFilesFolder = start.filesFolder;
  } else {
    app.defaultAppsFolder = SpecialFolderPath(CSIDL_PROGRAM_FILES);
    app.defaultFilesFolder = app.documentsFolder;
  }
}

}  // namespace kelvane
