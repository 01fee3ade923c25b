#include "app/import_commands.h"

#include <windows.h>
#include <shlobj.h>

#include "app/app_state.h"
#include "app/panel_tabs.h"
#include "import/import_sources_win.h"
#include "import/pick_list.h"
#include "lists/list_commands_win.h"
#include "lists/list_loader_win.h"
#include "lists/list_store_win.h"
#include "toolkit/requesters_win.h"

namespace kelvane {
namespace {

constexpr wchar_t kPrompt[] = L"Cochez les favoris \u00E0 ajouter \u00E0 la liste.";

// The tab showing each list: applications 0, files 1, links 2.
int TabOf(int kind) { return kind - kAppsKind; }

std::vector<std::wstring> ListNames(int kind) {
  std::vector<std::wstring> names;
  for (const ListEntry& entry : App().favourites.List(kind).Entries()) names.push_back(entry.name);
  return names;
}

std::vector<std::wstring> KnownFolders(std::initializer_list<const GUID*> ids) {
  std::vector<std::wstring> folders;
  for (const GUID* id : ids) {
    if (std::wstring folder = KnownFolderPath(*id); !folder.empty()) folders.push_back(std::move(folder));
  }
  return folders;
}

}  // namespace

void OfferAndAdd(int kind, std::vector<PickRow> found, const std::wstring& title) {
  SelectTab(TabOf(kind));
  // The duplicates are marked against the whole list, not the part read so far.
  FinishListLoad(kind);
  const std::vector<PickRow> rows = MarkPickRows(std::move(found), ListNames(kind));
  if (rows.empty()) {
    ShowMessage(ListOwner(App().favourites), title, L"Aucun favori \u00E0 importer n'a \u00E9t\u00E9 trouv\u00E9.", kInformationBox);
    return;
  }
  const std::optional<std::vector<bool>> ticks = TheRequesters().PickRows(ListOwner(App().favourites), title, kPrompt, rows);
  if (!ticks) return;
  std::vector<ListEntry> chosen;
  std::size_t untickedDuplicates = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (i < ticks->size() && (*ticks)[i]) {
      chosen.push_back({rows[i].name, rows[i].target});
    } else if (!rows[i].note.empty()) {
      ++untickedDuplicates;
    }
  }
  const std::size_t added = AddEntriesUnlessDuplicate(App().favourites, kind, chosen);
  ShowMessage(ListOwner(App().favourites), title, ImportReport(added, chosen.size() - added + untickedDuplicates), kInformationBox);
}

void ImportBrowserBookmarks() {
  OfferAndAdd(kLinksKind, BookmarkFileRows(FindBrowserBookmarkFiles(LocalAppDataFolder())),
              L"Importer les favoris des navigateurs");
}

void ImportBookmarkFile() {
  SelectTab(TabOf(kLinksKind));
  const std::wstring file =
      TheRequesters().OpenFile(ListOwner(App().favourites), L"S\u00E9lectionner un fichier de favoris", L"",
                               L"Favoris HTML (*.htm, *.html)|*.htm;*.html|Tous fichiers (*.*)|*.*");
  if (file.empty()) return;
  OfferAndAdd(kLinksKind, BookmarkHtmlRows(file), L"Importer un fichier de favoris");
}

void ImportExplorerFavourites() {
  OfferAndAdd(kFilesKind, FavouriteShortcutRows(KnownFolders({&FOLDERID_Favorites, &FOLDERID_Links})),
              L"Importer les favoris de l'Explorateur");
}

void ImportStartMenuShortcuts() {
  OfferAndAdd(kAppsKind, ProgramShortcutRows(KnownFolders({&FOLDERID_Programs, &FOLDERID_CommonPrograms})),
              L"Importer les raccourcis du menu D\u00E9marrer");
}

}  // namespace kelvane
