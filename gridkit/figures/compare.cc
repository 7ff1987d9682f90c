// Grids compared in their own order, so that sums and the cell of the largest difference are
// the same on every run.
#include "gridkit/figures/compare.h"

#include <algorithm>
#include <cmath>

#include "utl/grid_geometry.h"

namespace gridkit {
namespace {

int column_of(std::size_t cell) { return utl::cell_column(static_cast<int>(cell)); }
int row_of(std::size_t cell) { return utl::cell_row(static_cast<int>(cell)); }

}  // namespace

bool within_tolerance(double a, double b, const Tolerance& tolerance) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  if (a == b) return true;
  // An infinite value is within no tolerance of another value: a relative tolerance scaled by
  // infinity would allow any difference, and a run that blew up would pass as equal.
  if (!std::isfinite(a) || !std::isfinite(b)) return false;
  const double allowed =
      tolerance.absolute + tolerance.relative * std::max(std::fabs(a), std::fabs(b));
  return std::fabs(b - a) <= allowed;
}

GridComparison compare_grids(const Grid& a, const Grid& b, const Tolerance& tolerance,
                             std::vector<CellDifference>* cells) {
  GridComparison result;
  double largest_magnitude = 0.0;
  for (std::size_t i = 0; i < kCells; ++i) {
    const double va = a.values[i];
    const double vb = b.values[i];
    const bool readable_a = !std::isnan(va);
    const bool readable_b = !std::isnan(vb);
    if (readable_a) result.sum_a = result.sum_a + va;
    if (readable_b) result.sum_b = result.sum_b + vb;
    if (readable_a && readable_b) {
      const double difference = vb - va;
      if (!std::isnan(difference)) result.sum_difference = result.sum_difference + difference;
      if (std::fabs(difference) > largest_magnitude) {
        largest_magnitude = std::fabs(difference);
        result.largest = difference;
        result.largest_column = column_of(i);
        result.largest_row = row_of(i);
      }
    }
    if (!(va == vb) && (readable_a || readable_b)) result.identical = false;
    if (within_tolerance(va, vb, tolerance)) continue;
    ++result.differing;
    if (cells != nullptr) cells->push_back({column_of(i), row_of(i), va, vb});
  }
  return result;
}

}  // namespace gridkit
