#pragma once
// The Applications tab (tab 0): AppsList, kind 1, "MyApps.txt". The folder
// in which the add dialog opens is the program's default applications
// folder, which a successful pick moves to the picked file's folder until
// the program ends.
#include "lists/favourite_tab_win.h"

namespace kelvane {

class AppsTab final : public FavouriteTab {
 public:
  AppsTab(ProgramContext& context, FavouriteStore& store);
  void Add();  // CmdAjoutAppli
  void OpenEntry(const ListEntry& entry) override;

 private:
  void WarnNotOpened(const ListEntry& entry) override;
};

// The double click on an application, wherever it was chosen.
void StartApplicationEntry(HWND owner, const ListEntry& entry);

}  // namespace kelvane
