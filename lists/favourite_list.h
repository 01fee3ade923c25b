#pragma once
// One favourite list in memory: its entries in the order the user sees them,
// whether its file is still being read, and whether it may be written. The
// list views are to show it and the list files are written from it, so the
// rules of a list hold without any window.
//
// Loading: BeginLoad, any number of AppendLoaded batches, then EndLoad. While
// the load runs the list is never written (SaveDecision says so): a partly
// read list written over a complete file would lose the rest of it.
// A file that could not be read, or whose first line is no count, is left as
// it is until the user changes the list (then the first is written beside
// it, the second over it).
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lists/list_file.h"
#include "lists/list_rules.h"
#include "lists/packed_entries.h"

namespace kelvane {

class FavouriteList {
 public:
  // How a load ended.
  enum class LoadEnd {
    Whole,         // the file was read (or there was none)
    Unreadable,    // the file exists but could not be read
    KeptAsLoaded,  // read, but its first line was no count
  };
  // What a save should do now.
  enum class Save {
    Write,        // write the entries over the list's file
    WriteBeside,  // write them beside the unreadable file, never over it
    NotNeeded,    // nothing to write (unchanged since a file kept as loaded)
    NotYet,       // the load still runs
  };

  explicit FavouriteList(int kind);

  int Kind() const { return kind_; }
  std::size_t Count() const { return entries_.Count(); }
  bool Empty() const { return entries_.Empty(); }
  std::wstring_view Name(std::size_t index) const { return entries_.Name(index); }
  std::wstring_view Target(std::size_t index) const { return entries_.Target(index); }
  int Icon(std::size_t index) const { return entries_.Icon(index); }
  // Copies: the entries are kept packed (see PackedEntries).
  ListEntry At(std::size_t index) const;
  std::vector<ListEntry> Entries() const;

  void BeginLoad();
  void AppendLoaded(std::span<const ListEntry> batch);
  void AppendLoaded(PackedEntries&& batch);
  void EndLoad(LoadEnd end);
  bool Loading() const { return loading_; }
  bool FileUnreadable() const { return end_ == LoadEnd::Unreadable; }

  // Index of the entry named `name` as a whole, letter case ignored, or -1.
  int FindName(std::wstring_view name) const;
  // Index of the first entry whose name begins with `text` (letter case
  // significant), or -1.
  int FindPrefix(std::wstring_view text) const;
  // Type-ahead in the list view: the first entry from `start` on, going round
  // past the end, whose name begins with `text` with letter case ignored; -1.
  int FindTyped(std::wstring_view text, std::size_t start) const;

  // Appends unless another entry has that name (letter case ignored); the
  // index of the entry added, or -1 for a duplicate.
  int Add(ListEntry entry);
  // Empty names are not taken. True when the name changed.
  bool Rename(std::size_t index, std::wstring name);
  void Remove(std::size_t index);
  // Every entry goes (a reset, a list loaded again).
  void Clear();
  // Icons are not part of the file: setting one is no change to save.
  void SetIcon(std::size_t index, int icon);

  Save SaveDecision() const;
  // The file's bytes for the entries (see SerializeList).
  std::string Serialize() const { return SerializePacked(entries_); }
  // The entries were written: a list kept as loaded is an ordinary one now.
  void Saved();

 private:
  void Changed() { changed_ = true; }

  int kind_;
  PackedEntries entries_;
  bool loading_ = false;
  LoadEnd end_ = LoadEnd::Whole;
  bool changed_ = false;  // since the load ended or the last save
};

}  // namespace kelvane
