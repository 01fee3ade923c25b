#pragma once
// The Bureau tab (tab 5): DesktopList shows the user's or the public desktop
// folder, chosen in DesktopSourceCombo, in the view mode of DesktopViewCombo.
// A plain viewer: it starts items and enters folders, and changes nothing.
#include <string>

#include "settings/program_context_win.h"

namespace kelvane {

// The home folder that DesktopSourceCombo names: the user's desktop for
// entry 0, the public desktop for entry 1.
std::wstring ChosenDesktopFolder(ProgramContext& context);

void ShowChosenDesktop(ProgramContext& context);        // DesktopSourceCombo changed, DesktopHomeButton
void ApplyDesktopViewMode(ProgramContext& context);     // DesktopViewCombo changed
void OpenDesktopItem(ProgramContext& context);          // double click or Enter on a file of DesktopList

}  // namespace kelvane
