#pragma once
// What the benchmark harnesses share: medians and quartiles of their rounds,
// ratios of two sides measured side by side, and the "RESULT" lines that
// tools/bench.sh gathers into its table. Portable, so it is tested natively.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace kelvane::bench {

// A figure over rounds: the median and the first and third quartiles.
struct Spread {
  double median = 0;
  double low = 0;   // first quartile
  double high = 0;  // third quartile
  std::size_t rounds = 0;
};

// The value at fraction `at` (0 to 1) of the sorted values, interpolated
// between neighbours; 0 for no values.
inline double Quantile(std::vector<double> values, double at) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const double position = at * static_cast<double>(values.size() - 1);
  const auto below = static_cast<std::size_t>(position);
  if (below + 1 >= values.size()) return values.back();
  const double part = position - static_cast<double>(below);
  return values[below] + part * (values[below + 1] - values[below]);
}

inline double Median(const std::vector<double>& values) { return Quantile(values, 0.5); }

inline Spread SpreadOf(const std::vector<double>& values) {
  return {Quantile(values, 0.5), Quantile(values, 0.25), Quantile(values, 0.75), values.size()};
}

// About 95 % sure to hold the true median, whatever the distribution of the
// rounds: the sorted values of ranks floor(n/2 - 0.98 sqrt(n)) and
// ceil(n/2 + 1 + 0.98 sqrt(n)), counted from 1 (order statistics). It tells
// how finely a figure is resolved; with few rounds, simply the extremes.
inline std::pair<double, double> MedianInterval(std::vector<double> values) {
  if (values.empty()) return {0, 0};
  std::sort(values.begin(), values.end());
  const double n = static_cast<double>(values.size());
  const double reach = 0.98 * std::sqrt(n);
  const double low = std::max(1.0, std::floor(n / 2 - reach));
  const double high = std::min(n, std::ceil(n / 2 + 1 + reach));
  return {values[static_cast<std::size_t>(low) - 1], values[static_cast<std::size_t>(high) - 1]};
}

// Round by round, measured[i] / yardstick[i]: both sides of a round ran one
// after the other under the same load, so their ratio shows less of it than
// a ratio of medians taken apart. Rounds with a yardstick of zero are left out.
inline std::vector<double> RoundRatios(const std::vector<double>& measured, const std::vector<double>& yardstick) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < measured.size() && i < yardstick.size(); ++i) {
    if (yardstick[i] > 0) ratios.push_back(measured[i] / yardstick[i]);
  }
  return ratios;
}

// Round by round, measured[i] - yardstick[i].
inline std::vector<double> RoundDifferences(const std::vector<double>& measured,
                                            const std::vector<double>& yardstick) {
  std::vector<double> differences;
  for (std::size_t i = 0; i < measured.size() && i < yardstick.size(); ++i) {
    differences.push_back(measured[i] - yardstick[i]);
  }
  return differences;
}

// "RESULT name=median low=q1 high=q3 rounds=n": one figure for tools/bench.sh.
inline std::string ResultLine(const std::string& name, const Spread& spread) {
  char text[256];
  std::snprintf(text, sizeof text, "RESULT %s=%.4g low=%.4g high=%.4g rounds=%zu", name.c_str(), spread.median,
                spread.low, spread.high, spread.rounds);
  return text;
}

// A single measurement, without spread.
inline std::string ResultLine(const std::string& name, double value) {
  char text[160];
  std::snprintf(text, sizeof text, "RESULT %s=%.4g", name.c_str(), value);
  return text;
}

inline void PrintResult(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

// A figure's line in a harness's own report: median, quartiles, extremes.
inline void PrintSpread(const char* what, const std::vector<double>& values) {
  const Spread s = SpreadOf(values);
  std::printf("  %-34s median %8.1f   quartiles %8.1f - %8.1f   min %8.1f  max %8.1f\n", what, s.median, s.low,
              s.high, Quantile(values, 0), Quantile(values, 1));
}

}  // namespace kelvane::bench
