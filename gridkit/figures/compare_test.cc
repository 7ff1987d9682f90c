// Grid comparison: the tolerance rule, the figures of a pair, and the map of their difference.
#include "gridkit/figures/compare.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "gridkit/pictures/difference_map.h"
#include "gridkit/pictures/map.h"
#include "gridkit/testing_grids.h"

namespace gridkit {
namespace {

using fixtures::cell;
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

TEST(Compare, ToleranceIsAbsolutePlusRelativeToTheLargerValue) {
  EXPECT_TRUE(within_tolerance(2.0, 2.0, {}));
  EXPECT_FALSE(within_tolerance(2.0, std::nextafter(2.0, 3.0), {}));
  EXPECT_TRUE(within_tolerance(kNan, kNan, {}));
  EXPECT_FALSE(within_tolerance(kNan, 0.0, {1.0, 1.0}));
  EXPECT_TRUE(within_tolerance(1.0, 1.5, {0.5, 0.0}));
  EXPECT_FALSE(within_tolerance(1.0, 1.5, {0.25, 0.0}));
  // 0.5 <= 0.25 + 0.1 * 3 = 0.55 with the larger |b| = 3; not against |a| = 2.5 (0.5).
  EXPECT_TRUE(within_tolerance(2.5, 3.0, {0.25, 0.1}));
  EXPECT_TRUE(within_tolerance(3.0, 2.5, {0.25, 0.1}));
  EXPECT_FALSE(within_tolerance(2.5, 3.0, {0.0, 0.1}));
}

// A grid that blew up to infinity must never pass a check, however loose its tolerance.
TEST(Compare, InfinityIsWithinNoToleranceButItsOwn) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(within_tolerance(inf, inf, {1.0, 1e-12}));
  EXPECT_TRUE(within_tolerance(-inf, -inf, {}));
  for (const Tolerance tolerance : {Tolerance{0.0, 1e-12}, Tolerance{1e300, 1.0}}) {
    EXPECT_FALSE(within_tolerance(1.0, inf, tolerance));
    EXPECT_FALSE(within_tolerance(inf, -inf, tolerance));
    EXPECT_FALSE(within_tolerance(-inf, 0.0, tolerance));
    EXPECT_FALSE(within_tolerance(inf, kNan, tolerance));
  }
}

TEST(Compare, FiguresOfAPair) {
  Grid a, b;
  a.values[cell(1, 1)] = 1.0;
  b.values[cell(1, 1)] = 1.25;
  a.values[cell(5, 2)] = 4.0;  // -2, the largest difference, found first of two
  b.values[cell(5, 2)] = 2.0;
  b.values[cell(9, 9)] = 2.0;
  a.values[cell(326, 165)] = kNan;  // unreadable in A: no sum of B - A, but a differing cell
  b.values[cell(326, 165)] = 7.0;
  std::vector<CellDifference> cells;
  const GridComparison c = compare_grids(a, b, {0.5, 0.0}, &cells);
  EXPECT_EQ(c.sum_a, 5.0);
  EXPECT_EQ(c.sum_b, 12.25);
  EXPECT_EQ(c.sum_difference, 0.25);
  EXPECT_EQ(c.largest, -2.0);
  EXPECT_EQ(c.largest_column, 5);
  EXPECT_EQ(c.largest_row, 2);
  EXPECT_EQ(c.differing, 3);  // 0.25 is within the tolerance
  EXPECT_FALSE(c.identical);
  ASSERT_EQ(cells.size(), 3u);
  EXPECT_EQ(cells[0].column, 5);
  EXPECT_EQ(cells[2].row, 165);

  const GridComparison same = compare_grids(a, a, {}, nullptr);
  EXPECT_TRUE(same.identical);
  EXPECT_EQ(same.differing, 0);
  EXPECT_EQ(same.largest_column, 0);
}

TEST(Compare, DifferenceMapIsCentredOnZero) {
  EXPECT_EQ(diverging_colour(-1.0), (Rgb{33, 102, 172}));
  EXPECT_EQ(diverging_colour(0.0), (Rgb{247, 247, 247}));
  EXPECT_EQ(diverging_colour(1.0), (Rgb{178, 24, 43}));
  // The largest difference but one that rounds to the top end of the ramp.
  EXPECT_EQ(diverging_colour(std::nextafter(1.0, 0.0)), (Rgb{178, 24, 43}));
  Grid a, b;
  b.values[cell(1, 1)] = 4.0;
  b.values[cell(2, 1)] = -2.0;
  a.values[cell(3, 1)] = kNan;
  const Image image = draw_difference_map(a, b, 2);
  const MapLayout layout = map_layout(2);
  EXPECT_EQ(image.at(layout.cell_x(1), layout.cell_y(1)), diverging_colour(1.0));
  EXPECT_EQ(image.at(layout.cell_x(2), layout.cell_y(1)), diverging_colour(-0.5));
  EXPECT_EQ(image.at(layout.cell_x(3), layout.cell_y(1)), kUnknownDifferenceColour);
  EXPECT_EQ(image.at(layout.cell_x(4), layout.cell_y(1)), kNoDifferenceColour);
  // The legend bar runs from -4 to 4: its middle is the colour of 0.
  EXPECT_EQ(image.at(layout.margin + layout.map_width() / 2, layout.bar_top),
            diverging_colour(0.0));
}

}  // namespace
}  // namespace gridkit
