#include "app/quick_hotkey.h"

#include "app/app_state.h"
#include "settings/hotkey.h"
#include "toolkit/requesters_win.h"

namespace kelvane {
namespace {

// The hotkey already reported as taken: a second attempt says nothing more.
std::wstring g_reported;

}  // namespace

std::wstring HotKeyTakenText(const std::wstring& hotKeyText) {
  return L"Le raccourci " + hotKeyText + L" est d\u00E9j\u00E0 pris par un autre programme : Kelvane fonctionne sans.";
}

bool RegisterQuickHotKey() {
  HWND main = App().mainWindow;
  if (!main) return false;
  UnregisterHotKey(main, kQuickHotKeyId);
  const HotKey hotKey = ParseHotKeyText(App().prefs.QuickOpenHotKey).value_or(kDefaultHotKey);
  if (hotKey.key == 0) return true;
  // MOD_NOREPEAT: held down, the key toggles the box once.
  if (RegisterHotKey(main, kQuickHotKeyId, hotKey.modifiers | MOD_NOREPEAT, hotKey.key)) return true;
  const std::wstring text = HotKeyText(hotKey);
  if (g_reported != text) {
    g_reported = text;
    ShowMessage(main, L"Raccourci global", HotKeyTakenText(text), kInformationBox);
  }
  return false;
}

}  // namespace kelvane
