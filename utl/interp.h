// Piecewise curves through knots, and linear interpolation in sorted tables.
//
// Arrays hold their values from index 0; "knot k" below counts from 1 as the users of these
// tables do. Abscissae must increase strictly; that is not checked.
#pragma once

#include <span>

namespace utl {

// Knots a single call of spline can fit.
inline constexpr int kMaxSplineKnots = 1024;

// Fits a curve through the `n` knots (x, y) and writes its value at each of the `ne` abscissae
// `xe` to `ye`. With `linear` equal to 1 the segments are straight; otherwise the first segment
// is straight and each later one is the quadratic that starts with the slope its left neighbour
// ends with and ends on its knot, so the curve is carried from left to right with a continuous
// slope. Stops with "Cannot fit spline to one point" (n <= 1), "Too many points to fit spline"
// (n > 1024) or "Spline eval data out of range" (an abscissa outside x(1)..x(n), or not a
// number); abscissae are taken in order, so values before the first bad one are already written.
// REQUIRES: x.size(), y.size() >= n; xe.size(), ye.size() >= ne (std::invalid_argument
// otherwise, once n is known to be 2..1024).
void spline(std::span<const double> x, std::span<const double> y, int n, std::span<const double> xe,
            std::span<double> ye, int ne, int linear);

// Value at `xv` of the table (xtab, ytab) of `n` entries, interpolated linearly between the two
// entries around it; an entry hit exactly during the search gives its own value. Stops through
// errordbl with "Value out of range in BINFIND" and `xv` when the table is empty or `xv` lies
// outside xtab(1)..xtab(n) or is not a number.
// REQUIRES: xtab.size(), ytab.size() >= n (std::invalid_argument otherwise).
double binfind(double xv, std::span<const double> xtab, std::span<const double> ytab, int n);

}  // namespace utl
