#pragma once
// The program's texts by group and key, compiled in as one flat table and
// built once at start-up into per-group sorted arrays with a first-letter
// index. Lookups ignore case; a missing text yields NotFoundText.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

inline constexpr std::wstring_view kNotFoundText = L"##### String not found! #####";

// One pair of the compiled-in table: "_GROUP_" opens a group (text = its
// name), "_END_" ends the table, anything else is an entry of the last group.
struct CatalogPair {
  const wchar_t* name;
  const wchar_t* text;
};

// The program's own table, ending with an "_END_" pair.
extern const CatalogPair kCatalogTable[];

class Catalog {
 public:
  Catalog();
  ~Catalog();

  // Replaces whatever was built before. A null name ends the table like
  // "_END_" does; a null text counts as empty.
  void Build(const CatalogPair* table);
  std::wstring Text(std::wstring_view group, std::wstring_view key);  // remembers the group
  int GroupCount() const;
  int EntryCount() const;
  // Entries of a group (by name, any case); -1 when the group is absent.
  int EntriesInGroup(std::wstring_view group) const;

 private:
  struct Group {
    std::wstring name;  // upper-cased
    int32_t first = 1;
    int32_t last = 0;  // below first when the group is empty
    // Smallest entry number whose key begins with the code, 0 for none.
    std::array<int32_t, 256> index{};
  };
  struct Entry {
    std::wstring key;  // upper-cased
    std::wstring text;
  };

  size_t FindGroup(std::wstring_view group) const;  // 0 when absent

  std::vector<Group> groups_;    // [0] is the absent group
  std::vector<Entry> entries_;   // [0] unused, entries numbered from 1
  size_t remembered_ = 0;
};

// The process-wide catalog.
void BuildCatalog();
std::wstring CatalogText(std::wstring_view group, std::wstring_view key);

}  // namespace kelvane
