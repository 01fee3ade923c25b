#pragma once
// The global hotkey of the quick-open box as the preferences file keeps it:
// readable text such as "Ctrl+Alt+K" ("Aucun": no hotkey). The modifier
// bits are those of RegisterHotKey; the key a virtual-key code.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvane {

inline constexpr std::uint32_t kHotKeyAlt = 0x1;    // MOD_ALT
inline constexpr std::uint32_t kHotKeyCtrl = 0x2;   // MOD_CONTROL
inline constexpr std::uint32_t kHotKeyShift = 0x4;  // MOD_SHIFT
inline constexpr std::uint32_t kHotKeyWin = 0x8;    // MOD_WIN

struct HotKey {
  std::uint32_t modifiers = 0;
  std::uint32_t key = 0;  // 0: none
  bool operator==(const HotKey&) const = default;
};

inline constexpr HotKey kDefaultHotKey{kHotKeyCtrl | kHotKeyAlt, 'K'};
inline constexpr std::wstring_view kNoHotKeyText = L"Aucun";

// "Ctrl+Alt+K", "Maj+F5", "Win+Ctrl+Espace"; "Aucun" for none.
std::wstring HotKeyText(HotKey hotKey);
// The text back, modifier names in any case and order; nullopt when it
// names nothing known (the caller keeps its default).
std::optional<HotKey> ParseHotKeyText(std::wstring_view text);

// The value of a hotkey control (HKM_GETHOTKEY: key in the low byte, its
// HOTKEYF_* flags in the next) and back.
HotKey HotKeyFromControl(std::uint16_t value);
std::uint16_t HotKeyToControl(HotKey hotKey);

}  // namespace kelvane
