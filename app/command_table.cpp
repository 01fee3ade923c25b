#include "app/command_table.h"

#include "app/app_state.h"
#include "catalog/ids.h"
#include "app/import_commands.h"
#include "app/shell_commands.h"
#include "explorer/explorer_tab_win.h"
#include "explorer/file_clipboard_win.h"
#include "explorer/file_operations_win.h"
#include "backup/backup_win.h"
#include "app/search_reset.h"
#include "app/preferences_window.h"
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
    {CmdAjoutFavori, O::Core, WithoutContext<ShowAddMenu>},
    {CmdEnregistrerListes, O::Lists, WithoutContext<SaveAllLists>},
    {CmdQuitter, O::Core, WithoutContext<RequestQuit>},
    {CmdAide, O::Core, WithoutContext<OpenHelp>},
    {CmdInfo, O::About, OpenAboutWindow},
    {CmdSupprimerTout, O::SearchReset, WithoutContext<ResetEverything>},
    {CmdRechercher, O::SearchReset, WithoutContext<SearchShownList>},
    {CmdChercherPC, O::ExplorerTab, SearchOnPc},
    {CmdEpingler, O::Placement, WithoutContext<ApplyPinToggle>},
    {CmdGestionPrefs, O::Preferences, OpenPreferencesWindow},
    {CmdSauvegarder, O::Core, WithoutContext<ShowBackupMenu>},
    {CmdSelectDossier, O::ExplorerTab, SelectExplorerFolder},
    {CmdMesdocuments, O::ExplorerTab, ShowDocumentsFolder},
    {CmdMesimages, O::ExplorerTab, ShowPicturesFolder},
    {CmdMamusique, O::ExplorerTab, ShowMusicFolder},
    {CmdMesvideos, O::ExplorerTab, ShowVideosFolder},
    {CmdMesTelecharges, O::ExplorerTab, ShowDownloadsFolder},
    {CmdMesContacts, O::ExplorerTab, ShowContactsFolder},
    {CmdMyFavorites, O::ExplorerTab, ShowFavoritesFolder},
    {CmdLargesIco, O::ViewMenu, WithoutContext<ViewLargeIcons>},
    {CmdPetitesIco, O::ViewMenu, WithoutContext<ViewSmallIcons>},
    {CmdModeListe, O::ViewMenu, WithoutContext<ViewList>},
    {CmdModeDetails, O::ViewMenu, WithoutContext<ViewDetails>},
    {CmdAjoutAppli, O::AppsTab, AddApplication},
    {CmdAjoutFichier, O::FilesTab, AddFile},
    {CmdAjoutDossier, O::FilesTab, AddFolder},
    {CmdAjoutLien, O::LinksTab, AddLink},
    {CmdLienOuvrir, O::LinksTab, WithoutContext<OpenSelectedLinks>},
    {CmdLienRetirer, O::LinksTab, WithoutContext<RemoveSelectedLinks>},
    {CmdLienRenommer, O::LinksTab, WithoutContext<RenameSelectedLinks>},
    {CmdFichierOuvrir, O::FilesTab, WithoutContext<OpenSelectedFiles>},
    {CmdFichierRetirer, O::FilesTab, WithoutContext<RemoveSelectedFiles>},
    {CmdFichierIntrouvables, O::FilesTab, WithoutContext<RemoveDeadFiles>},
    {CmdFichierRenommer, O::FilesTab, WithoutContext<RenameSelectedFiles>},
    {CmdFichierProprietes, O::FilesTab, WithoutContext<ShowFileProperties>},
    {CmdAppliOuvrir, O::AppsTab, WithoutContext<StartSelectedApplications>},
    {CmdAppliRenommer, O::AppsTab, WithoutContext<RenameSelectedApplications>},
    {CmdAppliRetirer, O::AppsTab, WithoutContext<RemoveSelectedApplications>},
    {CmdAppliIntrouvables, O::AppsTab, WithoutContext<RemoveDeadApplications>},
    {CmdAppliProprietes, O::AppsTab, WithoutContext<ShowApplicationProperties>},
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
    {CmdTrayExplorateur, O::Core, WithoutContext<ShowExplorerTab>},
    {CmdTrayDesktop, O::Core, WithoutContext<ShowDesktopTab>},
    {CmdTrayRecents, O::Core, WithoutContext<ShowRecentTab>},
    {CmdTrayLiensWeb, O::Core, WithoutContext<ShowLinksTab>},
    {CmdTrayFichiersDossiers, O::Core, WithoutContext<ShowFilesTab>},
    {CmdTrayMesApplis, O::Core, WithoutContext<ShowAppsTab>},
    {CmdTrayAfficher, O::Core, WithoutContext<ShowMainWindowFromTray>},
    {CmdTrayQuitter, O::Core, WithoutContext<RequestQuit>},
    {CmdImportNavigateurs, O::Import, WithoutContext<ImportBrowserBookmarks>},
    {CmdImportFichierFavoris, O::Import, WithoutContext<ImportBookmarkFile>},
    {CmdImportFavorisExplorateur, O::Import, WithoutContext<ImportExplorerFavourites>},
    {CmdImportMenuDemarrer, O::Import, WithoutContext<ImportStartMenuShortcuts>},
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
  if (entry->handler) entry->handler(App());
  return true;
}

}  // namespace kelvane
