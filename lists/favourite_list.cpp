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

void FavouriteList::AppendLoaded(std::span<const ListEntry> batch) {
  entries_.insert(entries_.end(), batch.begin(), batch.end());
}

void FavouriteList::AppendLoaded(std::vector<ListEntry>&& batch) {
  if (entries_.empty()) {
    entries_ = std::move(batch);
  } else {
    entries_.insert(entries_.end(), std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()));
  }
}

void FavouriteList::EndLoad(LoadEnd end) {
  loading_ = false;
  end_ = end;
  changed_ = false;
}

int FavouriteList::FindName(std::wstring_view name) const {
  for (std::size_t index = 0; index < entries_.size(); ++index) {
    if (SameNameIgnoringCase(entries_[index].name, name)) return static_cast<int>(index);
  }
  return -1;
}

int FavouriteList::FindPrefix(std::wstring_view text) const {
  return FirstRowBeginningWith(
      static_cast<int>(entries_.size()), [this](int row) { return entries_[static_cast<std::size_t>(row)].name; },
      text);
}

int FavouriteList::FindTyped(std::wstring_view text, std::size_t start) const {
  const std::size_t count = entries_.size();
  for (std::size_t step = 0; step < count; ++step) {
    const std::size_t index = (start + step) % count;
    const std::wstring_view name = entries_[index].name;
    if (name.size() >= text.size() && SameNameIgnoringCase(name.substr(0, text.size()), text)) {
      return static_cast<int>(index);
    }
  }
  return -1;
}

int FavouriteList::Add(ListEntry entry) {
  if (FindName(entry.name) >= 0) return -1;
  entries_.push_back(std::move(entry));
  Changed();
  return static_cast<int>(entries_.size() - 1);
}

bool FavouriteList::Rename(std::size_t index, std::wstring name) {
  ListEntry& entry = entries_.at(index);
  if (name.empty() || name == entry.name) return false;
  entry.name = std::move(name);
  Changed();
  return true;
}

void FavouriteList::Remove(std::size_t index) {
  if (index >= entries_.size()) throw std::out_of_range("FavouriteList::Remove");
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
  Changed();
}

void FavouriteList::Clear() {
  if (entries_.empty()) return;
  std::vector<ListEntry>().swap(entries_);
  Changed();
}

void FavouriteList::SetIcon(std::size_t index, int icon) { entries_.at(index).icon = icon; }

FavouriteList::Save FavouriteList::SaveDecision() const {
  if (loading_) return Save::NotYet;
  switch (end_) {
    case LoadEnd::Unreadable:
      // Only what the user has put in since, and beside the file.
      return entries_.empty() ? Save::NotNeeded : Save::WriteBeside;
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
