#pragma once
// The three favourite tabs and what sets them apart, kept as one row per
// list kind: the tab's place, its column titles and rename prompt, and the
// warnings when an entry does not open. A double click (on the tab or in the
// quick-open box) and the open command read the same row.
#include <windows.h>

#include <string>

#include "lists/favourite_tab_win.h"

namespace kelvane {

// The double click on an entry of the list of `kind`, wherever it was
// chosen: a target that is gone (files and applications) or that does not
// start is told in a warning box.
void OpenFavouriteEntry(HWND owner, int kind, const ListEntry& entry);

// A favourite tab that opens its entries as its kind's row says.
class FavouriteKindTab : public FavouriteTab {
 public:
  FavouriteKindTab(ProgramContext& context, FavouriteStore& store, int kind);
  void OpenEntry(const ListEntry& entry) override;

 protected:
  // Shows the tab, then the file dialog in `folder`; a picked file's folder
  // becomes `folder`. The path, or "" when cancelled.
  std::wstring PickFile(const wchar_t* title, std::wstring& folder, const wchar_t* filter);

 private:
  void WarnNotOpened(const ListEntry& entry) override;
};

// The Applications tab (tab 0): AppsList, kind 1, "MyApps.txt". The add
// dialog opens in the program's default applications folder, which a
// successful pick moves to the picked file's folder until the program ends.
class AppsTab final : public FavouriteKindTab {
 public:
  AppsTab(ProgramContext& context, FavouriteStore& store) : FavouriteKindTab(context, store, kAppsKind) {}
  void Add();  // CmdAjoutAppli
};

// The Fichiers tab (tab 1): FilesList, kind 2, "MyFiles.txt", files and
// folders mixed (a folder's target ends with a backslash). Both add dialogs
// open in the program's default files folder, which a successful pick moves
// to the picked file's folder or to the picked folder until the program ends.
class FilesTab final : public FavouriteKindTab {
 public:
  FilesTab(ProgramContext& context, FavouriteStore& store) : FavouriteKindTab(context, store, kFilesKind) {}
  void AddFile();    // CmdAjoutFichier
  void AddFolder();  // CmdAjoutDossier
};

// The Internet tab (tab 2): LinksList, kind 3, "MyLinks.txt": a name chosen
// by the user and the address exactly as typed.
class LinksTab final : public FavouriteKindTab {
 public:
  LinksTab(ProgramContext& context, FavouriteStore& store) : FavouriteKindTab(context, store, kLinksKind) {}
  void Add();  // CmdAjoutLien

 private:
  std::wstring RemovalQuestion(const ListEntry& entry) const override;
  void AfterRemoval() override;
};

}  // namespace kelvane
