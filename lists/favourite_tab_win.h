#pragma once
// What the three favourite tabs share: a report list of one favourite list
// over the whole page (owner data: the rows are the model's, asked for as
// drawn), and the commands on its selected rows. Each tab says how it opens
// an entry and what it asks before a removal.
#include <windows.h>

#include <string>

#include "lists/favourite_store_win.h"
#include "lists/list_file.h"
#include "settings/program_context_win.h"
#include "toolkit/tab_win.h"

namespace kelvane {

struct FavouriteTabTexts {
  const wchar_t* nameColumnKey;    // group Panel
  const wchar_t* targetColumnKey;  // group Panel
  const wchar_t* renamePrompt;
};

class FavouriteTab : public Tab {
 public:
  // `kind` is the list's kind and gadget number; `index` the tab's place.
  FavouriteTab(ProgramContext& context, FavouriteStore& store, int kind, int index, const FavouriteTabTexts& texts);

  bool BuildPart(PageBuilder& page, int part) override;
  void Layout(int pageWidth, int pageHeight) override;

  HWND List() const { return list_; }

  void OpenSelected();    // from the last selected row to the first
  void RenameSelected();
  void ShowSelectedProperties();
  void RemoveSelected();  // each after its question
  void RemoveDead();      // the entries whose target is gone, after a pick list
  void OpenOnDoubleClick();

  // What a double click does with an entry, wherever it was chosen.
  virtual void OpenEntry(const ListEntry& entry) = 0;

 protected:
  ProgramContext& Context() const { return context_; }
  FavouriteStore& Store() const { return store_; }
  int Kind() const { return kind_; }
  HWND Owner() const { return context_.mainWindow; }
  // Shows the tab, for a command that adds to its list.
  void Show() const;

  // Tells that the open command could not open `entry`.
  virtual void WarnNotOpened(const ListEntry& entry) = 0;
  virtual std::wstring RemovalQuestion(const ListEntry& entry) const;
  // Rewrites the header after a removal: the count by default.
  virtual void AfterRemoval();

 private:
  ProgramContext& context_;
  FavouriteStore& store_;
  int kind_;
  int index_;
  FavouriteTabTexts texts_;
  HWND list_ = nullptr;
};

}  // namespace kelvane
