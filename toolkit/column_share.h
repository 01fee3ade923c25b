#pragma once
// How the columns of a list share its width: in proportions, each at least
// as wide as it must be, summing to the width exactly so that the list
// never needs a horizontal scroll bar.
#include <vector>

namespace kelvane {

struct ColumnShare {
  double weight = 1;  // share of the width, relative to the other columns'
  int minimum = 0;    // pixels
};

// Widths that sum to `total` (none below 0): proportional to the weights,
// a column whose share falls below its minimum raised to it at the others'
// expense. When the minimums alone exceed the width, the weights decide
// alone. The pixels left by rounding go to the first column left free.
std::vector<int> ShareWidth(int total, const std::vector<ColumnShare>& columns);

// The proportions a divider drag leaves: `widths` as the user left them
// after dragging the right edge of `column`. The next column gives or
// takes the difference, as if the divider between the two had moved, so
// that the list keeps its width; the last column's edge cannot change the
// total, so that column gets what the others leave.
std::vector<double> WeightsAfterDrag(const std::vector<int>& widths, int column, int total);

}  // namespace kelvane
