#include "app/command_table.h"

#include "app/ids.h"
#include "app/shell_commands.h"
#include "theme/about_window_win.h"
#include "lists/apps_tab_win.h"
#include "lists/files_tab_win.h"
#include "lists/links_tab_win.h"
#include "lists/list_store_win.h"

namespace kelvane {
namespace {

using O = CommandOwner;

constexpr CommandEntry kCommands[] = {
    {CmdAjoutFavori, O::Core, ShowAddMenu},
    {CmdEnregistrerListes, O::Lists, SaveAllLists},
    {CmdQuitter, O::Core, RequestQuit},
    {CmdAide, O::Core, OpenHelp},
    {CmdInfo, O::About, OpenAboutWindow},
    {CmdSupprimerTout, O::SearchReset, nullptr},
    {CmdRechercher, O::SearchReset, nullptr},
    {CmdChercherPC, O::ExplorerTab, nullptr},
    {CmdEpingler, O::Placement, ApplyPinToggle},
    {CmdGestionPrefs, O::Preferences, nullptr},
    {CmdSauvegarder, O::Core, ShowBackupMenu},
    {CmdSelectDossier, O::ExplorerTab, nullptr},
    {CmdMesdocuments, O::ExplorerTab, nullptr},
    {CmdMesimages, O::ExplorerTab, nullptr},
    {CmdMamusique, O::ExplorerTab, nullptr},
    {CmdMesvideos, O::ExplorerTab, nullptr},
    {CmdMesTelecharges, O::ExplorerTab, nullptr},
    {CmdMesContacts, O::ExplorerTab, nullptr},
    {CmdMyFavorites, O::ExplorerTab, nullptr},
    {CmdLargesIco, O::ViewMenu, ViewLargeIcons},
    {CmdPetitesIco, O::ViewMenu, ViewSmallIcons},
    {CmdModeListe, O::ViewMenu, ViewList},
    {CmdModeDetails, O::ViewMenu, ViewDetails},
    {CmdAjoutAppli, O::AppsTab, AddApplication},
    {CmdAjoutFichier, O::FilesTab, AddFile},
    {CmdAjoutDossier, O::FilesTab, AddFolder},
    {CmdAjoutLien, O::LinksTab, AddLink},
    {CmdLienOuvrir, O::LinksTab, OpenSelectedLinks},
    {CmdLienRetirer, O::LinksTab, RemoveSelectedLinks},
    {CmdLienRenommer, O::LinksTab, RenameSelectedLinks},
    {CmdFichierOuvrir, O::FilesTab, OpenSelectedFiles},
    {CmdFichierRetirer, O::FilesTab, RemoveSelectedFiles},
    {CmdFichierRenommer, O::FilesTab, RenameSelectedFiles},
    {CmdFichierProprietes, O::FilesTab, ShowFileProperties},
    {CmdAppliOuvrir, O::AppsTab, StartSelectedApplications},
    {CmdAppliRenommer, O::AppsTab, RenameSelectedApplications},
    {CmdAppliRetirer, O::AppsTab, RemoveSelectedApplications},
    {CmdAppliProprietes, O::AppsTab, ShowApplicationProperties},
    {CmdRecentOuvrir, O::RecentTab, nullptr},
    {CmdRecentProprietes, O::RecentTab, nullptr},
    {CmdRecentSupprSelect, O::RecentTab, nullptr},
    {CmdRecentSupprTout, O::RecentTab, nullptr},
    {CmdCreerSauvegarde, O::Backup, nullptr},
    {CmdRecupSauvegarde, O::Backup, nullptr},
    {CmdSupprSauvegarde, O::Backup, nullptr},
    {CmdExplOuvrir, O::ExplorerTab, nullptr},
    {CmdExplRenommer, O::ExplorerTab, nullptr},
    {CmdExplProprietes, O::ExplorerTab, nullptr},
    {CmdExplCopier, O::FileClipboard, nullptr},
    {CmdExplColler, O::FileClipboard, nullptr},
    {CmdExplCopierVers, O::FileOperations, nullptr},
    {CmdExplDeplacerVers, O::FileOperations, nullptr},
    {CmdExplSupprimer, O::FileOperations, nullptr},
    {CmdExplRecycler, O::FileOperations, nullptr},
    {CmdTrayExplorateur, O::Core, ShowExplorerTab},
    {CmdTrayDesktop, O::Core, ShowDesktopTab},
    {CmdTrayRecents, O::Core, ShowRecentTab},
    {CmdTrayLiensWeb, O::Core, ShowLinksTab},
    {CmdTrayFichiersDossiers, O::Core, ShowFilesTab},
    {CmdTrayMesApplis, O::Core, ShowAppsTab},
    {CmdTrayAfficher, O::Core, ShowMainWindowFromTray},
    {CmdTrayQuitter, O::Core, RequestQuit},
};

}  // namespace

std::span<const CommandEntry> CommandTable() { return kCommands; }

const CommandEntry* FindCommand(int id) {
  for (const CommandEntry& entry : kCommands) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

bool DispatchCommand(int id) {
  const CommandEntry* entry = FindCommand(id);
  if (!entry) return false;
  if (entry->handler) entry->handler();
  return true;
}

}  // namespace kelvane
