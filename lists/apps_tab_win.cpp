#include "lists/apps_tab_win.h"

#include "lists/list_commands_win.h"
#include "lists/list_loader_win.h"
#include "lists/list_store_win.h"
#include "toolkit/list_view_win.h"
#include "toolkit/requesters_win.h"
#include "toolkit/utf_win.h"

namespace kelvane {
namespace {

constexpr int kKind = kAppsKind;
constexpr int kTab = 0;

}  // namespace

void AddApplication(ProgramContext& context) {
  context.window->SelectTab(kTab);
  const std::wstring path = TheRequesters().OpenFile(ListOwner(), L"S\u00E9lectionner un fichier ex\u00E9cutable",
                                                     context.defaultAppsFolder, L"Fichiers EXE|*.exe");
  if (path.empty()) return;
  context.defaultAppsFolder = FolderPartOf(path);
  AddEntryUnlessDuplicate(kKind, {FileNamePartOf(path), path}, DuplicateOf::Application);
}

void StartSelectedApplications() {
  ForEachSelectedFromLast(kKind, [](int, const ListEntry& entry) {
    if (!StartTarget(entry.target)) {
      ShowMessage(ListOwner(), L"D\u00E9marrage programme", L"Impossible de d\u00E9marrer l'application " + entry.name,
                  kWarningBox);
    }
  });
}

void RenameSelectedApplications() { RenameSelectedEntries(kKind, L"Entrez le nouveau nom de votre application"); }

void ShowApplicationProperties() { ShowPropertiesOfSelected(kKind); }

void RemoveSelectedApplications() {
  RemoveSelectedEntries(
      kKind,
      [](const ListEntry& entry) {
        return L"\u00CAtes-vous s\u00FBr(e) de vouloir retirer " + entry.name + L" de votre liste ?";
      },
      [] { ShowListCount(kKind); });
}

void StartApplicationOnDoubleClick() {
  HWND list = ListView(kKind);
  const int row = list ? FirstSelectedRow(list) : -1;
  if (row < 0) return;
  StartApplicationEntry(EntryAt(kKind, row));
}

void StartApplicationEntry(const ListEntry& entry) {
  if (!PathExists(entry.target)) {
    ShowMessage(ListOwner(), L"Application...",
                L"Erreur!\nL'application n'est plus disponible.\nSoit elle a \u00E9t\u00E9 supprim\u00E9e, soit elle a "
                L"\u00E9t\u00E9 d\u00E9plac\u00E9e.",
                kWarningBox);
    return;
  }
  if (!StartTarget(entry.target)) {
    ShowMessage(ListOwner(), L"Application...", L"Impossible de d\u00E9marrer cette application.", kWarningBox);
  }
}

}  // namespace kelvane
