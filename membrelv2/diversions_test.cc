#include "membrelv2/diversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "membrelv2/freeread.h"
#include "membrelv2/stop.h"
#include "tests/support/stop_text.h"

namespace membrelv2 {
namespace {

using testsupport::stop_text;

// x and y of the centre of cell (column, row).
float centre_x(int column) { return 266023.0f + (static_cast<float>(column) - 0.5f) * 5280.0f; }
float centre_y(int row) { return 14964006.0f - (static_cast<float>(row) - 0.5f) * 5280.0f; }

TEST(Cellof, GridEdgesAndCellBoundaries) {
  EXPECT_EQ(cellof(266023, 14964006).column, 1);
  EXPECT_EQ(cellof(266023, 14964006).row, 1);
  EXPECT_EQ(cellof(1987303, 14500000).column, 327);  // east edge
  EXPECT_EQ(cellof(1987302, 14500000).column, 326);
  EXPECT_EQ(cellof(900000, 14092806).row, 166);   // south edge
  EXPECT_EQ(cellof(271303, 14958726).column, 2);  // boundaries go east and south
  EXPECT_EQ(cellof(271303, 14958726).row, 2);
  EXPECT_EQ(cellof(271302, 14958727).column, 1);
  EXPECT_EQ(cellof(271302, 14958727).row, 1);
}

TEST(Cellof, TruncatesTowardZeroAfterAddingOne) {
  // Less than one cell west of the west edge, or north of the north edge: 0, not 1.
  EXPECT_EQ(cellof(266022, 14964007).column, 0);
  EXPECT_EQ(cellof(266022, 14964007).row, 0);
  EXPECT_EQ(cellof(0, 0).column, -49);
  EXPECT_EQ(cellof(0, 0).row, 2835);
}

TEST(Cellof, CoordinatesHeldInSinglePrecision) {
  float y = 0;
  ASSERT_TRUE(parse_real("14958726.4", y));
  EXPECT_EQ(cellof(centre_x(5), y).row, 2);
  float x = 0;
  ASSERT_TRUE(parse_real("271302.9", x));  // 271302.906...: still west of the boundary
  EXPECT_EQ(cellof(x, centre_y(5)).column, 1);
}

TEST(Cellof, HugeCoordinatesClampTo32Bits) {
  EXPECT_EQ(cellof(3e38f, 3e38f).column, 2147483647);
  EXPECT_EQ(cellof(3e38f, 3e38f).row, -2147483648);
  EXPECT_EQ(cellof(-3e38f, -3e38f).column, -2147483648);
  EXPECT_EQ(cellof(-3e38f, -3e38f).row, 2147483647);
}

class Distribute : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int& flag : t.ibound) flag = 1;
    t.sysfac[1] = 0.4f;   // system type 0
    t.sysfac[2] = 0.25f;  // system type 1
  }
  // Puts tract (1, 1, 1, q) at (x, y).
  void place(int q, float x, float y) {
    t.xcoord[tract_index(1, 1, 1, q)] = x;
    t.ycoord[tract_index(1, 1, 1, q)] = y;
  }
  std::unique_ptr<Tables> owned = std::make_unique<Tables>();
  Tables& t = *owned;
  std::string listing;
};

TEST(ExceptionKind, ColumnFirstThenRowThenActivity) {
  auto owned = std::make_unique<Tables>();
  Tables& t = *owned;
  t.ibound[cell_index(3, 4)] = -1;
  EXPECT_EQ(exception_kind({327, 200}, t), ExceptionKind::kColumnOffGrid);
  EXPECT_EQ(exception_kind({0, 5}, t), ExceptionKind::kColumnOffGrid);
  EXPECT_EQ(exception_kind({326, 166}, t), ExceptionKind::kRowOffGrid);
  EXPECT_EQ(exception_kind({1, 0}, t), ExceptionKind::kRowOffGrid);
  EXPECT_EQ(exception_kind({5, 5}, t), ExceptionKind::kInactiveCell);
  EXPECT_EQ(exception_kind({3, 4}, t), ExceptionKind::kNone);  // a negative flag: active
}

TEST_F(Distribute, WorkedExampleOfTwoTractsOneGroup) {
  const std::string acreage = "7 1 1 1 1 30\n7 1 1 1 2 10\n";
  t.authgrp[7] = 40;
  place(1, centre_x(10), centre_y(20));
  place(2, centre_x(11), centre_y(20));
  const DiversionTotals totals = readdiv(FreeReader("7 0 100 35 1\n7 0 50 5 0\n", "d"), t);
  EXPECT_EQ(t.retgrp[7], 45.0f);
  EXPECT_EQ(t.acrgrp[7], 40.0f);
  EXPECT_EQ(totals.diversion, 150.0f);
  EXPECT_EQ(totals.unauthorized_acres, 0.0f);
  const Distribution result = distribute(FreeReader(acreage, "a"), t, listing);
  EXPECT_EQ(t.swret[cell_index(10, 20)], 33.75f);
  EXPECT_EQ(t.acres[cell_index(10, 20)], 30.0f);
  EXPECT_EQ(t.swret[cell_index(11, 20)], 11.25f);
  EXPECT_EQ(t.acres[cell_index(11, 20)], 10.0f);
  EXPECT_EQ(result.exceptions, 0);
  EXPECT_EQ(listing, "");
}

TEST_F(Distribute, ShareAndProductAreNotRoundedBeforeTheSum) {
  // Tract of 1 acre in a group of 3 with 5 of return flow: the share 1/3 times 5 rounded once,
  // when added, is 1.66666663; rounding the share to single precision first gives 1.66666675.
  t.authgrp[7] = 3;
  t.retgrp[7] = 5;
  t.acrgrp[7] = 7;
  place(1, centre_x(10), centre_y(20));
  distribute(FreeReader("7 1 1 1 1 1\n", "a"), t, listing);
  EXPECT_EQ(t.swret[cell_index(10, 20)], 1.66666663f);
  EXPECT_EQ(t.acres[cell_index(10, 20)], 2.33333325f);
}

TEST_F(Distribute, ExceptionsNumberedAcrossKindsInFileOrder) {
  t.ibound[cell_index(50, 60)] = 0;
  place(1, 1987303, centre_y(10));       // east edge: column 327
  place(2, centre_x(5), 14092806);       // south edge: row 166
  place(3, centre_x(50), centre_y(60));  // inactive cell
  place(4, 3e38f, -3e38f);               // off by column and row: listed once, kind 1
  place(5, centre_x(7), centre_y(8));    // on the grid
  t.authgrp[3] = 100;
  t.retgrp[3] = 50;
  t.acrgrp[3] = 80;
  const Distribution result = distribute(
      FreeReader(
          "3 1 1 1 1 10\n3 1 1 1 2 20\n3 1 1 1 3 30\n3 1 1 1 4 15\n3 1 1 1 6 5\n3 1 1 1 5 20\n",
          "a"),
      t, listing);
  EXPECT_EQ(listing,
            " 1 10. 10 327 sw return flow 1\n"
            " 2 20. 166 5 sw return flow 2\n"
            " 3 30. 60 50 sw return flow 3\n"
            " 4 15. 2147483647 2147483647 sw return flow 1\n"
            " 5 5. 2835 -49 sw return flow 1\n");
  EXPECT_EQ(result.exceptions, 5);
  EXPECT_EQ(t.swret[cell_index(7, 8)], 0.2f * 50);
  // 0.1, 0.2, 0.3, 0.15 and 0.05 of the group left off the grid, summed in that order.
  float lost = 0;
  for (float share : {0.1f, 0.2f, 0.3f, 0.15f, 0.05f}) lost += share * 50;
  EXPECT_EQ(result.lost_return, lost);
}

TEST_F(Distribute, TractsOfDifferentGroupsAddUpInOneCell) {
  place(1, centre_x(9), centre_y(9));
  place(2, centre_x(9) + 100, centre_y(9) - 100);
  t.authgrp[1] = 10;
  t.authgrp[2] = 4;
  readdiv(FreeReader("1 0 10 3 0\n2 0 20 6 1\n", "d"), t);
  distribute(FreeReader("1 1 1 1 1 10\n2 1 1 1 2 4\n", "a"), t, listing);
  EXPECT_EQ(t.swret[cell_index(9, 9)], 4.0f + 5.0f);
  EXPECT_EQ(t.acres[cell_index(9, 9)], 9.0f);
}

TEST_F(Distribute, GroupWithZeroAuthorizedTotalGivesNothingAndIsNotListed) {
  place(1, centre_x(9), centre_y(9));
  t.authgrp[4] = 0;  // +10 and -10
  readdiv(FreeReader("4 0 10 3 0\n", "d"), t);
  const Distribution result =
      distribute(FreeReader("4 1 1 1 1 10\n4 1 1 1 3 -10\n", "a"), t, listing);
  EXPECT_EQ(result.exceptions, 0);
  EXPECT_EQ(listing, "");
  EXPECT_EQ(t.swret[cell_index(9, 9)], 0.0f);
  EXPECT_FALSE(std::isnan(result.lost_return));
}

TEST_F(Distribute, DiversionsOfUnauthorizedGroupsAreTotalled) {
  t.authgrp[2] = -5;
  const DiversionTotals totals = readdiv(FreeReader("2 9 100 30 0\n3 9 10 7 1\n", "d"), t);
  EXPECT_EQ(totals.unauthorized_acres, 37.0f);
  EXPECT_EQ(totals.unauthorized_return, 40.0f + 2.5f);
  EXPECT_EQ(totals.diversion, 110.0f);
  EXPECT_EQ(t.retgrp[3], 2.5f);
}

TEST_F(Distribute, OnlyFirst500DiversionRecordsCount) {
  std::string text;
  for (int k = 0; k < 600; ++k) text += "1 0 1 2 0\n";
  const DiversionTotals totals = readdiv(FreeReader(text, "d"), t);
  EXPECT_EQ(totals.diversion, 500.0f);
  EXPECT_EQ(t.acrgrp[1], 1000.0f);
  EXPECT_TRUE(totals.over_limit);
  text.resize(500 * 10);
  EXPECT_FALSE(readdiv(FreeReader(text + "\n\n", "d"), t).over_limit);
}

TEST_F(Distribute, DiversionFileRangeAndNumberErrors) {
  EXPECT_EQ(stop_text([&] { readdiv(FreeReader("3001 0 1 1 0\n", "d"), t); }),
            "d line 1: group 3001 outside 1 to 3000");
  EXPECT_EQ(stop_text([&] { readdiv(FreeReader("1 0 1 1 12\n", "d"), t); }),
            "d line 1: system type 12 outside 0 to 11");
  EXPECT_EQ(stop_text([&] { readdiv(FreeReader("1 0 1 1 -1\n", "d"), t); }),
            "d line 1: system type -1 outside 0 to 11");
  EXPECT_EQ(stop_text([&] { readdiv(FreeReader("1 0 1 1 0.5\n", "d"), t); }),
            "d line 1: \"0.5\" is not an integer");
  EXPECT_EQ(readdiv(FreeReader("1 0 1 1", "d"), t).diversion, 0.0f);  // cut short: dropped
}

}  // namespace
}  // namespace membrelv2
