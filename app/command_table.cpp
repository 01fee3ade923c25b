#include "app/command_table.h"

#include "app/app_state.h"
#include "catalog/ids.h"
#include "app/import_commands.h"
#include "app/shell_commands.h"
#include "app/tab_objects.h"
#include "explorer/explorer_tab_win.h"
#include "explorer/file_clipboard_win.h"
#include "explorer/file_operations_win.h"
#include "backup/backup_win.h"
#include "app/search_reset.h"
#include "app/preferences_window.h"
#include "theme/about_window_win.h"
#include "lists/list_store_win.h"
#include "recent/recent_tab_win.h"

namespace kelvane {
namespace {

using O = CommandOwner;

constexpr CommandEntry kCommands[] = {
    {CmdAjoutFavori, O::Core, WithoutContext<ShowAddMenu>},
    {CmdEnregistrerListes, O::Lists, [](ProgramContext&) { SaveAllLists(App().favourites); }},
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
    {CmdLargesIco, O::ViewMenu, ViewLargeIcons},
    {CmdPetitesIco, O::ViewMenu, ViewSmallIcons},
    {CmdModeListe, O::ViewMenu, ViewList},
    {CmdModeDetails, O::ViewMenu, ViewDetails},
    {CmdAjoutAppli, O::AppsTab, OnTab<&TabObjects::apps, &AppsTab::Add>},
    {CmdAjoutFichier, O::FilesTab, OnTab<&TabObjects::files, &FilesTab::AddFile>},
    {CmdAjoutDossier, O::FilesTab, OnTab<&TabObjects::files, &FilesTab::AddFolder>},
    {CmdAjoutLien, O::LinksTab, OnTab<&TabObjects::links, &LinksTab::Add>},
    {CmdLienOuvrir, O::LinksTab, OnTab<&TabObjects::links, &LinksTab::OpenSelected>},
    {CmdLienRetirer, O::LinksTab, OnTab<&TabObjects::links, &LinksTab::RemoveSelected>},
    {CmdLienRenommer, O::LinksTab, OnTab<&TabObjects::links, &LinksTab::RenameSelected>},
    {CmdFichierOuvrir, O::FilesTab, OnTab<&TabObjects::files, &FilesTab::OpenSelected>},
    {CmdFichierRetirer, O::FilesTab, OnTab<&TabObjects::files, &FilesTab::RemoveSelected>},
    {CmdFichierIntrouvables, O::FilesTab, OnTab<&TabObjects::files, &FilesTab::RemoveDead>},
    {CmdFichierRenommer, O::FilesTab, OnTab<&TabObjects::files, &FilesTab::RenameSelected>},
    {CmdFichierProprietes, O::FilesTab, OnTab<&TabObjects::files, &FilesTab::ShowSelectedProperties>},
    {CmdAppliOuvrir, O::AppsTab, OnTab<&TabObjects::apps, &AppsTab::OpenSelected>},
    {CmdAppliRenommer, O::AppsTab, OnTab<&TabObjects::apps, &AppsTab::RenameSelected>},
    {CmdAppliRetirer, O::AppsTab, OnTab<&TabObjects::apps, &AppsTab::RemoveSelected>},
    {CmdAppliIntrouvables, O::AppsTab, OnTab<&TabObjects::apps, &AppsTab::RemoveDead>},
    {CmdAppliProprietes, O::AppsTab, OnTab<&TabObjects::apps, &AppsTab::ShowSelectedProperties>},
    {CmdRecentOuvrir, O::RecentTab, OpenRecentEntry},
    {CmdRecentProprietes, O::RecentTab, ShowRecentProperties},
    {CmdRecentSupprSelect, O::RecentTab, DeleteSelectedRecent},
    {CmdRecentSupprTout, O::RecentTab, DeleteAllRecent},
    {CmdRecentMorts, O::RecentTab, PurgeDeadRecentAfterQuestion},
    {CmdCreerSauvegarde, O::Backup, [](ProgramContext& context) { BackupNow(context, App().favourites); }},
    {CmdRecupSauvegarde, O::Backup, [](ProgramContext& context) { RestoreFromBackup(context, App().favourites); }},
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

bool DispatchCommand(int id, const CommandEvent& event) {
  const CommandEntry* entry = FindCommand(id);
  if (!entry) return false;
  if (entry->handler) entry->handler(App(), event);
  return true;
}

}  // namespace kelvane
