#include "lists/files_tab_win.h"

#include "lists/list_commands_win.h"
#include "lists/list_loader_win.h"
#include "lists/list_store_win.h"
#include "toolkit/list_view_win.h"
#include "toolkit/path_parts.h"
#include "toolkit/requesters_win.h"
#include "toolkit/utf_win.h"

namespace kelvane {
namespace {

constexpr int kKind = kFilesKind;
constexpr int kTab = 1;

}  // namespace

void AddFile(ProgramContext& context) {
  context.window->SelectTab(kTab);
  const std::wstring path = TheRequesters().OpenFile(ListOwner(), L"S\u00E9lectionner un fichier",
                                                     context.defaultFilesFolder, L"Tous fichiers (*.*)|*.*");
  if (path.empty()) return;
  context.defaultFilesFolder = FolderPartOf(path);
  AddEntryUnlessDuplicate(kKind, {FileNamePartOf(path), path}, DuplicateOf::File);
}

void AddFolder(ProgramContext& context) {
  context.window->SelectTab(kTab);
  // The shell gives a drive root with its backslash and other folders without.
  const std::wstring path = WithTrailingBackslash(
      TheRequesters().BrowseFolder(ListOwner(), L"S\u00E9lectionner un dossier", context.defaultFilesFolder));
  if (path.empty()) return;
  context.defaultFilesFolder = path;
  AddEntryUnlessDuplicate(kKind, {FolderNameOf(path), path}, DuplicateOf::Folder);
}

void OpenSelectedFiles() {
  ForEachSelectedFromLast(kKind, [](int, const ListEntry& entry) {
    if (!StartTarget(entry.target)) {
      ShowMessage(ListOwner(), L"Ouverture de fichier",
                  L"Impossible d'ouvrir le fichier dans son programme par d\u00E9faut", kWarningBox);
    }
  });
}

void RenameSelectedFiles() { RenameSelectedEntries(kKind, L"Entrez le nouveau nom de votre application"); }

void ShowFileProperties() { ShowPropertiesOfSelected(kKind); }

void RemoveSelectedFiles() {
  RemoveSelectedEntries(
      kKind,
      [](const ListEntry& entry) {
        return L"\u00CAtes-vous s\u00FBr(e) de vouloir retirer " + entry.name + L" de votre liste ?";
      },
      [] { ShowListCount(kKind); });
}

void OpenFileOnDoubleClick() {
  HWND list = ListView(kKind);
  const int row = list ? FirstSelectedRow(list) : -1;
  if (row < 0) return;
  OpenFileEntry(EntryAt(kKind, row));
}

void OpenFileEntry(const ListEntry& entry) {
  if (!PathExists(entry.target)) {
    ShowMessage(ListOwner(), L"Fichier...",
                L"Erreur!\nLe fichier n'est plus disponible.\nSoit il a \u00E9t\u00E9 supprim\u00E9, soit il a "
                L"\u00E9t\u00E9 d\u00E9plac\u00E9.",
                kWarningBox);
    return;
  }
  if (!StartTarget(entry.target)) {
    ShowMessage(ListOwner(), L"Fichier...", L"Impossible d'ouvrir ce fichier.", kWarningBox);
  }
}

}  // namespace kelvane
