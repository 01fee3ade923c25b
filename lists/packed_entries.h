#pragma once
// The entries of a favourite list packed for size: every name and target in
// one text, each entry five 32-bit numbers (where its name and target are in
// that text, its icon). A list of 100,000 entries is then two heap blocks
// instead of 200,000, and a list read from its file keeps the file's decoded
// text as its texts, so handing it from the loader's thread to the window's
// is two moves.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

class PackedEntries {
 public:
  std::size_t Count() const { return slots_.size(); }
  bool Empty() const { return slots_.empty(); }
  std::wstring_view Name(std::size_t index) const {
    const Slot& slot = slots_.at(index);
    return Text(slot.name, slot.nameLength);
  }
  std::wstring_view Target(std::size_t index) const {
    const Slot& slot = slots_.at(index);
    return Text(slot.target, slot.targetLength);
  }
  int Icon(std::size_t index) const { return slots_.at(index).icon; }
  void SetIcon(std::size_t index, int icon) { slots_.at(index).icon = icon; }

  // Room for `entries` more entries and `chars` more characters.
  void Reserve(std::size_t entries, std::size_t chars);
  void Append(std::wstring_view name, std::wstring_view target, int icon = -1);
  // Appends every entry of `other`: taken whole when this holds none.
  void Append(PackedEntries&& other);
  void Rename(std::size_t index, std::wstring_view name);
  void Remove(std::size_t index);
  void Clear();

  // Entries whose texts are already in `text`, at the places given: the text
  // becomes the pool without a copy (see Adopt). Texts must lie inside it.
  struct Place {
    std::size_t name, nameLength, target, targetLength;
  };
  static PackedEntries Adopt(std::wstring&& text, const std::vector<Place>& places);

 private:
  struct Slot {
    std::uint32_t name, nameLength, target, targetLength;
    std::int32_t icon;
  };
  std::wstring_view Text(std::uint32_t at, std::uint32_t length) const { return {pool_.data() + at, length}; }
  std::uint32_t Put(std::wstring_view text);
  // Renamed and removed entries leave their texts behind: once those are most
  // of the pool, the live texts are copied into a new one.
  void DropUnusedTexts();

  std::wstring pool_;
  std::vector<Slot> slots_;
  std::size_t unused_ = 0;  // characters of the pool no entry uses
};

}  // namespace kelvane
