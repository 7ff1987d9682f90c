#include "utl/freeline.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>

namespace utl {
namespace {

std::string item(double value) {
  char out[kMaxRealItem];
  return std::string(out, static_cast<std::size_t>(format_real_item(out, value)));
}

TEST(FormatRealItem, AlwaysShowsARealAndItsSignColumn) {
  EXPECT_EQ(item(0.0), "  0.");
  EXPECT_EQ(item(5280.0), "  5280.");
  EXPECT_EQ(item(-0.25), " -0.25");
  EXPECT_EQ(item(1e22), "  1e+22");
  EXPECT_EQ(item(0.1), "  0.1");
}

TEST(FormatRealItem, ReadsBackToTheSameDouble) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 10000; ++i) {
    const double value = std::ldexp(static_cast<double>(random() >> 11), -30) *
                         (i % 2 ? 1.0 : -1e-5) * static_cast<double>(i % 97);
    const std::string text = item(value);
    double back = 1.0;
    const char* begin = text.data() + 2 - (value < 0 || std::signbit(value) ? 1 : 0);
    std::from_chars(begin, text.data() + text.size(), back);
    ASSERT_EQ(back, value) << text;
  }
}

TEST(FreeLine, EndsALineBeforeAnItemWouldReach80Columns) {
  FreeLine line;
  for (int i = 0; i < 38; ++i) line.real(12345.5);  // items of 9 characters, 8 a line
  const std::string text = line.finish();
  std::size_t start = 0;
  int lines = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    EXPECT_LT(end - start, 80u);
    EXPECT_EQ(end - start, lines < 4 ? 72u : 54u);
    start = end + 1;
    ++lines;
  }
  EXPECT_EQ(lines, 5);
}

TEST(FreeLine, TextStartingALineGetsTheLineStartBlank) {
  FreeLine line;
  line.integer(7);
  line.text(std::string(78, 't'));
  EXPECT_EQ(line.finish(), " 7\n " + std::string(78, 't') + "\n");
}

}  // namespace
}  // namespace utl
