#pragma once
// The Fichiers tab (tab 1): FilesList, kind 2, "MyFiles.txt", files and
// folders mixed (a folder's target ends with a backslash). Both add dialogs
// open in the program's default files folder, which a successful pick moves
// to the picked file's folder or to the picked folder until the program ends.
#include "lists/favourite_tab_win.h"

namespace kelvane {

class FilesTab final : public FavouriteTab {
 public:
  FilesTab(ProgramContext& context, FavouriteStore& store);
  void AddFile();    // CmdAjoutFichier
  void AddFolder();  // CmdAjoutDossier
  void OpenEntry(const ListEntry& entry) override;

 private:
  void WarnNotOpened(const ListEntry& entry) override;
};

// The double click on a file, wherever it was chosen.
void OpenFileEntry(HWND owner, const ListEntry& entry);

}  // namespace kelvane
