#pragma once
// The user's settings: the record, its file "Kelvane.prefs" in the data
// folder, and what the stored values mean for the window at start-up.
// The Win32 side reads and writes the file and carries out StartPlacement.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/utf.h"

namespace kelvane {

inline constexpr std::wstring_view kPreferencesFileName = L"Kelvane.prefs";

// Field names are the file's keys; absent keys leave these defaults.
struct Preferences {
  std::wstring KeepWindowSize;  // "Ok" or "No": refresh the size from the window on save
  int32_t WindowHeight = 0;     // inner size; 0 = none stored
  int32_t WindowWidth = 0;
  std::wstring KeepWindowPos;   // "Ok" or "No", as KeepWindowSize for the position
  int32_t WindowPosX = 0;       // outer position; 0 = none stored
  int32_t WindowPosY = 0;
  int32_t StickyWindow = 0;     // 1 = above other windows from the start
  std::wstring Panel;           // start tab, one of kPanelWords
  std::wstring PrefDirApplis;   // start folder for choosing an application
  std::wstring PrefDirFichiers; // start folder for choosing a file or folder
  int32_t CheckSaveList = 0;    // 1 = write a list right after each change
  int32_t CheckBackup = 0;      // 1 = the user keeps a backup on another medium
  std::wstring PrefBackup;      // the backup folder
  int32_t PrefAutoBackup = 0;   // 1 = save everything and back up at exit
  // The global hotkey of the quick-open box (settings/hotkey.h), written
  // after the older keys: an older program skips it, an older file lacks it.
  std::wstring QuickOpenHotKey = L"Ctrl+Alt+K";

  bool operator==(const Preferences&) const = default;
};

// The words of the start tab, for tabs 0 to 5 in order.
inline constexpr std::array<std::wstring_view, 6> kPanelWords = {
    L"Applications", L"Fichiers", L"Internet", L"Historique", L"Explorer", L"Bureau"};

// The tab named by `panel` (exact case), or -1.
int PanelTabIndex(std::wstring_view panel);

// The record from the file's bytes. `decodeAnsi` reads a file without
// byte-order mark (the system ANSI code page). Unreadable text gives defaults.
Preferences ParsePreferences(std::string_view bytes, AnsiDecoder decodeAnsi);

// True unless the file was plainly damaged: emptied, or zeros where text was.
// Users edit this file by hand, so nothing stricter is asked of it.
bool IsUndamagedPreferencesFile(std::string_view bytes);

// The file's bytes: byte-order mark, empty line, the fifteen keys in the
// order of the record, CR LF after each line.
std::string SerializePreferences(const Preferences& prefs);

// Before writing at exit: the size and position are taken from the window
// only when the user asked to keep them ("Ok").
void TakeWindowPlacementForSave(Preferences& prefs, int32_t innerWidth, int32_t innerHeight,
                                int32_t outerX, int32_t outerY);

// What the stored preferences ask of the main window at start-up. Applies
// only when the file exists; without it nothing at all is changed.
struct StartPlacement {
  bool applySize = false;  // set the inner size to width x height
  int32_t width = 0;
  int32_t height = 0;
  bool applyPosition = false;  // move the outer left-top corner to x, y
  int32_t x = 0;
  int32_t y = 0;
  bool pinned = false;  // pin toggle down and topmost, else up and not topmost
  int startTab = -1;    // -1 = leave the tabs alone
  std::wstring appsFolder;
  std::wstring filesFolder;
};

// A stored value of 0 means "none", so a size is restored only with both
// dimensions non-zero and a position only with both coordinates non-zero,
// and neither when the other pair is half set. Empty folders fall back to
// the Documents folder.
StartPlacement DecideStartPlacement(const Preferences& prefs, const std::wstring& documentsFolder);

}  // namespace kelvane
