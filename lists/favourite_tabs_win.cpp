#include "lists/favourite_tabs_win.h"

#include "lists/list_commands_win.h"
#include "lists/list_rules.h"
#include "lists/list_store_win.h"
#include "toolkit/path_parts.h"
#include "toolkit/requesters_win.h"
#include "toolkit/utf_win.h"

namespace kelvane {
namespace {

struct FavouriteKind {
  int tabIndex;
  FavouriteTabTexts texts;
  // The double click's warnings; no `goneText`: the target is not looked for first.
  const wchar_t* openTitle;
  const wchar_t* goneText;
  const wchar_t* notStartedText;
  // The open command's warning, followed by the entry's name when `named`.
  const wchar_t* commandTitle;
  const wchar_t* commandText;
  bool named;
};

// By kind, from kAppsKind.
constexpr FavouriteKind kKinds[] = {
    {0,
     {L"Applications", L"Emplacement", L"Entrez le nouveau nom de votre application"},
     L"Application...",
     L"Erreur!\nL'application n'est plus disponible.\nSoit elle a \u00E9t\u00E9 supprim\u00E9e, soit elle a "
     L"\u00E9t\u00E9 d\u00E9plac\u00E9e.",
     L"Impossible de d\u00E9marrer cette application.",
     L"D\u00E9marrage programme",
     L"Impossible de d\u00E9marrer l'application ",
     true},
    {1,
     {L"FichiersDossiers", L"Emplacement", L"Entrez le nouveau nom de votre application"},
     L"Fichier...",
     L"Erreur!\nLe fichier n'est plus disponible.\nSoit il a \u00E9t\u00E9 supprim\u00E9, soit il a "
     L"\u00E9t\u00E9 d\u00E9plac\u00E9.",
     L"Impossible d'ouvrir ce fichier.",
     L"Ouverture de fichier",
     L"Impossible d'ouvrir le fichier dans son programme par d\u00E9faut",
     false},
    {2,
     {L"LiensWeb", L"AdresseWeb", L"Entrez le nouveau nom pour votre application"},
     L"Connexion...",
     nullptr,
     L"Impossible de se connecter au site web",
     L"Connexion...",
     L"Impossible de se connecter au site web ",
     true},
};

const FavouriteKind& KindRow(int kind) { return kKinds[kind - kAppsKind]; }

}  // namespace

void OpenFavouriteEntry(HWND owner, int kind, const ListEntry& entry) {
  const FavouriteKind& row = KindRow(kind);
  if (row.goneText && !PathExists(entry.target)) {
    ShowMessage(owner, row.openTitle, row.goneText, kWarningBox);
  } else if (!StartTarget(entry.target)) {
    ShowMessage(owner, row.openTitle, row.notStartedText, kWarningBox);
  }
}

FavouriteKindTab::FavouriteKindTab(ProgramContext& context, FavouriteStore& store, int kind)
    : FavouriteTab(context, store, kind, KindRow(kind).tabIndex, KindRow(kind).texts) {}

void FavouriteKindTab::OpenEntry(const ListEntry& entry) { OpenFavouriteEntry(Owner(), Kind(), entry); }

void FavouriteKindTab::WarnNotOpened(const ListEntry& entry) {
  const FavouriteKind& row = KindRow(Kind());
  std::wstring text = row.commandText;
  if (row.named) text += entry.name;
  ShowMessage(Owner(), row.commandTitle, text, kWarningBox);
}

std::wstring FavouriteKindTab::PickFile(const wchar_t* title, std::wstring& folder, const wchar_t* filter) {
  Show();
  const std::wstring path = TheRequesters().OpenFile(Owner(), title, folder, filter);
  if (!path.empty()) folder = FolderPartOf(path);
  return path;
}

void AppsTab::Add() {
  const std::wstring path =
      PickFile(L"S\u00E9lectionner un fichier ex\u00E9cutable", Context().defaultAppsFolder, L"Fichiers EXE|*.exe");
  if (!path.empty()) AddEntryUnlessDuplicate(Store(), Kind(), {FileNamePartOf(path), path}, DuplicateOf::Application);
}

void FilesTab::AddFile() {
  const std::wstring path =
      PickFile(L"S\u00E9lectionner un fichier", Context().defaultFilesFolder, L"Tous fichiers (*.*)|*.*");
  if (!path.empty()) AddEntryUnlessDuplicate(Store(), Kind(), {FileNamePartOf(path), path}, DuplicateOf::File);
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

std::wstring LinksTab::RemovalQuestion(const ListEntry& entry) const {
  return L"\u00CAtes-vous s\u00FBr(e) de vouloir supprimer " + entry.target + L" de votre liste ?";
}

void LinksTab::AfterRemoval() { SetListHeader(Kind(), LinksRemovedHeader(static_cast<size_t>(EntryCount(Store(), Kind())))); }

}  // namespace kelvane
