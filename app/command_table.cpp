#include "app/command_table.h"

#include "app/ids.h"
#include "app/import_commands.h"
#include "app/shell_commands.h"
#include "explorer/explorer_tab_win.h"
#include "explorer/file_clipboard_win.h"
#include "explorer/file_operations_win.h"
#include "backup/backup_win.h"
#include "lists/search_reset_win.h"
#include "settings/preferences_window_win.h"
#include "theme/about_window_win.h"
#include "lists/apps_tab_win.h"
#include "lists/dead_targets_win.h"
#include "lists/files_tab_win.h"
#include "lists/links_tab_win.h"
#include "lists/list_store_win.h"
#include "recent/recent_tab_win.h"

namespace kelvane {
namespace {

using O = CommandOwner;

constexpr CommandEntry kCommands[] = {
    {CmdAjoutFavori, O::Core, ShowAddMenu},
    {CmdEnregistrerListes, O::Lists, SaveAllLists},
    {CmdQuitter, O::Core, RequestQuit},
    {CmdAide, O::Core, OpenHelp},
    {CmdInfo, O::About, OpenAboutWindow},
    {CmdSupprimerTout, O::SearchReset, ResetEverything},
    {CmdRechercher, O::SearchReset, SearchShownList},
    {CmdChercherPC, O::ExplorerTab, SearchOnPc},
    {CmdEpingler, O::Placement, ApplyPinToggle},
    {CmdGestionPrefs, O::Preferences, OpenPreferencesWindow},
    {CmdSauvegarder, O::Core, ShowBackupMenu},
    {CmdSelectDossier, O::ExplorerTab, SelectExplorerFolder},
    {CmdMesdocuments, O::ExplorerTab, ShowDocumentsFolder},
    {CmdMesimages, O::ExplorerTab, ShowPicturesFolder},
    {CmdMamusique, O::ExplorerTab, ShowMusicFolder},
    {CmdMesvideos, O::ExplorerTab, ShowVideosFolder},
    {CmdMesTelecharges, O::ExplorerTab, ShowDownloadsFolder},
    {CmdMesContacts, O::ExplorerTab, ShowContactsFolder},
    {CmdMyFavorites, O::ExplorerTab, ShowFavoritesFolder},
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
    {CmdFichierIntrouvables, O::FilesTab, RemoveDeadFiles},
    {CmdFichierRenommer, O::FilesTab, RenameSelectedFiles},
    {CmdFichierProprietes, O::FilesTab, ShowFileProperties},
    {CmdAppliOuvrir, O::AppsTab, StartSelectedApplications},
    {CmdAppliRenommer, O::AppsTab, RenameSelectedApplications},
    {CmdAppliRetirer, O::AppsTab, RemoveSelectedApplications},
    {CmdAppliIntrouvables, O::AppsTab, RemoveDeadApplications},
    {CmdAppliProprietes, O::AppsTab, ShowApplicationProperties},
    {CmdRecentOuvrir, O::RecentTab, OpenRecentEntry},
    {CmdRecentProprietes, O::RecentTab, ShowRecentProperties},
    {CmdRecentSupprSelect, O::RecentTab, DeleteSelectedRecent},
    {CmdRecentSupprTout, O::RecentTab, DeleteAllRecent},
    {CmdRecentMorts, O::RecentTab, PurgeDeadRecentAfterQuestion},
    {CmdCreerSauvegarde, O::Backup, BackupNow},
    {CmdRecupSauvegarde, O::Backup, RestoreFromBackup},
    {CmdSupprSauvegarde, O::Backup, DeleteBackup},
    {CmdExplOuvrir, O::ExplorerTab, OpenExplorerItem},
    {CmdExplRenommer, O::ExplorerTab, RenameExplorerItems},
    {CmdExplProprietes, O::ExplorerTab, ShowExplorerProperties},
    {CmdExplCopier, O::FileClipboard, CopySelectionToClipboard},
    {CmdExplColler, O::FileClipboard, PasteClipboardFiles},
    {CmdExplCopierVers, O::FileOperations, CopySelectionToFolder},
    {CmdExplDeplacerVers, O::FileOperations, MoveSelectionToFolder},
    {CmdExplSupprimer, O::FileOperations, DeleteSelectionAfterAsking},
    {CmdExplRecycler, O::FileOperations, RecycleSelectionAfterAsking},
    {CmdTrayExplorateur, O::Core, ShowExplorerTab},
    {CmdTrayDesktop, O::Core, ShowDesktopTab},
    {CmdTrayRecents, O::Core, ShowRecentTab},
    {CmdTrayLiensWeb, O::Core, ShowLinksTab},
    {CmdTrayFichiersDossiers, O::Core, ShowFilesTab},
    {CmdTrayMesApplis, O::Core, ShowAppsTab},
    {CmdTrayAfficher, O::Core, ShowMainWindowFromTray},
    {CmdTrayQuitter, O::Core, RequestQuit},
    {CmdImportNavigateurs, O::Import, ImportBrowserBookmarks},
    {CmdImportFichierFavoris, O::Import, ImportBookmarkFile},
    {CmdImportFavorisExplorateur, O::Import, ImportExplorerFavourites},
    {CmdImportMenuDemarrer, O::Import, ImportStartMenuShortcuts},
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
