// Cell indices in grid order.
#include "utl/grid_geometry.h"

#include <gtest/gtest.h>

namespace utl {
namespace {

TEST(CellIndex, GridOrderAndBackForEveryCell) {
  // The offsets of the binary grid's worked example: 8 bytes a cell after the 4-byte count.
  EXPECT_EQ(4 + 8 * cell_index(1, 1), 4);
  EXPECT_EQ(4 + 8 * cell_index(326, 1), 2604);
  EXPECT_EQ(4 + 8 * cell_index(1, 2), 2612);
  EXPECT_EQ(cell_index(kNcol, kNrow), kNcell - 1);
  int expected = 0;
  for (int row = 1; row <= kNrow; ++row) {
    for (int column = 1; column <= kNcol; ++column) {
      const int index = cell_index(column, row);
      ASSERT_EQ(index, expected++);
      ASSERT_EQ(cell_column(index), column);
      ASSERT_EQ(cell_row(index), row);
    }
  }
}

}  // namespace
}  // namespace utl
