#include "lists/favourite_tab_win.h"

#include <commctrl.h>

#include "catalog/catalog.h"
#include "lists/dead_targets_win.h"
#include "lists/list_commands_win.h"
#include "lists/list_store_win.h"
#include "toolkit/column_fit_win.h"
#include "toolkit/list_view_win.h"
#include "toolkit/page_gadgets_win.h"
#include "toolkit/requesters_win.h"

namespace kelvane {

FavouriteTab::FavouriteTab(ProgramContext& context, FavouriteStore& store, int kind, int index,
                           const FavouriteTabTexts& texts)
    : context_(context), store_(store), kind_(kind), index_(index), texts_(texts) {}

// The list view, then its columns: a part each.
bool FavouriteTab::BuildPart(PageBuilder& page, int part) {
  if (part == 0) {
    list_ = page.MakeList(kind_, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA, WS_EX_CLIENTEDGE,
                          LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_INFOTIP, 0, 0, page.Width(),
                          page.Height());
    return list_ != nullptr;
  }
  page.AddColumn(list_, 0, CatalogText(L"Panel", texts_.nameColumnKey), 400);
  page.AddColumn(list_, 1, CatalogText(L"Panel", texts_.targetColumnKey), 300);
  KeepColumnsFitted(list_, {{55, L""}, {45, L""}});
  GiveEmptyListHint(list_);
  return false;
}

void FavouriteTab::Layout(int pageWidth, int pageHeight) {
  if (list_) SetWindowPos(list_, nullptr, 0, 0, pageWidth, pageHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FavouriteTab::Show() const {
  if (context_.window) context_.window->SelectTab(index_);
}

void FavouriteTab::OpenSelected() {
  ForEachSelectedFromLast(store_, kind_, [this](int, const ListEntry& entry) {
    if (!StartTarget(entry.target)) WarnNotOpened(entry);
  });
}

void FavouriteTab::RenameSelected() { RenameSelectedEntries(store_, kind_, texts_.renamePrompt); }

void FavouriteTab::ShowSelectedProperties() { ShowPropertiesOfSelected(store_, kind_); }

void FavouriteTab::RemoveSelected() {
  RemoveSelectedEntries(
      store_, kind_, [this](const ListEntry& entry) { return RemovalQuestion(entry); }, [this] { AfterRemoval(); });
}

void FavouriteTab::RemoveDead() { RemoveDeadEntries(store_, kind_); }

void FavouriteTab::OpenOnDoubleClick() {
  const int row = list_ ? FirstSelectedRow(list_) : -1;
  if (row < 0 || row >= EntryCount(store_, kind_)) return;
  OpenEntry(EntryAt(store_, kind_, row));
}

std::wstring FavouriteTab::RemovalQuestion(const ListEntry& entry) const {
  return L"\u00CAtes-vous s\u00FBr(e) de vouloir retirer " + entry.name + L" de votre liste ?";
}

void FavouriteTab::AfterRemoval() { ShowListCount(store_, kind_); }

}  // namespace kelvane
