#include "settings/hotkey.h"

#include <array>
#include <cwctype>

namespace kelvane {
namespace {

// HOTKEYF_SHIFT, HOTKEYF_CONTROL, HOTKEYF_ALT of the hotkey control.
constexpr std::uint32_t kControlShift = 0x1;
constexpr std::uint32_t kControlCtrl = 0x2;
constexpr std::uint32_t kControlAlt = 0x4;
// The control has no flag for the Windows key: it stays in the file only.

struct Modifier {
  std::uint32_t bit;
  std::wstring_view name;
};
// In the order they are written.
constexpr std::array<Modifier, 4> kModifiers = {
    {{kHotKeyWin, L"Win"}, {kHotKeyCtrl, L"Ctrl"}, {kHotKeyAlt, L"Alt"}, {kHotKeyShift, L"Maj"}}};

struct NamedKey {
  std::uint32_t key;
  std::wstring_view name;
};
constexpr std::array<NamedKey, 12> kNamedKeys = {{{0x20, L"Espace"},
                                                  {0x21, L"PgPr\u00E9c"},
                                                  {0x22, L"PgSuiv"},
                                                  {0x23, L"Fin"},
                                                  {0x24, L"Origine"},
                                                  {0x2D, L"Inser"},
                                                  {0x2E, L"Suppr"},
                                                  {0x25, L"Gauche"},
                                                  {0x26, L"Haut"},
                                                  {0x27, L"Droite"},
                                                  {0x28, L"Bas"},
                                                  {0x13, L"Pause"}}};

bool SameLetters(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  }
  return true;
}

std::wstring KeyName(std::uint32_t key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::wstring(1, static_cast<wchar_t>(key));
  if (key >= 0x70 && key <= 0x87) return L"F" + std::to_wstring(key - 0x70 + 1);
  for (const NamedKey& named : kNamedKeys) {
    if (named.key == key) return std::wstring(named.name);
  }
  return L"#" + std::to_wstring(key);
}

std::uint32_t KeyOfName(std::wstring_view name) {
  if (name.size() == 1) {
    const wchar_t c = static_cast<wchar_t>(std::towupper(name[0]));
    if ((c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9')) return c;
    return 0;
  }
  if ((name[0] == L'F' || name[0] == L'f') && name.size() <= 3) {
    std::uint32_t number = 0;
    for (wchar_t c : name.substr(1)) {
      if (c < L'0' || c > L'9') return 0;
      number = number * 10 + static_cast<std::uint32_t>(c - L'0');
    }
    return number >= 1 && number <= 24 ? 0x70 + number - 1 : 0;
  }
  if (name[0] == L'#' && name.size() <= 4) {
    std::uint32_t code = 0;
    for (wchar_t c : name.substr(1)) {
      if (c < L'0' || c > L'9') return 0;
      code = code * 10 + static_cast<std::uint32_t>(c - L'0');
    }
    return code > 0 && code < 0xFF ? code : 0;
  }
  for (const NamedKey& named : kNamedKeys) {
    if (SameLetters(named.name, name)) return named.key;
  }
  return 0;
}

}  // namespace

std::wstring HotKeyText(HotKey hotKey) {
  if (hotKey.key == 0) return std::wstring(kNoHotKeyText);
  std::wstring text;
  for (const Modifier& modifier : kModifiers) {
    if (hotKey.modifiers & modifier.bit) text += std::wstring(modifier.name) + L"+";
  }
  return text + KeyName(hotKey.key);
}

std::optional<HotKey> ParseHotKeyText(std::wstring_view text) {
  while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == L' ') text.remove_suffix(1);
  if (SameLetters(text, kNoHotKeyText)) return HotKey{};
  HotKey hotKey;
  for (;;) {
    const std::size_t plus = text.find(L'+', 1);  // "Ctrl++" would need a name for the key
    const std::wstring_view part = text.substr(0, plus);
    if (part.empty()) return std::nullopt;
    if (plus == std::wstring_view::npos) {
      hotKey.key = KeyOfName(part);
      if (hotKey.key == 0) return std::nullopt;
      return hotKey;
    }
    bool known = false;
    for (const Modifier& modifier : kModifiers) {
      if (SameLetters(modifier.name, part) || (modifier.bit == kHotKeyShift && SameLetters(part, L"Shift"))) {
        hotKey.modifiers |= modifier.bit;
        known = true;
      }
    }
    if (!known) return std::nullopt;
    text.remove_prefix(plus + 1);
  }
}

HotKey HotKeyFromControl(std::uint16_t value) {
  const std::uint32_t flags = value >> 8;
  HotKey hotKey;
  hotKey.key = value & 0xFFu;
  if (flags & kControlShift) hotKey.modifiers |= kHotKeyShift;
  if (flags & kControlCtrl) hotKey.modifiers |= kHotKeyCtrl;
  if (flags & kControlAlt) hotKey.modifiers |= kHotKeyAlt;
  if (hotKey.key == 0) hotKey.modifiers = 0;
  return hotKey;
}

std::uint16_t HotKeyToControl(HotKey hotKey) {
  std::uint32_t flags = 0;
  if (hotKey.modifiers & kHotKeyShift) flags |= kControlShift;
  if (hotKey.modifiers & kHotKeyCtrl) flags |= kControlCtrl;
  if (hotKey.modifiers & kHotKeyAlt) flags |= kControlAlt;
  return static_cast<std::uint16_t>((hotKey.key & 0xFFu) | (flags << 8));
}

}  // namespace kelvane
