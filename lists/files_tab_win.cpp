#include "lists/files_tab_win.h"

#include "lists/list_commands_win.h"
#include "lists/list_store_win.h"
#include "toolkit/path_parts.h"
#include "toolkit/requesters_win.h"
#include "toolkit/utf_win.h"

namespace kelvane {

FilesTab::FilesTab(ProgramContext& context, FavouriteStore& store)
    : FavouriteTab(context, store, kFilesKind, 1,
                   {L"FichiersDossiers", L"Emplacement", L"Entrez le nouveau nom de votre application"}) {}

void FilesTab::AddFile() {
  Show();
  ProgramContext& context = Context();
  const std::wstring path = TheRequesters().OpenFile(Owner(), L"S\u00E9lectionner un fichier",
                                                     context.defaultFilesFolder, L"Tous fichiers (*.*)|*.*");
  if (path.empty()) return;
  context.defaultFilesFolder = FolderPartOf(path);
  AddEntryUnlessDuplicate(Store(), Kind(), {FileNamePartOf(path), path}, DuplicateOf::File);
}

void FilesTab::AddFolder() {
  Show();
  ProgramContext& context = Context();
  // The shell gives a drive root with its backslash and other folders without.
  const std::wstring path = WithTrailingBackslash(
      TheRequesters().BrowseFolder(Owner(), L"S\u00E9lectionner un dossier", context.defaultFilesFolder));
  if (path.empty()) return;
  context.defaultFilesFolder = path;
  AddEntryUnlessDuplicate(Store(), Kind(), {FolderNameOf(path), path}, DuplicateOf::Folder);
}

void FilesTab::OpenEntry(const ListEntry& entry) { OpenFileEntry(Owner(), entry); }

void FilesTab::WarnNotOpened(const ListEntry&) {
  ShowMessage(Owner(), L"Ouverture de fichier", L"Impossible d'ouvrir le fichier dans son programme par d\u00E9faut",
              kWarningBox);
}

void OpenFileEntry(HWND owner, const ListEntry& entry) {
  if (!PathExists(entry.target)) {
    ShowMessage(owner, L"Fichier...",
                L"Erreur!\nLe fichier n'est plus disponible.\nSoit il a \u00E9t\u00E9 supprim\u00E9, soit il a "
                L"\u00E9t\u00E9 d\u00E9plac\u00E9.",
                kWarningBox);
    return;
  }
  if (!StartTarget(entry.target)) {
    ShowMessage(owner, L"Fichier...", L"Impossible d'ouvrir ce fichier.", kWarningBox);
  }
}

}  // namespace kelvane
