// Spline fit and evaluation, and interpolation in sorted tables.
#include "utl/interp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/stop_text.h"
#include "utl/fatal.h"
#include "utl/freeline.h"

namespace utl {
namespace {

using V = std::vector<double>;

// The diagnostic text of a fatal stop raised by `call`, or "" when it returns normally.
using testsupport::stop_text;

// The stop of binfind for `xv`: the message, a blank item and the real item.
std::string out_of_range(double xv) {
  std::string item(kMaxRealItem, ' ');
  item.resize(static_cast<std::size_t>(format_real_item(item.data(), xv)));
  return " Value out of range in BINFIND " + item + "\n";
}

V fit(const V& x, const V& y, const V& xe, int linear) {
  V ye(xe.size(), -99.0);
  spline(x, y, static_cast<int>(x.size()), xe, ye, static_cast<int>(xe.size()), linear);
  return ye;
}

TEST(Spline, QuadraticCarriesSlopeFromTheStraightFirstSegment) {
  const V x{0, 1, 2, 3};
  const V y{0, 1, 4, 9};
  // Segment 2: slope 1 and c = 2, so 1.5 gives 1 + 0.5 + 0.5; segment 3 inherits slope 5 and is
  // straight (c = 0), so 2.5 gives 4 + 2.5, not the parabola's 6.25.
  EXPECT_EQ(fit(x, y, {0.5, 1.5, 2.5}, 0), (V{0.5, 2.0, 6.5}));
  EXPECT_EQ(fit(x, y, {0.5, 1.5, 2.5}, 1), (V{0.5, 2.5, 6.5}));
  // Any value but 1 selects the quadratic.
  EXPECT_EQ(fit(x, y, {1.5}, 2), (V{2.0}));
}

TEST(Spline, KnotsAndEndsGiveTheirOwnValues) {
  const V x{0, 1, 2, 3};
  const V y{0, 1, 4, 9};
  for (int linear : {0, 1}) {
    EXPECT_EQ(fit(x, y, {0, 1, 2, 3}, linear), y) << linear;
  }
}

TEST(Spline, TwoKnotsGiveTheStraightLineInBothModes) {
  EXPECT_EQ(fit({1, 3}, {2, 6}, {1, 2, 2.5, 3}, 0), (V{2, 4, 5, 6}));
  EXPECT_EQ(fit({1, 3}, {2, 6}, {1, 2, 2.5, 3}, 1), (V{2, 4, 5, 6}));
}

TEST(Spline, ValuesAreBitExactInTheFittingOrder) {
  // Reference values evaluated independently as y + b*d + c*d^2 with the same coefficients;
  // the Horner form y + (b + c*d)*d differs in the last bits at these points.
  const V ye = fit({0.0, 0.7, 1.3, 2.9}, {0.3, 1.1, 0.2, 5.5}, {1.0, 2.1, 2.5}, 0);
  EXPECT_EQ(ye, (V{1.0464285714285717, -0.13214285714285623, 1.9383928571428584}));
}

TEST(Spline, KnotCountLimits) {
  const std::string one = " Cannot fit spline to one point\n";
  const std::string many = " Too many points to fit spline\n";
  // Counts are checked before any array is read.
  for (int n : {1, 0, -5}) {
    EXPECT_EQ(stop_text([&] { spline({}, {}, n, {}, {}, 0, 0); }), one) << n;
  }
  EXPECT_EQ(stop_text([] { spline({}, {}, 1025, {}, {}, 0, 0); }), many);

  V x(1024), y(1024);
  for (int k = 0; k < 1024; ++k) x[k] = k, y[k] = 2.0 * k;
  V ye(1);
  spline(x, y, 1024, V{1023.0}, ye, 1, 0);
  EXPECT_EQ(ye[0], 2046.0);
}

TEST(Spline, StopsAtTheFirstAbscissaOutOfRangeKeepingEarlierValues) {
  const std::string range = " Spline eval data out of range\n";
  const V x{0, 1, 2};
  const V y{0, 1, 4};
  V ye(4, -99.0);
  EXPECT_EQ(stop_text([&] { spline(x, y, 3, V{0.5, 2.0, 2.5, 1.0}, ye, 4, 1); }), range);
  EXPECT_EQ(ye, (V{0.5, 4.0, -99.0, -99.0}));

  EXPECT_EQ(stop_text([&] { spline(x, y, 3, V{-1e-300}, ye, 1, 0); }), range);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(stop_text([&] { spline(x, y, 3, V{nan}, ye, 1, 0); }), range);
}

TEST(Spline, RefusesArraysShorterThanTheirCounts) {
  V ye(2);
  EXPECT_THROW(spline(V{0, 1}, V{0}, 2, V{0.5}, ye, 1, 0), std::invalid_argument);
  EXPECT_THROW(spline(V{0, 1}, V{0, 1}, 2, V{0.5, 0.6, 0.7}, ye, 3, 0), std::invalid_argument);
  EXPECT_NO_THROW(spline(V{0, 1}, V{0, 1}, 2, V{}, ye, 0, 0));
}

TEST(Binfind, ExactHitsAndLinearInterpolation) {
  const V xtab{1, 2, 3};
  const V ytab{10, 20, 30};
  EXPECT_EQ(binfind(2.0, xtab, ytab, 3), 20.0);
  EXPECT_EQ(binfind(2.5, xtab, ytab, 3), 25.0);
  EXPECT_EQ(binfind(1.0, xtab, ytab, 3), 10.0);
  EXPECT_EQ(binfind(3.0, xtab, ytab, 3), 30.0);
  // Weights applied as (1 - f) * low + f * high: 2.4 would come from low + f * (high - low).
  EXPECT_EQ(binfind(0.3, V{0.0, 0.6}, V{0.4, 4.4}, 2), 2.4000000000000004);
}

TEST(Binfind, ExactHitTakesTheEntryWithoutWeighingItsNeighbour) {
  const double inf = std::numeric_limits<double>::infinity();
  // Interpolating with weight 0 on an infinite neighbour would give NaN.
  EXPECT_EQ(binfind(2.0, V{1, 2, 3}, V{10, 20, inf}, 3), 20.0);
}

TEST(Binfind, SingleEntryTable) {
  EXPECT_EQ(binfind(5.0, V{5.0}, V{7.0}, 1), 7.0);
  EXPECT_EQ(stop_text([] { binfind(5.5, V{5.0}, V{7.0}, 1); }), out_of_range(5.5));
}

TEST(Binfind, OutOfRangeStopsWithTheValue) {
  const V xtab{1, 2, 3};
  const V ytab{10, 20, 30};
  EXPECT_EQ(stop_text([&] { binfind(3.5, xtab, ytab, 3); }),
            " Value out of range in BINFIND   3.5\n");
  EXPECT_EQ(stop_text([&] { binfind(-0.5, xtab, ytab, 3); }), out_of_range(-0.5));
  EXPECT_EQ(stop_text([&] { binfind(0.999, xtab, ytab, 3); }), out_of_range(0.999));
  // An empty table is out of range before its arrays are looked at.
  EXPECT_EQ(stop_text([] { binfind(2.0, {}, {}, 0); }), out_of_range(2.0));
  EXPECT_EQ(stop_text([] { binfind(2.0, {}, {}, -1); }), out_of_range(2.0));
  const std::string text =
      stop_text([&] { binfind(std::numeric_limits<double>::quiet_NaN(), xtab, ytab, 3); });
  EXPECT_EQ(text.rfind(" Value out of range in BINFIND ", 0), 0u) << text;
}

TEST(Binfind, RefusesArraysShorterThanTheCount) {
  EXPECT_THROW(binfind(1.5, V{1, 2}, V{10}, 2), std::invalid_argument);
}

}  // namespace
}  // namespace utl
