#pragma once
// The Explorer tab (tab 4): a small file manager over one folder at a time.
// ExplorerList (gadget 32) shows the folder and is the only record of it:
// every command reads the folder from the list when it runs. ExplorerPath
// (33) shows the same path; the first column's title counts the items.
#include <windows.h>

#include <string>
#include <vector>

#include "settings/program_context_win.h"
#include "toolkit/tab_win.h"

namespace kelvane {

// The tab's gadgets: the row of buttons, ExplorerList and ExplorerPath.
class ExplorerTab final : public FolderListTab {
 public:
  explicit ExplorerTab(ProgramContext& context);
  bool BuildPart(PageBuilder& page, int part) override;
  void Layout(int pageWidth, int pageHeight) override;

 private:
  ProgramContext& context_;
  HWND path_ = nullptr;
};

// "Contient N fichiers et dossiers": the explorer list's title.
std::wstring ExplorerCountHeader(int count);

// The list, null until the tab's page is built.
ExplorerListControl* ExplorerList(ProgramContext& context);
// The folder it shows, with its trailing backslash ("" for the drive overview).
std::wstring ExplorerFolder(ProgramContext& context);

// Shows a folder: the list lists it, ExplorerPath takes its text and the
// title counts its items. `filesOnly` ends the title in " fichiers" (the
// contacts folder) for as long as that folder stays shown.
void ShowExplorerFolder(ProgramContext& context, const std::wstring& folder, bool filesOnly = false);
// The first column's title: "Contient " + items (rows but the ".." entry) +
// " fichiers et dossiers"; for a folder that cannot be listed, that it
// cannot be read and the system's reason.
void RewriteExplorerHeader(ProgramContext& context);
std::wstring ExplorerHeaderText(ProgramContext& context);

// Menu and button commands.
void ReloadExplorerFolder(ProgramContext& context);    // RechargerRep button
void SelectExplorerFolder(ProgramContext& context);    // CmdSelectDossier: the folder dialog
void ShowDocumentsFolder(ProgramContext& context);     // CmdMesdocuments
void ShowPicturesFolder(ProgramContext& context);      // CmdMesimages
void ShowMusicFolder(ProgramContext& context);         // CmdMamusique
void ShowVideosFolder(ProgramContext& context);        // CmdMesvideos
void ShowDownloadsFolder(ProgramContext& context);     // CmdMesTelecharges
void ShowContactsFolder(ProgramContext& context);      // CmdMesContacts
void ShowFavoritesFolder(ProgramContext& context);     // CmdMyFavorites
void OpenExplorerItem(ProgramContext& context);        // CmdExplOuvrir
void RenameExplorerItems(ProgramContext& context);     // CmdExplRenommer
void CreateExplorerFolder(ProgramContext& context);    // NouveauDossier button
void ShowExplorerProperties(ProgramContext& context);  // Proprietes button, CmdExplProprietes
void SearchOnPc(ProgramContext& context);              // CmdChercherPC

// Events of ExplorerList.
void OnExplorerFolderChanged(ProgramContext& context);  // the list entered a folder itself
void OnExplorerRowsChanged(ProgramContext& context);    // a listing ended or the disk changed

// What the tab asks of the shell (ShellExecuteW: verb, file, show command);
// tests put a recorder in. Returns ShellExecuteW's result as an integer.
using ShellExecuteFn = INT_PTR (*)(const wchar_t* verb, const std::wstring& file, int show);
// Null puts the real one back.
void SetExplorerShellExecuteForTests(ShellExecuteFn execute);

}  // namespace kelvane
