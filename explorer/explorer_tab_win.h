#pragma once
// The Explorer tab (tab 4): a small file manager over one folder at a time.
// ExplorerList (gadget 32) shows the folder and is the only record of it:
// every command reads the folder from the list when it runs. ExplorerPath
// (33) shows the same path; the first column's title counts the items.
#include <windows.h>

#include <string>
#include <vector>

namespace kelvane {

class ExplorerListControl;

// The list, null until the tab's page is built.
ExplorerListControl* ExplorerList();
// The folder it shows, with its trailing backslash ("" for the drive overview).
std::wstring ExplorerFolder();

// Shows a folder: the list lists it, ExplorerPath takes its text and the
// title counts its items. `filesOnly` ends the title in " fichiers" (the
// contacts folder) for as long as that folder stays shown.
void ShowExplorerFolder(const std::wstring& folder, bool filesOnly = false);
// The first column's title: "Contient " + items (rows but the ".." entry) +
// " fichiers et dossiers"; for a folder that cannot be listed, that it
// cannot be read and the system's reason.
void RewriteExplorerHeader();
std::wstring ExplorerHeaderText();

// Menu and button commands.
void ReloadExplorerFolder();    // RechargerRep button
void SelectExplorerFolder();    // CmdSelectDossier: the folder dialog
void ShowDocumentsFolder();     // CmdMesdocuments
void ShowPicturesFolder();      // CmdMesimages
void ShowMusicFolder();         // CmdMamusique
void ShowVideosFolder();        // CmdMesvideos
void ShowDownloadsFolder();     // CmdMesTelecharges
void ShowContactsFolder();      // CmdMesContacts
void ShowFavoritesFolder();     // CmdMyFavorites
void OpenExplorerItem();        // CmdExplOuvrir
void RenameExplorerItems();     // CmdExplRenommer
void CreateExplorerFolder();    // NouveauDossier button
void ShowExplorerProperties();  // Proprietes button, CmdExplProprietes
void SearchOnPc();              // CmdChercherPC

// Events of ExplorerList.
void OnExplorerFolderChanged();  // the list entered a folder itself
void OnExplorerRowsChanged();    // a listing ended or the disk changed

// What the tab asks of the shell (ShellExecuteW: verb, file, show command);
// tests put a recorder in. Returns ShellExecuteW's result as an integer.
using ShellExecuteFn = INT_PTR (*)(const wchar_t* verb, const std::wstring& file, int show);
// Null puts the real one back.
void SetExplorerShellExecuteForTests(ShellExecuteFn execute);

}  // namespace kelvane
