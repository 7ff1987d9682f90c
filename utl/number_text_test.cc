// Reals as text: exact and short in both layouts, and where the two layouts differ.
#include "utl/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace utl {
namespace {

std::string shortest(double value) {
  std::string text;
  append_shortest(text, value);
  return text;
}

double read_back(const std::string& text) {
  double value = 0.0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_EQ(result.ptr, text.data() + text.size()) << text;
  return value;
}

TEST(PlainNumber, ShortestExactDigitsPlainOrWithExponent) {
  EXPECT_EQ(plain_number(0.0), "0");
  EXPECT_EQ(plain_number(-0.0), "0");
  EXPECT_EQ(plain_number(12.5), "12.5");
  EXPECT_EQ(plain_number(1000000.0), "1000000");
  EXPECT_EQ(plain_number(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(plain_number(-0.001), "-0.001");
  EXPECT_EQ(plain_number(1e20), "1e+20");
  EXPECT_EQ(plain_number(2.5e-7), "2.5e-07");
  EXPECT_EQ(plain_number(std::numeric_limits<double>::quiet_NaN()), "nan");
}

TEST(AppendShortest, AppendsTheLayoutOfToChars) {
  // shortest_test holds shortest_chars to std::to_chars; here only the appending.
  std::string text = "x,";
  append_shortest(text, 1697.5206356880606);
  EXPECT_EQ(text, "x,1697.5206356880606");
  EXPECT_EQ(shortest(std::numeric_limits<double>::infinity()), "inf");
}

// The two layouts keep the bytes of the files written with each; they part where a plain
// decimal is longer than its exponent form, and at a negative zero and a negative NaN.
TEST(NumberLayouts, BothReadBackExactlyAndDifferOnlyInLayout) {
  EXPECT_EQ(shortest(1000000.0), "1e+06");
  EXPECT_EQ(plain_number(1000000.0), "1000000");
  EXPECT_EQ(shortest(0.00001), "1e-05");
  EXPECT_EQ(plain_number(0.00001), "0.00001");
  EXPECT_EQ(shortest(1234567890123456.0), "1234567890123456");
  EXPECT_EQ(plain_number(1234567890123456.0), "1.234567890123456e+15");
  EXPECT_EQ(shortest(-0.0), "-0");
  EXPECT_EQ(plain_number(-0.0), "0");
  EXPECT_EQ(plain_number(-std::numeric_limits<double>::quiet_NaN()), "nan");
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> exponent(-30.0, 30.0);
  for (int i = 0; i < 100000; ++i) {
    const double value = (random() % 2 == 0 ? 1.0 : -1.0) * std::pow(10.0, exponent(random));
    ASSERT_EQ(read_back(shortest(value)), value);
    ASSERT_EQ(read_back(plain_number(value)), value);
    // Where both are plain decimals they are the same text.
    const std::string a = shortest(value);
    const std::string b = plain_number(value);
    if (a.find('e') == std::string::npos && b.find('e') == std::string::npos) {
      ASSERT_EQ(a, b);
    }
  }
}

}  // namespace
}  // namespace utl
