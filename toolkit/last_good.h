#pragma once
// The last good copy of each data file. Every save keeps the file it replaces
// beside it as "<file>.bak", when that file was whole: a sync client, a disk
// or another program that damages the file later (cuts it, fills it with
// zeros) then leaves the user the list as it was one save earlier. At start,
// a damaged file whose copy is whole is put back from the copy; the damaged
// file is kept as "<file>.damaged", since it may hold the latest change.
#include <string>
#include <string_view>

#include "toolkit/safe_save.h"

namespace kelvane {

// Whether the bytes of a file are whole by that file's own rules.
using WholeFileTest = bool (*)(std::string_view bytes);

std::wstring LastGoodPathFor(const std::wstring& target);    // "<target>.bak"
std::wstring DamagedPathFor(const std::wstring& target);     // "<target>.damaged"

// SaveFileAtomically, after the file being replaced, when whole and not the
// same as the new text, became the last good copy. A copy that cannot be
// written does not stop the save.
bool SaveKeepingLastGood(SaveFileSystem& fs, const std::wstring& target, std::string_view bytes,
                         WholeFileTest isWhole, unsigned long* error = nullptr);

// At start: when `target` is there but not whole and its last good copy is
// whole, the damaged file goes to DamagedPathFor and the copy takes its
// place. True when that was done (the user is to be told); a missing target
// is left alone (a reset, or the user's own doing).
bool RestoreLastGoodIfDamaged(SaveFileSystem& fs, const std::wstring& target, WholeFileTest isWhole);

}  // namespace kelvane
