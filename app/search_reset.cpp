#include "app/search_reset.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include "app/app_state.h"
#include "app/folder_lists.h"
#include "app/panel_tabs.h"
#include "backup/folder_tree_win.h"
#include "lists/list_loader_win.h"
#include "lists/list_rules.h"
#include "lists/list_store_win.h"
#include "lists/list_sync_win.h"
#include "lists/search_match.h"
#include "recent/recent_tab_win.h"
#include "toolkit/list_view_win.h"
#include "toolkit/requesters_win.h"

namespace kelvane {
namespace {

constexpr wchar_t kSearchTitle[] = L"Recherche";
constexpr wchar_t kSearchPrompt[] =
    L"Entrez le nom ou une partie du nom de l'élément recherché (sensible à la casse)";
constexpr wchar_t kSearchFailedTitle[] = L"Echec de la Recherche";
constexpr wchar_t kSearchFailed[] =
    L"La recherche n'a pas aboutie. Essayer à nouveau en modifiant l'orthographe de l'élément cherché.";

constexpr wchar_t kResetTitle[] = L"Supprimer tout!";
constexpr wchar_t kResetQuestion[] =
    L"Êtes-vous sûr(e) de vouloir tout supprimer ?\nSi oui, toutes les listes seront effacées sans retour "
    L"possible. Le programme sera réinitialisé.";
constexpr wchar_t kResetDone[] = L"Toutes vos listes de favoris ont été supprimées!";
constexpr wchar_t kResetFailed[] =
    L"Une erreur est survenue, toutes vos listes de favoris n'ont pas pu être supprimées!\nEssayez de le faire "
    L"manuellement.";

void ExploreForReal(const std::wstring& folder) {
  ShellExecuteW(nullptr, L"explore", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

FolderOpener g_openFolder = ExploreForReal;

void Scroll(HWND list, WORD how) { SendMessageW(list, WM_VSCROLL, MAKEWPARAM(how, 0), 0); }

}  // namespace

int FindAndSelectIn(HWND list, int rowCount, const std::function<std::wstring(int)>& nameOfRow,
                    const std::wstring& text) {
  if (!list) return -1;
  const int found = FirstRowBeginningWith(rowCount, nameOfRow, text);
  Scroll(list, SB_TOP);
  // Not every list view takes SB_TOP (Wine's ignores it); showing the first
  // row comes to the same.
  if (rowCount > 0) SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
  if (found >= 0) {
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(found), TRUE);
    const auto perPage = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
    if (MatchNeedsPageDown(found, perPage)) {
      // The match stands at the bottom of the view: bring it near the top.
      Scroll(list, SB_PAGEDOWN);
      Scroll(list, SB_LINEUP);
    }
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(list, found, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageW(list, LVM_SETSELECTIONMARK, 0, found);
  }
  SetFocus(list);
  return found;
}

int FindAndSelect(int gadget, const std::wstring& text) {
  if (IsListKind(gadget)) {
    HWND list = ListView(gadget);
    if (!list) return -1;
    // Rows still coming from the list's file are part of the list.
    FinishListLoad(gadget);
    FavouriteStore& store = App().favourites;
    return FindAndSelectIn(list, EntryCount(store, gadget), [&store, gadget](int row) { return EntryAt(store, gadget, row).name; },
                           text);
  }
  ExplorerListControl* folderList = FolderList(gadget);
  if (!folderList) return -1;
  return FindAndSelectIn(folderList->Hwnd(), folderList->RowCount(),
                         [folderList](int row) { return folderList->RowName(row); }, text);
}

void SearchShownList() {
  const int gadget = SearchedListOfTab(CurrentTab());
  const auto text = TheRequesters().InputText(App().mainWindow, kSearchTitle, kSearchPrompt, L"");
  if (!text || text->empty()) return;
  if (FindAndSelect(gadget, *text) < 0) {
    ShowMessage(App().mainWindow, kSearchFailedTitle, kSearchFailed, kInformationBox);
  }
}

void ResetEverything() {
  AppState& app = App();
  if (!Ask(app.mainWindow, kResetTitle, kResetQuestion, MB_YESNO | MB_ICONWARNING)) return;
  for (int kind : kListKinds) {
    // A load still running would append its rows after the reset.
    FinishListLoad(kind);
    ClearEntries(app.favourites, kind);
    ShowListCount(app.favourites, kind);
  }
  SHAddToRecentDocs(SHARD_PATHA, nullptr);
  PointRecentListAtRecentFolder(App());
  // The data folder in use is ProfileFolder + "Tamorin Kelvane\" (empty when
  // that name was taken and the files live in the current folder: nothing
  // to remove then, which counts as a failure).
  const std::wstring folder = WithoutTrailingBackslash(app.dataFolder);
  StopWatchingListFolder();
  if (!folder.empty() && DeleteFolderTree(folder)) {
    ShowMessage(app.mainWindow, kResetTitle, kResetDone, kInformationBox);
  } else {
    ShowMessage(app.mainWindow, kResetTitle, kResetFailed, kWarningBox);
    g_openFolder(app.profileFolder);
  }
}

void SetFolderOpenerForTests(FolderOpener opener) { g_openFolder = opener ? opener : ExploreForReal; }

}  // namespace kelvane
