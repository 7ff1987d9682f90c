#include "membrelv2/freeline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
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

// What a Fortran F6.1 edit descriptor reads from `field`: blanks ignored, and without a decimal
// point the last digit of the mantissa is the tenths.
double fortran_f61(const std::string& field) {
  std::string text;
  for (char c : field) {
    if (c != ' ') text += c;
  }
  const std::size_t exponent_at = text.find_first_of("EeDd");
  const std::string mantissa = text.substr(0, exponent_at);
  const int exponent =
      exponent_at == std::string::npos ? 0 : std::stoi(text.substr(exponent_at + 1));
  double value = std::stod(mantissa);
  if (mantissa.find('.') == std::string::npos) value /= 10;
  return value * std::pow(10.0, exponent);
}

// Too wide for one decimal: the most precise six characters that both readers take back.
TEST(PutF61, WideValuesKeepSixCharactersAndReadBack) {
  EXPECT_EQ(f61(18060.3f), "18060.");
  EXPECT_EQ(f61(9999.95f), "10000.");
  EXPECT_EQ(f61(99999.4f), "99999.");
  EXPECT_EQ(f61(123456.f), "1.23E5");
  EXPECT_EQ(f61(-999.95f), "-1000.");
  EXPECT_EQ(f61(-12345.6f), "-1.2E4");
  EXPECT_EQ(f61(3e38f), "3.0E38");
  EXPECT_EQ(f61(-3e38f), "-3.E38");
  for (const float value : {9999.95f, 18060.3f, 19874.8f, 99999.4f, 123456.f, 4.5e6f, -999.95f,
                            -12345.6f, -7.7e20f, 3e38f, -3e38f}) {
    const std::string field = f61(value);
    ASSERT_EQ(field.size(), 6u) << value;
    const double fortran = fortran_f61(field);
    const double plain = std::strtod(field.c_str(), nullptr);
    EXPECT_EQ(fortran, plain) << field;
    // Within half a unit of the last digit written: no digit is lost that six characters hold.
    EXPECT_LE(std::fabs(plain - value), 0.5 * std::fabs(value) * 1e-1) << field;
  }
  EXPECT_NEAR(std::strtod(f61(18060.3f).c_str(), nullptr), 18060.3, 0.5);
  EXPECT_NEAR(std::strtod(f61(123456.f).c_str(), nullptr), 123456, 500);
}

TEST(PutF61, AsterisksOnlyForNoNumber) {
  EXPECT_EQ(f61(std::numeric_limits<float>::quiet_NaN()), "******");
  EXPECT_EQ(f61(std::numeric_limits<float>::infinity()), "******");
  EXPECT_EQ(put_f61(std::string(6, ' ').data(), 12345.6f), F61::kWide);
  EXPECT_EQ(put_f61(std::string(6, ' ').data(), 1234.5f), F61::kFixed);
}

TEST(AppendGrid, WideCellsAreCountedFromTheFirst) {
  static float values[kNcell];
  values[cell_index(300, 100)] = 18060.f;
  values[cell_index(2, 165)] = -5000.f;
  std::string grid;
  WideCells wide;
  append_grid(grid, values, &wide);
  ASSERT_EQ(grid.size(), 165u * 1957u);
  EXPECT_EQ(wide.count, 2);
  EXPECT_EQ(wide.row, 100);
  EXPECT_EQ(wide.column, 300);
  EXPECT_EQ(wide.written, "18060.");
  EXPECT_EQ(grid.substr(99 * 1957 + 299 * 6, 6), "18060.");
  values[cell_index(300, 100)] = 0;
  values[cell_index(2, 165)] = 0;
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
