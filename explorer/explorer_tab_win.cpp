#include "explorer/explorer_tab_win.h"

#include <shellapi.h>
#include <commctrl.h>

#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "catalog/catalog.h"
#include "explorer/explorer_selection.h"
#include "explorer/file_clipboard_win.h"
#include "explorer/shell_file_ops_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/explorer_list_win.h"
#include "toolkit/page_gadgets_win.h"
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

HWND Owner(const ProgramContext& context) { return context.mainWindow; }

void SetPathText(const std::wstring& text) {
  if (HWND path = Gadget(kExplorerPath)) SetWindowTextW(path, text.c_str());
}

// The focused row when it is selected, else -1.
int FocusedSelectedRow(const ExplorerListControl& list) {
  const int row = list.FocusedRow();
  return row >= 0 && list.RowIsSelected(row) ? row : -1;
}

void ShowSpecialFolder(ProgramContext& context, int command, bool filesOnly = false) {
  ShowExplorerFolder(context, context.window ? context.window->DossiersMenuFolder(command) : std::wstring(), filesOnly);
}

constexpr wchar_t kErrorTitle[] = L"Erreur!";

// Left to right from x 0, 31 apart (closer on a narrow page); tooltips of
// group ToolTipExplorer. The clipboard buttons stand paste, show, empty.
constexpr ToolButtonDef kButtons[] = {
    {kExplRecharger, 28, L"RechargerRep"},
    {kExplDossiers, 18, L"SelectRepOuvrir"},
    {kExplNouveauDossier, 33, L"NouveauDossier"},
    {kExplCopier, 38, L"Copier"},
    {kExplColler, 39, L"Coller"},
    {kExplVoirPressePapier, 44, L"VoirPressePapier"},
    {kExplVider, 40, L"ViderPressePapier"},
    {kExplCopierVers, 37, L"CopierVers"},
    {kExplDeplacerVers, 32, L"DeplacerVers"},
    {kExplSupprimer, 6, L"Supprimer"},
    {kExplRecycler, 27, L"Recycler"},
    {kExplProprietes, 21, L"Proprietes"},
    {kExplAffichage, 29, L"OptionsAffichage"},
};

}  // namespace

ExplorerTab::ExplorerTab(ProgramContext& context) : context_(context) {}

// The tool row a few buttons at a time, then the list, then the path field.
bool ExplorerTab::BuildPart(PageBuilder& page, int part) {
  dpi_ = page.Dpi();
  if (part < ToolRowParts(kButtons)) {
    page.MakeToolRowPart(kButtons, 0, [](const wchar_t* key) { return CatalogText(L"ToolTipExplorer", key); }, part);
    return true;
  }
  const std::wstring& documents = context_.documentsFolder;
  if (part > ToolRowParts(kButtons)) {
    path_ = page.MakeGadget(kExplorerPath, WC_EDITW, documents.c_str(), WS_TABSTOP | ES_AUTOHSCROLL,
                            WS_EX_CLIENTEDGE, 0, page.Height() - page.S(22), page.Width(), page.S(22));
    return false;
  }
  const int top = page.S(kToolButtonHeight);
  // The list starts in the documents folder.
  const ExplorerListOptions options{
      .multipleSelection = true, .fullRowSelect = true, .acceptDrops = true, .displayMode = 3};
  list_ = page.MakeFolderList(kExplorerList, 0, top, page.Width(), page.Height() - page.S(47), documents, options);
  if (list_) list_->SetHeaderText(ExplorerCountHeader(list_->RowCount() - 1));
  return true;
}

void ExplorerTab::Layout(int pageWidth, int pageHeight) {
  PlaceToolRow(kButtons, 0, dpi_, pageWidth);
  SizeList(pageWidth, pageHeight - Scale(47, dpi_));
  if (path_) {
    RECT field{};
    GetWindowRect(path_, &field);
    SetWindowPos(path_, nullptr, 0, pageHeight - Scale(22, dpi_), pageWidth, field.bottom - field.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

std::wstring ExplorerCountHeader(int count) {
  return CatalogText(L"ToolTipExplorer", L"Contient") + L" " + std::to_wstring(count) + L" " +
         CatalogText(L"ToolTipExplorer", L"fichiersdossiers");
}

ExplorerListControl* ExplorerList(ProgramContext& context) { return context.window ? context.window->FolderList(kExplorerList) : nullptr; }

std::wstring ExplorerFolder(ProgramContext& context) {
  const ExplorerListControl* list = ExplorerList(context);
  return list ? list->Folder() : std::wstring();
}

std::wstring ExplorerHeaderText(ProgramContext& context) {
  const ExplorerListControl* list = ExplorerList(context);
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

void RewriteExplorerHeader(ProgramContext& context) {
  if (ExplorerListControl* list = ExplorerList(context)) list->SetHeaderText(ExplorerHeaderText(context));
}

void ShowExplorerFolder(ProgramContext& context, const std::wstring& folder, bool filesOnly) {
  ExplorerListControl* list = ExplorerList(context);
  if (!list) return;
  list->SetFolder(folder);
  State().filesOnlyFolder = filesOnly ? list->Folder() : std::wstring();
  SetPathText(list->Folder());
  RewriteExplorerHeader(context);
  UpdatePasteState(context, PasteScope::PasteOnly);
}

void ReloadExplorerFolder(ProgramContext& context) {
  if (const ExplorerListControl* list = ExplorerList(context)) {
    const std::wstring folder = list->Folder();
    ShowExplorerFolder(context, folder, !State().filesOnlyFolder.empty() && SamePath(State().filesOnlyFolder, folder));
  }
}

void SelectExplorerFolder(ProgramContext& context) {
  if (!ExplorerList(context)) return;
  const std::wstring chosen =
      TheRequesters().BrowseFolder(Owner(context), L"S\u00E9lectionnez un r\u00E9pertoire", context.documentsFolder);
  if (chosen.empty()) return;
  ShowExplorerFolder(context, WithTrailingBackslash(chosen));
}

void ShowDocumentsFolder(ProgramContext& context) { ShowSpecialFolder(context, CmdMesdocuments); }
void ShowPicturesFolder(ProgramContext& context) { ShowSpecialFolder(context, CmdMesimages); }
void ShowMusicFolder(ProgramContext& context) { ShowSpecialFolder(context, CmdMamusique); }
void ShowVideosFolder(ProgramContext& context) { ShowSpecialFolder(context, CmdMesvideos); }
void ShowDownloadsFolder(ProgramContext& context) { ShowSpecialFolder(context, CmdMesTelecharges); }
void ShowContactsFolder(ProgramContext& context) { ShowSpecialFolder(context, CmdMesContacts, true); }
void ShowFavoritesFolder(ProgramContext& context) { ShowSpecialFolder(context, CmdMyFavorites); }

void OnExplorerFolderChanged(ProgramContext& context) {
  const ExplorerListControl* list = ExplorerList(context);
  if (!list) return;
  SetPathText(list->Folder());
  RewriteExplorerHeader(context);
  UpdatePasteState(context, PasteScope::PasteOnly);
}

void OnExplorerRowsChanged(ProgramContext& context) { RewriteExplorerHeader(context); }

void OpenExplorerItem(ProgramContext& context) {
  const ExplorerListControl* list = ExplorerList(context);
  if (!list) return;
  const int row = FocusedSelectedRow(*list);
  if (row < 0) return;
  const std::wstring name = list->RowName(row);
  if (IsDotEntry(name)) return;
  const wchar_t* verb = list->RowIsFolder(row) ? L"explore" : L"open";
  if (g_shellExecute(verb, list->Folder() + name, SW_SHOWNORMAL) <= 32) {
    ShowMessage(Owner(context), kErrorTitle, L"Impossible d'ouvrir " + name, kErrorBox);
  }
}

void RenameExplorerItems(ProgramContext& context) {
  const ExplorerListControl* list = ExplorerList(context);
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
        TheRequesters().InputText(Owner(context), L"Renommer", L"Entrez le nouveau nom pour votre fichier", item.name);
    if (!answer || answer->empty()) continue;
    // A name with a separator would move the item elsewhere: refused as a
    // failed rename.
    if (item.folder) {
      if (!IsNameWithinFolder(*answer) ||
          !MoveFileW((folder + item.name + L"\\").c_str(), (folder + *answer + L"\\").c_str())) {
        ShowMessage(Owner(context), kErrorTitle,
                    L"Erreur, le dossier n'a pu \u00EAtre renomm\u00E9. Il est peut-\u00EAtre ouvert dans une autre "
                    L"application. Essayez ult\u00E9rieurement.",
                    kErrorBox);
      }
    } else if (!IsNameWithinFolder(*answer) ||
               !MoveFileW((folder + item.name).c_str(), (folder + *answer).c_str())) {
      ShowMessage(Owner(context), kErrorTitle,
                  L"Erreur, le fichier n'a pu \u00EAtre renomm\u00E9. Il est peut-\u00EAtre en cours d'utilisation, "
                  L"Essayez ult\u00E9rieurement.",
                  kErrorBox);
    }
  }
}

void CreateExplorerFolder(ProgramContext& context) {
  ExplorerListControl* list = ExplorerList(context);
  if (!list) return;
  if (list->Folder().empty()) {
    ShowMessage(Owner(context), L"ERREUR!", kNoFolderInDriveOverview, kWarningBox);
    return;
  }
  const auto name =
      TheRequesters().InputText(Owner(context), L"Cr\u00E9er un nouveau dossier", L"Saisissez le nom de votre nouveau dossier", L"");
  if (!name || name->empty()) return;
  // One level, inside the folder shown: "a\b" or "..\b" would reach elsewhere.
  const std::wstring folder = list->Folder();
  if (IsNameWithinFolder(*name) && CreateDirectoryW((folder + *name).c_str(), nullptr)) {
    list->Refresh();
    RewriteExplorerHeader(context);
  } else {
    ShowMessage(Owner(context), L"ERREUR!", L"Une erreur a emp\u00EAch\u00E9 la cr\u00E9ation de votre nouveau dossier.",
                kWarningBox);
  }
}

void ShowExplorerProperties(ProgramContext& context) {
  const ExplorerListControl* list = ExplorerList(context);
  if (!list) return;
  const int row = FocusedSelectedRow(*list);
  if (row >= 0) ShowProperties(list->Folder() + list->RowName(row));
}

void SearchOnPc(ProgramContext& context) { g_shellExecute(L"find", L"C:\\", SW_SHOW); }

void SetExplorerShellExecuteForTests(ShellExecuteFn execute) {
  g_shellExecute = execute ? execute : ShellExecuteForReal;
}

}  // namespace kelvane
