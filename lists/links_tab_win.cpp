#include "lists/links_tab_win.h"

#include "lists/list_commands_win.h"
#include "lists/list_loader_win.h"
#include "lists/list_store_win.h"
#include "toolkit/list_view_win.h"
#include "toolkit/requesters_win.h"

namespace kelvane {
namespace {

constexpr int kKind = kLinksKind;
constexpr int kTab = 2;

}  // namespace

void AddLink(ProgramContext& context) {
  context.window->SelectTab(kTab);
  Requesters& ask = TheRequesters();
  const std::wstring address = ask.InputText(ListOwner(), L"Ajouter un lien de site web",
                                             L"Saisissez l'adresse Internet de votre choix", L"https://")
                                   .value_or(L"");
  if (address.empty()) return;
  const std::wstring name = ask.InputText(ListOwner(), L"Nom du site web",
                                          L"Pour simplifier la gestion donnez un nom \u00E0 ce lien", L"")
                                .value_or(L"");
  if (name.empty()) return;
  AddEntryUnlessDuplicate(kKind, {name, address}, DuplicateOf::Link);
}

void OpenSelectedLinks() {
  ForEachSelectedFromLast(kKind, [](int, const ListEntry& entry) {
    if (!StartTarget(entry.target)) {
      ShowMessage(ListOwner(), L"Connexion...", L"Impossible de se connecter au site web " + entry.name, kWarningBox);
    }
  });
}

void RenameSelectedLinks() { RenameSelectedEntries(kKind, L"Entrez le nouveau nom pour votre application"); }

void RemoveSelectedLinks() {
  RemoveSelectedEntries(
      kKind,
      [](const ListEntry& entry) {
        return L"\u00CAtes-vous s\u00FBr(e) de vouloir supprimer " + entry.target + L" de votre liste ?";
      },
      [] { SetListHeader(kKind, LinksRemovedHeader(static_cast<size_t>(EntryCount(kKind)))); });
}

void OpenLinkOnDoubleClick() {
  HWND list = ListView(kKind);
  const int row = list ? FirstSelectedRow(list) : -1;
  if (row < 0) return;
  OpenLinkEntry(EntryAt(kKind, row));
}

void OpenLinkEntry(const ListEntry& entry) {
  if (!StartTarget(entry.target)) {
    ShowMessage(ListOwner(), L"Connexion...", L"Impossible de se connecter au site web", kWarningBox);
  }
}

}  // namespace kelvane
