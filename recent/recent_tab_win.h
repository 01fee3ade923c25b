#pragma once
// The Historique tab (tab 3): RecentList shows the shortcuts of the user's
// recent-items folder as they are on disk; the program keeps no list of its
// own. Its buttons, the commands of MenuRecents and the list's events.
#include <windows.h>

#include <string>

#include "settings/program_context_win.h"
#include "toolkit/tab_win.h"

namespace kelvane {

// The tab's gadgets: PurgeDate, the row of buttons and RecentList.
class RecentTab final : public FolderListTab {
 public:
  explicit RecentTab(ProgramContext& context);
  bool BuildPart(PageBuilder& page, int part) override;
  void Layout(int pageWidth, int pageHeight) override;

 private:
  void MakePurgeDate(PageBuilder& page);

  ProgramContext& context_;
};

// Points RecentList at the recent-items folder (listing it again) and
// rewrites its header. Run once the favourite lists are loaded, and by the
// reload button.
void PointRecentListAtRecentFolder(ProgramContext& context);
void ReloadRecentList(ProgramContext& context);          // RechargerRecents button
void UpdateRecentCountHeader(ProgramContext& context);   // after rows changed

void DeleteSelectedRecent(ProgramContext& context);      // SupprimerRacc button, CmdRecentSupprSelect
void DeleteAllRecent(ProgramContext& context);           // Supprimertout button, CmdRecentSupprTout
void PurgeRecentAfterQuestion(ProgramContext& context);  // FiltrerRacc button: asks, then PurgeRecentBefore
void PurgeRecentBefore(ProgramContext& context);         // deletes the shortcuts created before the day of PurgeDate,
                                  // one by one; names those that stay, with why
// CmdRecentMorts: asks, then deletes the shortcuts whose local target is
// gone; names those that stay, with why.
void PurgeDeadRecentAfterQuestion(ProgramContext& context);
void AddRecentEntry(ProgramContext& context);            // CreerRacc button
void ShowRecentProperties(ProgramContext& context);      // ProprietesRacc button, CmdRecentProprietes
void ShowRecentFolderDetails(ProgramContext& context);   // DetailsRecents button
void OpenRecentEntry(ProgramContext& context);           // CmdRecentOuvrir
void OpenRecentOnDoubleClick(ProgramContext& context);   // double click or Enter on RecentList
// What that double click does with the entry at `path`: warns when it is
// gone or cannot be opened.
void OpenRecentPath(ProgramContext& context, const std::wstring& path);

// Opens a file, shortcut or folder with the shell's default action (a
// shortcut starts its target). True when the shell accepted it.
bool OpenWithDefaultAction(const std::wstring& path);

// The text of PurgeDate as "dd/mm/yyyy"; empty when the field holds no day.
std::wstring PurgeDateText();

}  // namespace kelvane
