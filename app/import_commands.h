#pragma once
// The import entries of the add menu. Each finds candidates, offers them in
// the pick list (PickRows requester) with the duplicates unticked, adds the
// ticked ones through the tabs' add path and says what was added.
#include <string>
#include <vector>

#include "toolkit/pick_row.h"

namespace kelvane {

void ImportBrowserBookmarks();     // CmdImportNavigateurs: the browsers' own bookmark files
void ImportBookmarkFile();         // CmdImportFichierFavoris: an exported bookmark file, chosen
void ImportExplorerFavourites();   // CmdImportFavorisExplorateur: Favorites and Links folders
void ImportStartMenuShortcuts();   // CmdImportMenuDemarrer: the Start menu's programs

// What each of them does once it has found `found`: shows the list's tab,
// offers the rows, adds the ticked ones to the list of `kind`, reports.
void OfferAndAdd(int kind, std::vector<PickRow> found, const std::wstring& title);

}  // namespace kelvane
