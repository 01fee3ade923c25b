#include "lists/apps_tab_win.h"

#include "lists/list_commands_win.h"
#include "lists/list_store_win.h"
#include "toolkit/requesters_win.h"
#include "toolkit/utf_win.h"

namespace kelvane {

AppsTab::AppsTab(ProgramContext& context, FavouriteStore& store)
    : FavouriteTab(context, store, kAppsKind, 0,
                   {L"Applications", L"Emplacement", L"Entrez le nouveau nom de votre application"}) {}

void AppsTab::Add() {
  Show();
  ProgramContext& context = Context();
  const std::wstring path = TheRequesters().OpenFile(Owner(), L"S\u00E9lectionner un fichier ex\u00E9cutable",
                                                     context.defaultAppsFolder, L"Fichiers EXE|*.exe");
  if (path.empty()) return;
  context.defaultAppsFolder = FolderPartOf(path);
  AddEntryUnlessDuplicate(Store(), Kind(), {FileNamePartOf(path), path}, DuplicateOf::Application);
}

void AppsTab::OpenEntry(const ListEntry& entry) { StartApplicationEntry(Owner(), entry); }

void AppsTab::WarnNotOpened(const ListEntry& entry) {
  ShowMessage(Owner(), L"D\u00E9marrage programme", L"Impossible de d\u00E9marrer l'application " + entry.name,
              kWarningBox);
}

void StartApplicationEntry(HWND owner, const ListEntry& entry) {
  if (!PathExists(entry.target)) {
    ShowMessage(owner, L"Application...",
                L"Erreur!\nL'application n'est plus disponible.\nSoit elle a \u00E9t\u00E9 supprim\u00E9e, soit elle a "
                L"\u00E9t\u00E9 d\u00E9plac\u00E9e.",
                kWarningBox);
    return;
  }
  if (!StartTarget(entry.target)) {
    ShowMessage(owner, L"Application...", L"Impossible de d\u00E9marrer cette application.", kWarningBox);
  }
}

}  // namespace kelvane
