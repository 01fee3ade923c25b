#include "lists/favourite_list.h"

#include <iterator>
#include <stdexcept>

#include "lists/search_match.h"

namespace kelvane {

FavouriteList::FavouriteList(int kind) : kind_(kind) {}

void FavouriteList::BeginLoad() {
  loading_ = true;
  end_ = LoadEnd::Whole;
  changed_ = false;
}

ListEntry FavouriteList::At(std::size_t index) const {
  return {std::wstring(Name(index)), std::wstring(Target(index)), Icon(index)};
}

std::vector<ListEntry> FavouriteList::Entries() const {
  std::vector<ListEntry> entries;
  entries.reserve(Count());
  for (std::size_t index = 0; index < Count(); ++index) entries.push_back(At(index));
  return entries;
}

void FavouriteList::AppendLoaded(std::span<const ListEntry> batch) {
  for (const ListEntry& entry : batch) entries_.Append(entry.name, entry.target, entry.icon);
}

void FavouriteList::AppendLoaded(PackedEntries&& batch) { entries_.Append(std::move(batch)); }

void FavouriteList::EndLoad(LoadEnd end) {
  loading_ = false;
  end_ = end;
  changed_ = false;
}

int FavouriteList::FindName(std::wstring_view name) const {
  for (std::size_t index = 0; index < Count(); ++index) {
    if (SameNameIgnoringCase(Name(index), name)) return static_cast<int>(index);
  }
  return -1;
}

int FavouriteList::FindPrefix(std::wstring_view text) const {
  return FirstRowBeginningWith(
      static_cast<int>(Count()), [this](int row) { return std::wstring(Name(static_cast<std::size_t>(row))); }, text);
}

int FavouriteList::FindTyped(std::wstring_view text, std::size_t start) const {
  const std::size_t count = Count();
  for (std::size_t step = 0; step < count; ++step) {
    const std::size_t index = (start + step) % count;
    const std::wstring_view name = Name(index);
    if (name.size() >= text.size() && SameNameIgnoringCase(name.substr(0, text.size()), text)) {
      return static_cast<int>(index);
    }
  }
  return -1;
}

int FavouriteList::Add(ListEntry entry) {
  if (FindName(entry.name) >= 0) return -1;
  entries_.Append(entry.name, entry.target, entry.icon);
  Changed();
  return static_cast<int>(Count() - 1);
}

bool FavouriteList::Rename(std::size_t index, std::wstring name) {
  if (name.empty() || name == Name(index)) return false;
  entries_.Rename(index, name);
  Changed();
  return true;
}

void FavouriteList::Remove(std::size_t index) {
  if (index >= Count()) throw std::out_of_range("FavouriteList::Remove");
  entries_.Remove(index);
  Changed();
}

void FavouriteList::Clear() {
  if (entries_.Empty()) return;
  entries_.Clear();
  Changed();
}

void FavouriteList::SetIcon(std::size_t index, int icon) { entries_.SetIcon(index, icon); }

FavouriteList::Save FavouriteList::SaveDecision() const {
  if (loading_) return Save::NotYet;
  switch (end_) {
    case LoadEnd::Unreadable:
      // Only what the user has put in since, and beside the file.
      return entries_.Empty() ? Save::NotNeeded : Save::WriteBeside;
    case LoadEnd::KeptAsLoaded:
      return changed_ ? Save::Write : Save::NotNeeded;
    case LoadEnd::Whole:
      break;
  }
  return Save::Write;
}

void FavouriteList::Saved() {
  changed_ = false;
  if (end_ == LoadEnd::KeptAsLoaded) end_ = LoadEnd::Whole;
}

}  // namespace kelvane
