#pragma once
// Start-time care of the data folder, before the lists and the preferences
// are read: a list file that is missing or holds no entry, beside the
// complete temporary file of a save that was interrupted just before its
// rename, is put back from that file; a damaged preferences file is put
// back from its last good copy (the user is told once the lists are shown,
// the damaged file kept beside), a damaged list the same way by the start's
// load (ListLoaderOptions::restoreDamaged), which reads it; every other temporary
// file that a save of this program (or ReplaceFileW, which earlier versions
// used: "rf*.tmp") left behind is removed, so they never pile up nor go into
// a backup.
#include <string>

namespace kelvane {

// `dataFolder` ends with a backslash, or is empty (the current folder).
void RecoverListFilesAtStart(const std::wstring& dataFolder);

}  // namespace kelvane
