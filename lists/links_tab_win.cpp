#include "lists/links_tab_win.h"

#include "lists/list_commands_win.h"
#include "lists/list_store_win.h"
#include "toolkit/requesters_win.h"

namespace kelvane {

LinksTab::LinksTab(ProgramContext& context, FavouriteStore& store)
    : FavouriteTab(context, store, kLinksKind, 2,
                   {L"LiensWeb", L"AdresseWeb", L"Entrez le nouveau nom pour votre application"}) {}

void LinksTab::Add() {
  Show();
  Requesters& ask = TheRequesters();
  const std::wstring address = ask.InputText(Owner(), L"Ajouter un lien de site web",
                                             L"Saisissez l'adresse Internet de votre choix", L"https://")
                                   .value_or(L"");
  if (address.empty()) return;
  const std::wstring name =
      ask.InputText(Owner(), L"Nom du site web", L"Pour simplifier la gestion donnez un nom \u00E0 ce lien", L"")
          .value_or(L"");
  if (name.empty()) return;
  AddEntryUnlessDuplicate(Store(), Kind(), {name, address}, DuplicateOf::Link);
}

void LinksTab::OpenEntry(const ListEntry& entry) { OpenLinkEntry(Owner(), entry); }

void LinksTab::WarnNotOpened(const ListEntry& entry) {
  ShowMessage(Owner(), L"Connexion...", L"Impossible de se connecter au site web " + entry.name, kWarningBox);
}

std::wstring LinksTab::RemovalQuestion(const ListEntry& entry) const {
  return L"\u00CAtes-vous s\u00FBr(e) de vouloir supprimer " + entry.target + L" de votre liste ?";
}

void LinksTab::AfterRemoval() { SetListHeader(Kind(), LinksRemovedHeader(static_cast<size_t>(EntryCount(Store(), Kind())))); }

void OpenLinkEntry(HWND owner, const ListEntry& entry) {
  if (!StartTarget(entry.target)) {
    ShowMessage(owner, L"Connexion...", L"Impossible de se connecter au site web", kWarningBox);
  }
}

}  // namespace kelvane
