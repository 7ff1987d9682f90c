// Piecewise curves through knots, and linear interpolation in sorted tables.
#include "utl/interp.h"

#include <array>
#include <cstddef>
#include <stdexcept>

#include "utl/fatal.h"

namespace utl {
namespace {

// Segment of the knots x(1..n) that holds `v`, by bisection: the last knot k < n with
// x(k) <= v, counted from 1. REQUIRES: x(1) <= v <= x(n), n >= 2.
int find_segment(std::span<const double> x, int n, double v) {
  int lo = 1;
  int hi = n;
  while (hi - lo > 1) {
    const int mid = lo + (hi - lo) / 2;
    if (x[mid - 1] <= v) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return lo;
}

bool too_small(std::span<const double> values, int n) {
  return values.size() < static_cast<std::size_t>(n);
}

}  // namespace

void spline(std::span<const double> x, std::span<const double> y, int n, std::span<const double> xe,
            std::span<double> ye, int ne, int linear) {
  if (n <= 1) error("Cannot fit spline to one point");
  if (n > kMaxSplineKnots) error("Too many points to fit spline");
  if (too_small(x, n) || too_small(y, n) ||
      (ne > 0 && (too_small(xe, ne) || ye.size() < static_cast<std::size_t>(ne)))) {
    throw std::invalid_argument("spline: fewer values than knots or abscissae");
  }

  // Slope b and quadratic coefficient c of each segment, indexed by its left knot from 1;
  // entry n belongs to no segment.
  std::array<double, kMaxSplineKnots + 1> b;
  std::array<double, kMaxSplineKnots + 1> c;
  const auto xk = [&](int k) { return x[k - 1]; };
  const auto yk = [&](int k) { return y[k - 1]; };

  if (linear == 1) {
    for (int k = 1; k <= n - 1; ++k) {
      b[k] = (yk(k + 1) - yk(k)) / (xk(k + 1) - xk(k));
      c[k] = 0.0;
    }
  } else {
    // The first segment is straight; each later one starts with the slope at which its left
    // neighbour ends and bends just enough to end on its own right knot.
    b[1] = (yk(2) - yk(1)) / (xk(2) - xk(1));
    c[1] = 0.0;
    for (int k = 2; k <= n - 1; ++k) {
      const double h = xk(k + 1) - xk(k);
      b[k] = b[k - 1] + 2.0 * c[k - 1] * (xk(k) - xk(k - 1));
      c[k] = (yk(k + 1) - yk(k) - b[k] * h) / (h * h);
    }
  }
  b[n] = 0.0;
  c[n] = 0.0;

  for (int j = 0; j < ne; ++j) {
    const double v = xe[j];
    // Written so that an abscissa that is not a number is out of range as well.
    if (!(v >= xk(1) && v <= xk(n))) error("Spline eval data out of range");
    const int lo = find_segment(x, n, v);
    const double d = v - xk(lo);
    ye[j] = yk(lo) + b[lo] * d + c[lo] * (d * d);
  }
}

double binfind(double xv, std::span<const double> xtab, std::span<const double> ytab, int n) {
  // The count comes first: an empty table is out of range without being read.
  if (n <= 0) errordbl("Value out of range in BINFIND", xv);
  if (too_small(xtab, n) || too_small(ytab, n)) {
    throw std::invalid_argument("binfind: fewer table values than entries");
  }
  if (!(xv >= xtab[0] && xv <= xtab[n - 1])) errordbl("Value out of range in BINFIND", xv);

  int lo = 1;
  int hi = n;
  while (hi - lo > 1) {
    const int mid = lo + (hi - lo) / 2;
    if (xtab[mid - 1] == xv) {
      lo = mid;
      hi = mid;
    } else if (xtab[mid - 1] < xv) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  if (lo == hi) return ytab[lo - 1];
  const double f = (xv - xtab[lo - 1]) / (xtab[hi - 1] - xtab[lo - 1]);
  return (1.0 - f) * ytab[lo - 1] + f * ytab[hi - 1];
}

}  // namespace utl
