#include "utl/shortest.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace utl {
namespace {

std::string ours(double value) {
  char out[kMaxShortest];
  return std::string(out, shortest_chars(out, value));
}

std::string library(double value) {
  char out[64];
  return std::string(out, std::to_chars(out, out + sizeof out, value).ptr);
}

// Compares both signs of `value`; returns the number of mismatches (each reported).
int mismatches(double value) {
  int bad = 0;
  for (const double v : {value, -value}) {
    const std::string expected = library(v);
    const std::string got = ours(v);
    if (got != expected) {
      ADD_FAILURE() << "bits " << std::bit_cast<std::uint64_t>(v) << ": " << got << " instead of "
                    << expected;
      ++bad;
    }
  }
  return bad;
}

TEST(ShortestChars, MatchesTheLibraryOnEdgeCases) {
  using limits = std::numeric_limits<double>;
  int bad = 0;
  const double edges[] = {0.0,
                          1.0,
                          0.1,
                          0.3,
                          0.6666666666666666,
                          5e-324,
                          1e-323,
                          2.225073858507201e-308,
                          2.2250738585072014e-308,
                          1.7976931348623157e308,
                          2.220446049250313e-16,
                          9007199254740991.0,
                          9007199254740992.0,
                          9007199254740993.0,
                          1e15,
                          1e16,
                          1e17,
                          123456789012345678.0,
                          1e21,
                          1e22,
                          1e23,
                          5e-5,
                          1e-4,
                          1.5e-4,
                          0.001,
                          12345.678,
                          100000.0,
                          1234567.0};
  bad += mismatches(limits::infinity()) + mismatches(limits::quiet_NaN());
  for (const double v : edges) {
    bad += mismatches(v);
  }
  EXPECT_EQ(ours(-0.0), "-0");
  EXPECT_EQ(ours(0.0), "0");
  EXPECT_EQ(bad, 0);
}

TEST(ShortestChars, MatchesTheLibraryNearPowersOfTenAndTwo) {
  int bad = 0;
  for (int e = -323; e <= 308 && bad < 20; ++e) {
    const std::string text = "1e" + std::to_string(e);
    double p = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), p);
    ASSERT_NE(p, 0.0) << text;
    double below = p;
    double above = p;
    bad += mismatches(p);
    for (int i = 0; i < 4; ++i) {
      below = std::nextafter(below, 0.0);
      above = std::nextafter(above, HUGE_VAL);
      bad += mismatches(below) + mismatches(above);
    }
  }
  // Powers of two have a closer neighbour below than above.
  for (int e = -1074; e <= 1023 && bad < 20; ++e) {
    const double p = std::ldexp(1.0, e);
    bad += mismatches(p) + mismatches(std::nextafter(p, 0.0)) +
           mismatches(std::nextafter(p, HUGE_VAL));
  }
  EXPECT_EQ(bad, 0);
}

TEST(ShortestChars, MatchesTheLibraryOnEveryExponent) {
  std::mt19937_64 random(2026);
  int bad = 0;
  for (std::uint64_t biased = 0; biased <= 0x7ff && bad < 20; ++biased) {
    for (int i = 0; i < 600; ++i) {
      std::uint64_t fraction = random() >> 12;
      if (i < 3) fraction = i == 0 ? 0 : i == 1 ? 1 : (std::uint64_t{1} << 52) - 1;
      bad += mismatches(std::bit_cast<double>(biased << 52 | fraction));
    }
  }
  EXPECT_EQ(bad, 0);
}

TEST(ShortestChars, MatchesTheLibraryOnRandomDoubles) {
  std::mt19937_64 random(8);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  int bad = 0;
  for (int i = 0; i < 1000000 && bad < 20; ++i) {
    // Any bit pattern; recharge-like quotients and products; short decimals; whole numbers.
    bad += mismatches(std::bit_cast<double>(random()));
    bad += mismatches(unit(random) * 1000.0 / (1.0 + static_cast<double>(random() % 3000)));
    bad += mismatches(static_cast<double>(random() % 100000000) /
                      std::pow(10.0, static_cast<double>(random() % 12)));
    bad += mismatches(static_cast<double>(random() >> (random() % 64)));
  }
  EXPECT_EQ(bad, 0);
}

}  // namespace
}  // namespace utl
