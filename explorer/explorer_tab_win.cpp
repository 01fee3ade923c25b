#include "explorer/explorer_tab_win.h"

#include <shellapi.h>

#include "app/app_state.h"
#include "app/folder_lists.h"
#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "app/panel_tabs.h"
#include "app/popup_menus.h"
#include "catalog/catalog.h"
#include "explorer/explorer_selection.h"
#include "explorer/file_clipboard_win.h"
#include "explorer/shell_file_ops_win.h"
#include "toolkit/explorer_list_win.h"
#include "toolkit/path_parts.h"
#include "toolkit/requesters_win.h"
#include "toolkit/shell_icons_win.h"

namespace kelvane {
namespace {

INT_PTR ShellExecuteForReal(const wchar_t* verb, const std::wstring& file, int show) {
  return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, verb, file.c_str(), nullptr, nullptr, show));
}

ShellExecuteFn g_shellExecute = ShellExecuteForReal;

struct TabState {
  // The folder shown by the contacts jump, whose title counts " fichiers";
  // empty when another folder was shown since.
  std::wstring filesOnlyFolder;
};

TabState& State() {
  static TabState state;
  return state;
}

HWND Owner() { return App().mainWindow; }

void SetPathText(const std::wstring& text) {
  if (HWND path = Gadget(kExplorerPath)) SetWindowTextW(path, text.c_str());
}

// The focused row when it is selected, else -1.
int FocusedSelectedRow(const ExplorerListControl& list) {
  const int row = list.FocusedRow();
  return row >= 0 && list.RowIsSelected(row) ? row : -1;
}

void ShowSpecialFolder(int command, bool filesOnly = false) {
  ShowExplorerFolder(DossiersMenuFolder(command), filesOnly);
}

constexpr wchar_t kErrorTitle[] = L"Erreur!";

}  // namespace

ExplorerListControl* ExplorerList() { return FolderList(kExplorerList); }

std::wstring ExplorerFolder() {
  const ExplorerListControl* list = ExplorerList();
  return list ? list->Folder() : std::wstring();
}

std::wstring ExplorerHeaderText() {
  const ExplorerListControl* list = ExplorerList();
  if (!list) return ExplorerCountHeader(0);
  // An unreadable folder is not an empty one: the title says why.
  if (const DWORD error = list->ListingError()) {
    return L"Ce dossier ne peut \u00EAtre lu : " + ShellErrorText(error);
  }
  // Rows other than the parent entry: the same as the row count minus one
  // wherever ".." is shown, and still right where it is not (the drive
  // overview).
  int items = 0;
  const int rows = list->RowCount();
  for (int row = 0; row < rows; ++row) {
    if (!list->RowIsParent(row)) ++items;
  }
  const std::wstring& filesOnly = State().filesOnlyFolder;
  if (!filesOnly.empty() && SamePath(filesOnly, list->Folder())) {
    return CatalogText(L"ToolTipExplorer", L"Contient") + L" " + std::to_wstring(items) + L" fichiers";
  }
  return ExplorerCountHeader(items);
}

void RewriteExplorerHeader() {
  if (ExplorerListControl* list = ExplorerList()) list->SetHeaderText(ExplorerHeaderText());
}

void ShowExplorerFolder(const std::wstring& folder, bool filesOnly) {
  ExplorerListControl* list = ExplorerList();
  if (!list) return;
  list->SetFolder(folder);
  State().filesOnlyFolder = filesOnly ? list->Folder() : std::wstring();
  SetPathText(list->Folder());
  RewriteExplorerHeader();
  UpdatePasteState(PasteScope::PasteOnly);
}

void ReloadExplorerFolder() {
  if (const ExplorerListControl* list = ExplorerList()) {
    const std::wstring folder = list->Folder();
    ShowExplorerFolder(folder, !State().filesOnlyFolder.empty() && SamePath(State().filesOnlyFolder, folder));
  }
}

void SelectExplorerFolder() {
  if (!ExplorerList()) return;
  const std::wstring chosen =
      TheRequesters().BrowseFolder(Owner(), L"S\u00E9lectionnez un r\u00E9pertoire", App().documentsFolder);
  if (chosen.empty()) return;
  ShowExplorerFolder(WithTrailingBackslash(chosen));
}

void ShowDocumentsFolder() { ShowSpecialFolder(CmdMesdocuments); }
void ShowPicturesFolder() { ShowSpecialFolder(CmdMesimages); }
void ShowMusicFolder() { ShowSpecialFolder(CmdMamusique); }
void ShowVideosFolder() { ShowSpecialFolder(CmdMesvideos); }
void ShowDownloadsFolder() { ShowSpecialFolder(CmdMesTelecharges); }
void ShowContactsFolder() { ShowSpecialFolder(CmdMesContacts, true); }
void ShowFavoritesFolder() { ShowSpecialFolder(CmdMyFavorites); }

void OnExplorerFolderChanged() {
  const ExplorerListControl* list = ExplorerList();
  if (!list) return;
  SetPathText(list->Folder());
  RewriteExplorerHeader();
  UpdatePasteState(PasteScope::PasteOnly);
}

void OnExplorerRowsChanged() { RewriteExplorerHeader(); }

void OpenExplorerItem() {
  const ExplorerListControl* list = ExplorerList();
  if (!list) return;
  const int row = FocusedSelectedRow(*list);
  if (row < 0) return;
  const std::wstring name = list->RowName(row);
  if (IsDotEntry(name)) return;
  const wchar_t* verb = list->RowIsFolder(row) ? L"explore" : L"open";
  if (g_shellExecute(verb, list->Folder() + name, SW_SHOWNORMAL) <= 32) {
    ShowMessage(Owner(), kErrorTitle, L"Impossible d'ouvrir " + name, kErrorBox);
  }
}

void RenameExplorerItems() {
  const ExplorerListControl* list = ExplorerList();
  if (!list) return;
  // The rows as they are now: while a question is open the list follows the
  // disk (a rename just made moves rows), so indexes would not hold.
  struct Item {
    std::wstring name;
    bool folder;
  };
  std::vector<Item> items;
  const std::wstring folder = list->Folder();
  for (int row : list->SelectedRows()) {
    const std::wstring name = list->RowName(row);
    if (IsDotEntry(name) || list->RowIsParent(row) || list->RowIsDrive(row)) continue;
    items.push_back({name, list->RowIsFolder(row)});
  }
  for (const Item& item : items) {
    const auto answer =
        TheRequesters().InputText(Owner(), L"Renommer", L"Entrez le nouveau nom pour votre fichier", item.name);
    if (!answer || answer->empty()) continue;
    // A name with a separator would move the item elsewhere: refused as a
    // failed rename.
    if (item.folder) {
      if (!IsNameWithinFolder(*answer) ||
          !MoveFileW((folder + item.name + L"\\").c_str(), (folder + *answer + L"\\").c_str())) {
        ShowMessage(Owner(), kErrorTitle,
                    L"Erreur, le dossier n'a pu \u00EAtre renomm\u00E9. Il est peut-\u00EAtre ouvert dans une autre "
                    L"application. Essayez ult\u00E9rieurement.",
                    kErrorBox);
      }
    } else if (!IsNameWithinFolder(*answer) ||
               !MoveFileW((folder + item.name).c_str(), (folder + *answer).c_str())) {
      ShowMessage(Owner(), kErrorTitle,
                  L"Erreur, le fichier n'a pu \u00EAtre renomm\u00E9. Il est peut-\u00EAtre en cours d'utilisation, "
                  L"Essayez ult\u00E9rieurement.",
                  kErrorBox);
    }
  }
}

void CreateExplorerFolder() {
  ExplorerListControl* list = ExplorerList();
  if (!list) return;
  if (list->Folder().empty()) {
    ShowMessage(Owner(), L"ERREUR!", kNoFolderInDriveOverview, kWarningBox);
    return;
  }
  const auto name =
      TheRequesters().InputText(Owner(), L"Cr\u00E9er un nouveau dossier", L"Saisissez le nom de votre nouveau dossier", L"");
  if (!name || name->empty()) return;
  // One level, inside the folder shown: "a\b" or "..\b" would reach elsewhere.
  const std::wstring folder = list->Folder();
  if (IsNameWithinFolder(*name) && CreateDirectoryW((folder + *name).c_str(), nullptr)) {
    list->Refresh();
    RewriteExplorerHeader();
  } else {
    ShowMessage(Owner(), L"ERREUR!", L"Une erreur a emp\u00EAch\u00E9 la cr\u00E9ation de votre nouveau dossier.",
                kWarningBox);
  }
}

void ShowExplorerProperties() {
  const ExplorerListControl* list = ExplorerList();
  if (!list) return;
  const int row = FocusedSelectedRow(*list);
  if (row >= 0) ShowProperties(list->Folder() + list->RowName(row));
}

void SearchOnPc() { g_shellExecute(L"find", L"C:\\", SW_SHOW); }

void SetExplorerShellExecuteForTests(ShellExecuteFn execute) {
  g_shellExecute = execute ? execute : ShellExecuteForReal;
}

}  // namespace kelvane
