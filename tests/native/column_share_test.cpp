#include "toolkit/column_share.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace kelvane {
namespace {

int Sum(const std::vector<int>& widths) { return std::accumulate(widths.begin(), widths.end(), 0); }

TEST(ShareWidth, ProportionsMinimumsAndRoundingSumToTheWidth) {
  EXPECT_EQ(ShareWidth(400, {{55, 0}, {45, 0}}), (std::vector<int>{220, 180}));
  EXPECT_EQ(ShareWidth(101, {{1, 0}, {1, 0}, {1, 0}}), (std::vector<int>{35, 33, 33})) << "leftover to the first";
  // The date column below its minimum takes it; the others share the rest.
  EXPECT_EQ(ShareWidth(371, {{42, 0}, {14, 0}, {20, 0}, {24, 97}}), (std::vector<int>{152, 50, 72, 97}));
  // A held column pushes another below its own minimum in the next round.
  EXPECT_EQ(ShareWidth(200, {{6, 0}, {2, 60}, {2, 38}}), (std::vector<int>{102, 60, 38}));
  // Minimums that cannot all be met are dropped; no weight means equal shares.
  EXPECT_EQ(ShareWidth(100, {{1, 80}, {1, 80}}), (std::vector<int>{50, 50}));
  EXPECT_EQ(ShareWidth(90, {{0, 0}, {-2, 0}, {0, 0}}), (std::vector<int>{30, 30, 30}));
  EXPECT_EQ(ShareWidth(0, {{1, 10}}), (std::vector<int>{0}));
  EXPECT_TRUE(ShareWidth(300, {}).empty());
  for (int total = 1; total < 600; total += 7) {
    EXPECT_EQ(Sum(ShareWidth(total, {{42, 0}, {14, 40}, {20, 0}, {24, 97}})), total) << total;
  }
}

TEST(ShareWidth, DividerDragMovesTheBoundaryBetweenTwoColumns) {
  // The name column dragged 30 wider: the size column gives the 30.
  EXPECT_EQ(WeightsAfterDrag({190, 50, 60, 90}, 0, 360), (std::vector<double>{190, 20, 60, 90}));
  // Narrower: the next column takes the room.
  EXPECT_EQ(WeightsAfterDrag({100, 80}, 0, 220), (std::vector<double>{100, 120}));
  // The last column cannot widen the list.
  EXPECT_EQ(WeightsAfterDrag({120, 150}, 1, 220), (std::vector<double>{120, 100}));
  // Dragged over the whole list: the next keeps a sliver.
  EXPECT_EQ(WeightsAfterDrag({500, 100}, 0, 220), (std::vector<double>{500, 1}));
  EXPECT_EQ(WeightsAfterDrag({100, 100}, 5, 220), (std::vector<double>{100, 100}));
  EXPECT_EQ(ShareWidth(220, {{100, 0}, {120, 0}}), (std::vector<int>{100, 120})) << "kept as left";
}

}  // namespace
}  // namespace kelvane
