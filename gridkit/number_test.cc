// Reals as text: exact, short, and plain where that stays short.
#include "gridkit/number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace gridkit {
namespace {

TEST(FormatNumber, ShortestExactDigitsPlainOrWithExponent) {
  EXPECT_EQ(format_number(0.0), "0");
  EXPECT_EQ(format_number(-0.0), "0");
  EXPECT_EQ(format_number(12.5), "12.5");
  EXPECT_EQ(format_number(1000000.0), "1000000");
  EXPECT_EQ(format_number(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(format_number(-0.001), "-0.001");
  EXPECT_EQ(format_number(1e20), "1e+20");
  EXPECT_EQ(format_number(2.5e-7), "2.5e-07");
  EXPECT_EQ(format_number(std::numeric_limits<double>::quiet_NaN()), "nan");
}

}  // namespace
}  // namespace gridkit
