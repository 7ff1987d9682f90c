#include "tallisk/report.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tallisk {
namespace {

TEST(Irep, ShowsUnderTenAsZeroAndRoundsHalvesAwayFromZero) {
  EXPECT_EQ(irep(9.99), 0);
  EXPECT_EQ(irep(-9.99), 0);
  EXPECT_EQ(irep(10.0), 10);
  EXPECT_EQ(irep(-10.0), -10);
  EXPECT_EQ(irep(10.49), 10);
  EXPECT_EQ(irep(10.5), 11);
  EXPECT_EQ(irep(-10.5), -11);
  EXPECT_EQ(irep(2147483647.4), 2147483647);
  EXPECT_EQ(irep(2147483647.5), std::nullopt);
  EXPECT_EQ(irep(-2147483648.4), -2147483647 - 1);
  EXPECT_EQ(irep(-1e300), std::nullopt);
  EXPECT_EQ(irep(std::nan("")), std::nullopt);
}

TEST(NumberField, RightAlignsInTenOrShowsStars) {
  EXPECT_EQ(number_field(123.6), "       124");
  EXPECT_EQ(number_field(0.0), "         0");
  EXPECT_EQ(number_field(-12.5), "       -13");
  EXPECT_EQ(number_field(-999999999.0), "-999999999");
  EXPECT_EQ(number_field(-1000000000.0), "**********");
  EXPECT_EQ(number_field(2147483647.0), "2147483647");
  EXPECT_EQ(number_field(3e9), "**********");
  EXPECT_EQ(number_field(-std::nan("")), "**********");
}

}  // namespace
}  // namespace tallisk
