#pragma once
// The three favourite lists in memory (FavouriteList, one per kind) and the
// list views that show them. The list views (gadgets 1, 2, 3) are owner-data
// views: they keep only their row count and selection, and ask for the text
// and image of each row they draw (LVN_GETDISPINFO), so a row costs the
// entry alone, and the loader's work is the parse and a vector append.
// User-interface thread only.
#include <windows.h>
#include <commctrl.h>

#include <array>

#include "lists/favourite_list.h"
#include "settings/program_context_win.h"

namespace kelvane {

class FavouriteStore {
 public:
  // The lists' files are in the context's data folder; its preferences
  // say whether a change is saved at once.
  explicit FavouriteStore(ProgramContext& context);
  FavouriteStore(const FavouriteStore&) = delete;
  FavouriteStore& operator=(const FavouriteStore&) = delete;

  ProgramContext& Context() const { return context_; }

  // kind: kAppsKind, kFilesKind or kLinksKind.
  FavouriteList& List(int kind);
  const FavouriteList& List(int kind) const;

  // Gives the list view of `kind` the model's row count, repainting only
  // what the new rows change, without scrolling.
  void ShowCount(int kind) const;
  // Repaints a row after its entry changed, or the rows of [first, last]
  // after theirs: only those on screen (the view keeps nothing of the
  // others, and under Wine each row costs a round trip to the server). With
  // `now`, before the call returns.
  void ShowRow(int kind, int row) const { ShowRows(kind, row, row); }
  void ShowRows(int kind, int first, int last, bool now = false) const;

 private:
  ProgramContext& context_;
  std::array<FavouriteList, 3> lists_;
};

// The image a row shows: links their single image (index 0 of their own
// image list); the others the entry's icon, or the shell's icon for a file
// of no known type when it has none (a row with no image draws its text a
// few pixels left of the others'). I_IMAGENONE when the shell has none.
int ShownIcon(int kind, int icon);

// LVN_GETDISPINFOW and LVN_ODFINDITEMW of the favourite list views, then
// their greyed rows and tooltips (HandleDeadTargetNotify). True when
// handled, with `result` set.
bool HandleFavouriteListNotify(const FavouriteStore& store, const NMHDR* header, LRESULT* result);

}  // namespace kelvane
