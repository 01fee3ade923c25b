#include "bench/bench_figures.h"

#include <gtest/gtest.h>

namespace kelvane::bench {
namespace {

TEST(BenchFigures, QuartilesInterpolateBetweenSortedRounds) {
  // Unsorted on purpose: the rounds come in the order they ran.
  const Spread odd = SpreadOf({9, 1, 5, 3, 7});
  EXPECT_DOUBLE_EQ(odd.median, 5);
  EXPECT_DOUBLE_EQ(odd.low, 3);
  EXPECT_DOUBLE_EQ(odd.high, 7);
  EXPECT_EQ(odd.rounds, 5u);

  EXPECT_DOUBLE_EQ(Median({4, 1, 2, 3}), 2.5);
  EXPECT_DOUBLE_EQ(Quantile({10, 20}, 0.25), 12.5);
  EXPECT_DOUBLE_EQ(Quantile({10, 20}, 1), 20);
  EXPECT_DOUBLE_EQ(Quantile({42}, 0.75), 42);
  EXPECT_DOUBLE_EQ(Median({}), 0);

  // 41 rounds 1..41 shuffled: the 14th and the 28th value, as the binomial
  // tables give for 95 %.
  std::vector<double> rounds;
  for (int i = 41; i >= 1; --i) rounds.push_back(i % 2 ? i : 42 - i);
  EXPECT_EQ(MedianInterval(rounds), std::make_pair(14.0, 28.0));
  EXPECT_EQ(MedianInterval({3, 1, 2}), std::make_pair(1.0, 3.0));  // few rounds: the extremes
}

TEST(BenchFigures, RoundsArePairedInOrder) {
  // A slow second round (the machine was busy) slows both sides alike: the
  // ratio of that round stays what the others say.
  const std::vector<double> measured{12, 240, 11};
  const std::vector<double> yardstick{10, 200, 10};
  const std::vector<double> ratios = RoundRatios(measured, yardstick);
  ASSERT_EQ(ratios.size(), 3u);
  EXPECT_DOUBLE_EQ(ratios[0], 1.2);
  EXPECT_DOUBLE_EQ(ratios[1], 1.2);
  EXPECT_DOUBLE_EQ(ratios[2], 1.1);
  EXPECT_EQ(RoundDifferences(measured, yardstick), (std::vector<double>{2, 40, 1}));

  // A failed yardstick round (zero) is left out rather than dividing by it;
  // an unmatched last round counts nowhere.
  EXPECT_EQ(RoundRatios({5, 6, 7}, {0, 3}), std::vector<double>{2});
  EXPECT_EQ(RoundDifferences({5, 6, 7}, {1, 1}), (std::vector<double>{4, 5}));
}

TEST(BenchFigures, ResultLinesAreWhatTheBenchScriptReads) {
  EXPECT_EQ(ResultLine("startup_shown_ratio", Spread{1.234567, 1.1, 1.35, 21}),
            "RESULT startup_shown_ratio=1.235 low=1.1 high=1.35 rounds=21");
  EXPECT_EQ(ResultLine("favourites_100000_private_mb", 31.25), "RESULT favourites_100000_private_mb=31.25");
  EXPECT_EQ(ResultLine("memory_1k_over_bare_mb", Spread{-0.5, -1, 0, 3}),
            "RESULT memory_1k_over_bare_mb=-0.5 low=-1 high=0 rounds=3");
}

}  // namespace
}  // namespace kelvane::bench
