// Summary figures of known grids.
#include "gridkit/figures/stats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "gridkit/testing_grids.h"

namespace gridkit {
namespace {

using fixtures::cell;

TEST(Stats, ExtremesSumAndNonzeroCells) {
  Grid grid;
  grid.values[cell(1, 1)] = 2.5;
  grid.values[cell(326, 165)] = -1.25;
  grid.values[cell(7, 9)] = 0.125;
  grid.values[cell(8, 9)] = 0.25;
  const GridStats stats = compute_stats(grid, nullptr);
  EXPECT_EQ(stats.minimum, -1.25);
  EXPECT_EQ(stats.maximum, 2.5);
  EXPECT_EQ(stats.sum, 1.625);
  EXPECT_EQ(stats.nonzero, 4);
  EXPECT_EQ(stats.unreadable, 0);
  EXPECT_EQ(format_stats(stats, "g.txt", "text"),
            "file: g.txt\nformat: text\nminimum: -1.25\nmaximum: 2.5\nsum: 1.625\n"
            "nonzero cells: 4\n");
}

TEST(Stats, IboundSplitsTheSumIntoActiveAndInactiveCells) {
  Grid grid;
  for (double& value : grid.values) value = 1.0;
  Ibound ibound;
  for (int col = 1; col <= kNcol; ++col) ibound.flags[cell(col, 1)] = 0;  // north row inactive
  ibound.flags[cell(5, 5)] = -1;  // a negative flag is active
  grid.values[cell(5, 5)] = 10.0;
  const GridStats stats = compute_stats(grid, &ibound);
  EXPECT_EQ(stats.active_cells, 53790 - 326);
  EXPECT_EQ(stats.inactive_sum, 326.0);
  EXPECT_EQ(stats.active_sum, 53790.0 - 326.0 + 9.0);
  EXPECT_EQ(stats.sum, stats.active_sum + stats.inactive_sum);
  EXPECT_EQ(format_stats(stats, "g", "free"),
            "file: g\nformat: free\nminimum: 1\nmaximum: 10\nsum: 53799\nnonzero cells: 53790\n"
            "active cells: 53464\nsum over active cells: 53473\nsum over inactive cells: 326\n");
}

TEST(Stats, UnreadableCellsAreCountedApartAndLeftOutOfTheFigures) {
  Grid grid;
  for (double& value : grid.values) value = std::numeric_limits<double>::quiet_NaN();
  grid.values[cell(3, 3)] = 4.0;
  grid.values[cell(4, 3)] = 6.0;
  const GridStats stats = compute_stats(grid, nullptr);
  EXPECT_EQ(stats.unreadable, 53788);
  EXPECT_EQ(stats.minimum, 4.0);
  EXPECT_EQ(stats.maximum, 6.0);
  EXPECT_EQ(stats.sum, 10.0);
  EXPECT_NE(format_stats(stats, "g", "fixed").find("unreadable cells: 53788\n"), std::string::npos);
}

}  // namespace
}  // namespace gridkit
