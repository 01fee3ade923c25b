#pragma once
// Commands carried out by the program's core itself: quitting, help, the two
// command menus of the tool bar, the pin toggle, the view-mode menu and the
// tray menu's entries.

#include "app/command_table.h"

namespace kelvane {

void RequestQuit();             // CmdQuitter, CmdTrayQuitter
void OpenHelp();                // CmdAide
void ShowAddMenu();             // CmdAjoutFavori
void ShowBackupMenu();          // CmdSauvegarder
void ApplyPinToggle();          // CmdEpingler
// The view-mode entries act on the folder list whose view menu was opened
// (the event's target: RecentList or ExplorerList; no other list).
void ViewLargeIcons(ProgramContext& context, const CommandEvent& event);  // CmdLargesIco
void ViewSmallIcons(ProgramContext& context, const CommandEvent& event);  // CmdPetitesIco
void ViewList(ProgramContext& context, const CommandEvent& event);  // CmdModeListe
void ViewDetails(ProgramContext& context, const CommandEvent& event);  // CmdModeDetails
void ShowAppsTab();             // CmdTrayMesApplis
void ShowFilesTab();            // CmdTrayFichiersDossiers
void ShowLinksTab();            // CmdTrayLiensWeb
void ShowRecentTab();           // CmdTrayRecents
void ShowExplorerTab();         // CmdTrayExplorateur
void ShowDesktopTab();          // CmdTrayDesktop
void ShowMainWindowFromTray();  // CmdTrayAfficher

}  // namespace kelvane
