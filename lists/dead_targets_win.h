#pragma once
// Favourites whose target is gone (a moved file, an uninstalled program) are
// drawn greyed, with a tooltip that says so. The targets are checked on a
// short-lived thread of their own, so a slow or sleeping drive never holds
// up the window; only local drives are asked (see IsCheckableTarget).
// All functions but the thread's are called on the user-interface thread.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace kelvane {

class FavouriteStore;

// True when `target`, a checkable path (see IsCheckableTarget), is on a
// local drive that answers and is not there; a file held or denied to this
// user exists. `drives` remembers the drives already asked.
bool TargetIsGone(const std::wstring& target, std::map<wchar_t, bool>& drives);

// Checks the targets of a favourite list again (after its load, an addition),
// once the messages already waiting are handled.
void CheckListTargets(const FavouriteStore& store, int kind);

// While held, the checks asked for wait, their targets not yet copied, and
// start when released. The list loader holds them while it runs: one
// background thread at a time shares the processor with the window's, whose
// paints took up to three times as long beside both.
void HoldTargetChecks(bool held);

// True when the row's target was found missing at the last check.
bool IsDeadRow(const FavouriteStore& store, int kind, int row);
// The rows of the list found missing, in order.
std::vector<int> DeadRows(const FavouriteStore& store, int kind);

// Offers the list's missing entries in a pick list (all ticked) and removes
// the ticked ones after a question.
void RemoveDeadEntries(FavouriteStore& store, int kind);

// NM_CUSTOMDRAW and LVN_GETINFOTIP of the favourite lists: greyed text and
// the tooltip of a missing target. True when handled, with `result` set.
bool HandleDeadTargetNotify(const FavouriteStore& store, const NMHDR* header, LRESULT* result);

}  // namespace kelvane
