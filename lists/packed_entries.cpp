#include "lists/packed_entries.h"

#include <limits>
#include <stdexcept>
#include <utility>

namespace kelvane {
namespace {

constexpr std::size_t kMaxPool = std::numeric_limits<std::uint32_t>::max();

std::uint32_t Narrow(std::size_t value) {
  if (value > kMaxPool) throw std::length_error("PackedEntries: texts over 4 G characters");
  return static_cast<std::uint32_t>(value);
}

}  // namespace

void PackedEntries::Reserve(std::size_t entries, std::size_t chars) {
  slots_.reserve(slots_.size() + entries);
  pool_.reserve(pool_.size() + chars);
}

std::uint32_t PackedEntries::Put(std::wstring_view text) {
  const std::uint32_t at = Narrow(pool_.size());
  Narrow(pool_.size() + text.size());
  pool_.append(text);
  return at;
}

void PackedEntries::Append(std::wstring_view name, std::wstring_view target, int icon) {
  Slot slot{};
  slot.name = Put(name);
  slot.nameLength = static_cast<std::uint32_t>(name.size());
  slot.target = Put(target);
  slot.targetLength = static_cast<std::uint32_t>(target.size());
  slot.icon = icon;
  slots_.push_back(slot);
}

void PackedEntries::Append(PackedEntries&& other) {
  if (slots_.empty()) {
    *this = std::move(other);
    other.Clear();
    return;
  }
  const std::uint32_t shift = Narrow(pool_.size());
  Narrow(pool_.size() + other.pool_.size());
  pool_ += other.pool_;
  unused_ += other.unused_;
  slots_.reserve(slots_.size() + other.slots_.size());
  for (Slot slot : other.slots_) {
    slot.name += shift;
    slot.target += shift;
    slots_.push_back(slot);
  }
  other.Clear();
}

void PackedEntries::Rename(std::size_t index, std::wstring_view name) {
  Slot& slot = slots_.at(index);
  unused_ += slot.nameLength;
  // `name` may be a view of this pool, which the append may move.
  const std::wstring copy(name);
  slot.name = Put(copy);
  slot.nameLength = static_cast<std::uint32_t>(copy.size());
  DropUnusedTexts();
}

void PackedEntries::Remove(std::size_t index) {
  if (index >= slots_.size()) throw std::out_of_range("PackedEntries::Remove");
  unused_ += slots_[index].nameLength + slots_[index].targetLength;
  slots_.erase(slots_.begin() + static_cast<std::ptrdiff_t>(index));
  DropUnusedTexts();
}

void PackedEntries::Clear() {
  std::wstring().swap(pool_);
  std::vector<Slot>().swap(slots_);
  unused_ = 0;
}

void PackedEntries::DropUnusedTexts() {
  if (slots_.empty()) {
    Clear();
    return;
  }
  if (unused_ < 4096 || unused_ < pool_.size() / 2) return;
  PackedEntries packed;
  packed.Reserve(slots_.size(), pool_.size() - unused_);
  for (const Slot& slot : slots_) {
    packed.Append(Text(slot.name, slot.nameLength), Text(slot.target, slot.targetLength), slot.icon);
  }
  *this = std::move(packed);
}

PackedEntries PackedEntries::Adopt(std::wstring&& text, const std::vector<Place>& places) {
  PackedEntries packed;
  Narrow(text.size());
  std::size_t used = 0;
  packed.slots_.reserve(places.size());
  for (const Place& place : places) {
    if (place.name + place.nameLength > text.size() || place.target + place.targetLength > text.size()) {
      throw std::out_of_range("PackedEntries::Adopt");
    }
    packed.slots_.push_back({static_cast<std::uint32_t>(place.name), static_cast<std::uint32_t>(place.nameLength),
                             static_cast<std::uint32_t>(place.target),
                             static_cast<std::uint32_t>(place.targetLength), -1});
    used += place.nameLength + place.targetLength;
  }
  packed.pool_ = std::move(text);
  packed.unused_ = used < packed.pool_.size() ? packed.pool_.size() - used : 0;
  return packed;
}

}  // namespace kelvane
