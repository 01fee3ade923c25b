#include "settings/preferences.h"

#include "settings/keyvalue_file.h"

namespace kelvane {

int PanelTabIndex(std::wstring_view panel) {
  for (size_t i = 0; i < kPanelWords.size(); ++i) {
    if (panel == kPanelWords[i]) return static_cast<int>(i);
  }
  return -1;
}

Preferences ParsePreferences(std::string_view bytes, AnsiDecoder decodeAnsi) {
  const KeyValueReader file(bytes, decodeAnsi);
  Preferences p;
  p.KeepWindowSize = file.ReadString(L"KeepWindowSize", L"");
  p.WindowHeight = file.ReadNumber(L"WindowHeight", 0);
  p.WindowWidth = file.ReadNumber(L"WindowWidth", 0);
  p.KeepWindowPos = file.ReadString(L"KeepWindowPos", L"");
  p.WindowPosX = file.ReadNumber(L"WindowPosX", 0);
  p.WindowPosY = file.ReadNumber(L"WindowPosY", 0);
  p.StickyWindow = file.ReadNumber(L"StickyWindow", 0);
  p.Panel = file.ReadString(L"Panel", L"");
  p.PrefDirApplis = file.ReadString(L"PrefDirApplis", L"");
  p.PrefDirFichiers = file.ReadString(L"PrefDirFichiers", L"");
  p.CheckSaveList = file.ReadNumber(L"CheckSaveList", 0);
  p.CheckBackup = file.ReadNumber(L"CheckBackup", 0);
  p.PrefBackup = file.ReadString(L"PrefBackup", L"");
  p.PrefAutoBackup = file.ReadNumber(L"PrefAutoBackup", 0);
  p.QuickOpenHotKey = file.ReadString(L"QuickOpenHotKey", Preferences{}.QuickOpenHotKey);
  return p;
}

bool IsUndamagedPreferencesFile(std::string_view bytes) {
  return !bytes.empty() && bytes.find('\0') == std::string_view::npos;
}

std::string SerializePreferences(const Preferences& p) {
  KeyValueWriter file;
  file.WriteString(L"KeepWindowSize", p.KeepWindowSize);
  file.WriteNumber(L"WindowHeight", p.WindowHeight);
  file.WriteNumber(L"WindowWidth", p.WindowWidth);
  file.WriteString(L"KeepWindowPos", p.KeepWindowPos);
  file.WriteNumber(L"WindowPosX", p.WindowPosX);
  file.WriteNumber(L"WindowPosY", p.WindowPosY);
  file.WriteNumber(L"StickyWindow", p.StickyWindow);
  file.WriteString(L"Panel", p.Panel);
  file.WriteString(L"PrefDirApplis", p.PrefDirApplis);
  file.WriteString(L"PrefDirFichiers", p.PrefDirFichiers);
  file.WriteNumber(L"CheckSaveList", p.CheckSaveList);
  file.WriteNumber(L"CheckBackup", p.CheckBackup);
  file.WriteString(L"PrefBackup", p.PrefBackup);
  file.WriteNumber(L"PrefAutoBackup", p.PrefAutoBackup);
  file.WriteString(L"QuickOpenHotKey", p.QuickOpenHotKey);
  return file.Text();
}

void TakeWindowPlacementForSave(Preferences& p, int32_t innerWidth, int32_t innerHeight,
                                int32_t outerX, int32_t outerY) {
  if (p.KeepWindowSize == L"Ok") {
    p.WindowWidth = innerWidth;
    p.WindowHeight = innerHeight;
  }
  if (p.KeepWindowPos == L"Ok") {
    p.WindowPosX = outerX;
    p.WindowPosY = outerY;
  }
}

StartPlacement DecideStartPlacement(const Preferences& p, const std::wstring& documentsFolder) {
  StartPlacement s;
  const bool haveSize = p.WindowWidth != 0 && p.WindowHeight != 0;
  const bool noSize = p.WindowWidth == 0 && p.WindowHeight == 0;
  const bool havePos = p.WindowPosX != 0 && p.WindowPosY != 0;
  const bool noPos = p.WindowPosX == 0 && p.WindowPosY == 0;
  // The Keep* words are not consulted: a size written at exit with "No" is
  // still restored.
  if (haveSize && (havePos || noPos)) {
    s.applySize = true;
    s.width = p.WindowWidth;
    s.height = p.WindowHeight;
  }
  if (havePos && (haveSize || noSize)) {
    s.applyPosition = true;
    s.x = p.WindowPosX;
    s.y = p.WindowPosY;
  }
  s.pinned = p.StickyWindow == 1;
  s.startTab = PanelTabIndex(p.Panel);
  s.appsFolder = p.PrefDirApplis.empty() ? documentsFolder : p.PrefDirApplis;
  s.filesFolder = p.PrefDirFichiers.empty() ? documentsFolder : p.PrefDirFichiers;
  return s;
}

}  // namespace kelvane
