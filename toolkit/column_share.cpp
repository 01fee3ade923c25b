#include "toolkit/column_share.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>

namespace kelvane {

std::vector<int> ShareWidth(int total, const std::vector<ColumnShare>& columns) {
  const std::size_t n = columns.size();
  std::vector<int> widths(n, 0);
  if (n == 0 || total <= 0) return widths;
  std::vector<double> weights(n);
  for (std::size_t i = 0; i < n; ++i) weights[i] = std::max(columns[i].weight, 0.0);
  // No weight at all: equal shares.
  if (std::accumulate(weights.begin(), weights.end(), 0.0) <= 0) std::fill(weights.begin(), weights.end(), 1.0);
  int minimums = 0;
  for (const ColumnShare& c : columns) minimums += std::max(c.minimum, 0);
  const bool keepMinimums = minimums <= total;

  // Columns held at their minimum; each round may push more below theirs.
  std::vector<bool> held(n, false);
  double free = total;
  double freeWeight = 0;
  for (std::size_t round = 0; round <= n; ++round) {
    free = total;
    freeWeight = 0;
    for (std::size_t i = 0; i < n; ++i) {
      if (held[i]) {
        free -= columns[i].minimum;
      } else {
        freeWeight += weights[i];
      }
    }
    bool changed = false;
    for (std::size_t i = 0; keepMinimums && i < n; ++i) {
      if (held[i] || columns[i].minimum <= 0) continue;
      const double share = freeWeight > 0 ? free * weights[i] / freeWeight : 0;
      if (share < columns[i].minimum) {
        held[i] = true;
        changed = true;
      }
    }
    if (!changed) break;
  }

  int used = 0;
  for (std::size_t i = 0; i < n; ++i) {
    widths[i] = held[i] ? columns[i].minimum
                        : (freeWeight > 0 ? static_cast<int>(std::floor(free * weights[i] / freeWeight)) : 0);
    used += widths[i];
  }
  const auto first = std::find(held.begin(), held.end(), false);
  widths[first == held.end() ? 0 : static_cast<std::size_t>(first - held.begin())] += total - used;
  return widths;
}

std::vector<double> WeightsAfterDrag(const std::vector<int>& widths, int column, int total) {
  std::vector<double> weights(widths.begin(), widths.end());
  if (weights.empty() || column < 0 || static_cast<std::size_t>(column) >= weights.size()) return weights;
  const double sum = std::accumulate(weights.begin(), weights.end(), 0.0);
  const std::size_t taker =
      static_cast<std::size_t>(column) + 1 < weights.size() ? static_cast<std::size_t>(column) + 1 : weights.size() - 1;
  weights[taker] += total - sum;
  // A column dragged over the whole list leaves the next one a sliver.
  for (double& w : weights) w = std::max(w, 1.0);
  return weights;
}

}  // namespace kelvane
