#include "settings/preferences_win.h"

#include "settings/preferences.h"
#include "toolkit/placement_win.h"
#include "toolkit/safe_save_win.h"
#include "toolkit/utf_win.h"

namespace kelvane {

std::wstring PreferencesPath(const ProgramContext& context) {
  return context.dataFolder + std::wstring(kPreferencesFileName);
}

bool SavePreferences(ProgramContext& context) {
  if (context.mainWindow) {
    const SIZE inner = InnerSize(context.mainWindow);
    const POINT outer = OuterPosition(context.mainWindow);
    TakeWindowPlacementForSave(context.prefs, inner.cx, inner.cy, outer.x, outer.y);
  }
  return WritePreferencesFile(context, context.prefs);
}

bool WritePreferencesFile(const ProgramContext& context, const Preferences& prefs) {
  return SaveKeepingLastGood(PreferencesPath(context), SerializePreferences(prefs), IsUndamagedPreferencesFile);
}

}  // namespace kelvane
