#pragma once
// The quick-open box: a small window of its own holding a field and, below
// it, the entries of every list that match what is typed, best first (icon,
// name, kind, target). The entries are gathered when the box opens; each
// keystroke only matches them again, at once, so that none is lost.
//
// Keys in the field: Up, Down, Page Up, Page Down move in the results; Enter
// opens the chosen entry as a double click in its list would; Ctrl+Enter
// opens the folder holding it; Escape clears the text, then, the field being
// empty, hides the box. Each opening counts in the usage counts, written to
// their file at once.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "quickopen/quick_match.h"
#include "quickopen/usage_counts.h"
#include "catalog/ids.h"

namespace kelvane {

inline constexpr wchar_t kQuickBoxClass[] = L"KelvaneQuickOpen";
inline constexpr wchar_t kQuickBoxCue[] = L"Ouvrir un favori\u2026";

// What the box asks of the rest of the program.
struct QuickBoxHost {
  std::function<std::vector<QuickItem>()> gather;   // every entry of every list
  std::function<void(const QuickItem&)> open;        // as a double click in its list
  std::function<void(const QuickItem&)> openFolder;  // the folder holding it
  std::function<void()> hidden;                      // the box hid itself (Escape, an opening)
  HICON linkIcon = nullptr;                          // the links' image, not owned
};

void SetQuickBoxHost(QuickBoxHost host);
// The file of the usage counts: read when the box first opens (start-up
// need not wait for it), written after each opening.
void SetQuickBoxUsageFile(std::wstring path);
const UsageCounts& QuickBoxUsage();  // empty until the box first opens

// Makes the box the first time (owned by `owner`), gathers the entries,
// matches the text left in the field, shows the box in front and puts the
// keyboard in the field. False when the window could not be made.
bool ShowQuickBox(HWND owner);
void HideQuickBox();
HWND QuickBoxWindow();  // null until first shown
bool QuickBoxVisible();
// The box is the foreground window (the field or its list has the keyboard).
bool QuickBoxInFront();

// The entries shown, best first.
std::vector<QuickItem> QuickBoxResults();

}  // namespace kelvane
