#pragma once
// Commands carried out by the program's core itself: quitting, help, the two
// command menus of the tool bar, the pin toggle, the view-mode menu and the
// tray menu's entries.

namespace kelvane {

void RequestQuit();             // CmdQuitter, CmdTrayQuitter
void OpenHelp();                // CmdAide
void ShowAddMenu();             // CmdAjoutFavori
void ShowBackupMenu();          // CmdSauvegarder
void ApplyPinToggle();          // CmdEpingler
void ViewLargeIcons();          // CmdLargesIco
void ViewSmallIcons();          // CmdPetitesIco
void ViewList();                // CmdModeListe
void ViewDetails();             // CmdModeDetails
void ShowAppsTab();             // CmdTrayMesApplis
void ShowFilesTab();            // CmdTrayFichiersDossiers
void ShowLinksTab();            // CmdTrayLiensWeb
void ShowRecentTab();           // CmdTrayRecents
void ShowExplorerTab();         // CmdTrayExplorateur
void ShowDesktopTab();          // CmdTrayDesktop
void ShowMainWindowFromTray();  // CmdTrayAfficher

}  // namespace kelvane
