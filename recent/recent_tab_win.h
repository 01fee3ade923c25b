#pragma once
// The Historique tab (tab 3): RecentList shows the shortcuts of the user's
// recent-items folder as they are on disk; the program keeps no list of its
// own. Its buttons, the commands of MenuRecents and the list's events.
#include <string>

namespace kelvane {

// Points RecentList at the recent-items folder (listing it again) and
// rewrites its header. Run once the favourite lists are loaded, and by the
// reload button.
void PointRecentListAtRecentFolder();
void ReloadRecentList();          // RechargerRecents button
void UpdateRecentCountHeader();   // after rows changed

void DeleteSelectedRecent();      // SupprimerRacc button, CmdRecentSupprSelect
void DeleteAllRecent();           // Supprimertout button, CmdRecentSupprTout
void PurgeRecentAfterQuestion();  // FiltrerRacc button: asks, then PurgeRecentBefore
void PurgeRecentBefore();         // deletes the shortcuts created before the day of PurgeDate,
                                  // one by one; names those that stay, with why
// CmdRecentMorts: asks, then deletes the shortcuts whose local target is
// gone; names those that stay, with why.
void PurgeDeadRecentAfterQuestion();
void AddRecentEntry();            // CreerRacc button
void ShowRecentProperties();      // ProprietesRacc button, CmdRecentProprietes
void ShowRecentFolderDetails();   // DetailsRecents button
void OpenRecentEntry();           // CmdRecentOuvrir
void OpenRecentOnDoubleClick();   // double click or Enter on RecentList
// What that double click does with the entry at `path`: warns when it is
// gone or cannot be opened.
void OpenRecentPath(const std::wstring& path);

// Opens a file, shortcut or folder with the shell's default action (a
// shortcut starts its target). True when the shell accepted it.
bool OpenWithDefaultAction(const std::wstring& path);

// The text of PurgeDate as "dd/mm/yyyy"; empty when the field holds no day.
std::wstring PurgeDateText();

}  // namespace kelvane
