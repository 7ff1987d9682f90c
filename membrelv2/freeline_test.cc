#include "membrelv2/freeline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace membrelv2 {
namespace {

TEST(FormatReal, AlwaysShowsDecimalPointWithShortestDigits) {
  EXPECT_EQ(format_real(5280), "5280.");
  EXPECT_EQ(format_real(14092806), "14092806.");
  EXPECT_EQ(format_real(0), "0.");
  EXPECT_EQ(format_real(0.3f), "0.3");
  EXPECT_EQ(format_real(-13.5f), "-13.5");
  EXPECT_EQ(format_real(123456789.0f), "123456792.");  // nine significant digits at most
  EXPECT_EQ(format_real(0.0001f), "0.0001");
}

TEST(FormatReal, ExponentFormOnlyWhenVeryLargeOrSmall) {
  EXPECT_EQ(format_real(1e10f), "1.E+10");
  EXPECT_EQ(format_real(2.5e-5f), "2.5E-05");
  EXPECT_EQ(format_real(-3.25e12f), "-3.25E+12");
}

TEST(FreeLine, NumbersBringTheirBlankTextFollowsDirectly) {
  EXPECT_EQ(FreeLine().integer(165).integer(326).real(5280).str(), " 165 326 5280.\n");
  EXPECT_EQ(FreeLine().text("..Processing year ").text("95  ").str(), " ..Processing year 95  \n");
  EXPECT_EQ(FreeLine().integer(3).real(30).integer(166).integer(10).text(" sw return flow 2").str(),
            " 3 30. 166 10 sw return flow 2\n");
  EXPECT_EQ(FreeLine().text("1995").real(4739).str(), " 1995 4739.\n");
}

std::string f61(float value) {
  char field[7] = {};
  put_f61(field, value);
  return field;
}

TEST(PutF61, SixCharactersOneDecimalRightJustified) {
  EXPECT_EQ(f61(13.5f), "  13.5");
  EXPECT_EQ(f61(0.04f), "   0.0");
  EXPECT_EQ(f61(0), "   0.0");
  EXPECT_EQ(f61(30), "  30.0");
  EXPECT_EQ(f61(9999.94f), "9999.9");
  EXPECT_EQ(f61(-999.94f), "-999.9");
  EXPECT_EQ(f61(3.375f), "   3.4");
}

TEST(PutF61, AsterisksWhenValueDoesNotFit) {
  EXPECT_EQ(f61(9999.95f), "******");
  EXPECT_EQ(f61(12345.6f), "******");
  EXPECT_EQ(f61(-999.95f), "******");
  EXPECT_EQ(f61(3e38f), "******");
  EXPECT_EQ(f61(std::numeric_limits<float>::quiet_NaN()), "******");
  EXPECT_EQ(f61(std::numeric_limits<float>::infinity()), "******");
}

TEST(AppendGrid, RowsOfExactly1956CharactersRowOneFirst) {
  static float values[kNcell];
  values[cell_index(1, 1)] = 1.25f;
  values[cell_index(326, 165)] = 7;
  std::string grid;
  append_grid(grid, values);
  ASSERT_EQ(grid.size(), 165u * 1957u);
  for (int row = 0; row < 165; ++row) EXPECT_EQ(grid[row * 1957 + 1956], '\n');
  EXPECT_EQ(grid.substr(0, 12), "   1.2   0.0");
  EXPECT_EQ(grid.substr(164 * 1957 + 1950, 7), "   7.0\n");
}

}  // namespace
}  // namespace membrelv2
