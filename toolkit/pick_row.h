#pragma once
// One row of a pick list: what would be added (a name and its target), whether
// it is ticked, and, for a row shown unticked, why ("déjà présent").
#include <string>

namespace kelvane {

struct PickRow {
  std::wstring name;
  std::wstring target;
  std::wstring note;
  bool ticked = true;

  bool operator==(const PickRow&) const = default;
};

}  // namespace kelvane
