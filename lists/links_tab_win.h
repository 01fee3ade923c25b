#pragma once
// The Internet tab (tab 2): LinksList, kind 3, "MyLinks.txt": a name chosen
// by the user and the address exactly as typed.
#include "lists/favourite_tab_win.h"

namespace kelvane {

class LinksTab final : public FavouriteTab {
 public:
  LinksTab(ProgramContext& context, FavouriteStore& store);
  void Add();  // CmdAjoutLien
  void OpenEntry(const ListEntry& entry) override;

 private:
  void WarnNotOpened(const ListEntry& entry) override;
  std::wstring RemovalQuestion(const ListEntry& entry) const override;
  void AfterRemoval() override;
};

// The double click on a link, wherever it was chosen.
void OpenLinkEntry(HWND owner, const ListEntry& entry);

}  // namespace kelvane
