// Two grids compared cell by cell: their sums and the sum of their difference, the largest
// difference and where it lies, and the cells that differ by more than a tolerance.
#pragma once

#include <cstdint>
#include <vector>

#include "gridkit/grid.h"

namespace gridkit {

// Values a and b count as equal when both are unreadable, when a == b, or when
// |b - a| <= absolute + relative * max(|a|, |b|). The default asks for equal values.
struct Tolerance {
  double absolute = 0.0;
  double relative = 0.0;
};

// Whether `a` and `b` are equal within `tolerance`.
bool within_tolerance(double a, double b, const Tolerance& tolerance);

// A cell whose values are not equal within the tolerance; column and row counted from 1.
struct CellDifference {
  int column = 0;
  int row = 0;
  double a = 0.0;
  double b = 0.0;
};

struct GridComparison {
  // Sums row by row, each row from west to east, over the readable cells (for B - A, the cells
  // readable in both).
  double sum_a = 0.0;
  double sum_b = 0.0;
  double sum_difference = 0.0;
  // B - A at the first cell, in grid order, where |B - A| is largest; column and row are 0 when
  // no readable cell differs.
  double largest = 0.0;
  int largest_column = 0;
  int largest_row = 0;
  std::int64_t differing = 0;  // cells not equal within the tolerance
  bool identical = true;       // every cell the same value, or unreadable in both grids
};

// Compares `a` with `b`; with `cells`, appends each cell that differs to it.
GridComparison compare_grids(const Grid& a, const Grid& b, const Tolerance& tolerance,
                             std::vector<CellDifference>* cells);

}  // namespace gridkit
