// The model grid as gridkit holds it: 326 columns by 165 rows of reals, row 1 (north) first,
// column index fastest, and where the grid lies on the ground.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "utl/grid_geometry.h"

namespace gridkit {

using utl::kNcol;
using utl::kNrow;
inline constexpr std::size_t kCells = std::size_t{utl::kNcell};

// Lower-left (south-west) corner and cell size, in feet.
inline constexpr double kXllCorner = utl::kXwest;
inline constexpr double kYllCorner = utl::kYsouth;
using utl::kCellSize;

// One grid's values; cell (column c, row r), counted from 1, is values[utl::cell_index(c, r)].
// A cell whose value a file could not show (a field of asterisks) holds NaN.
struct Grid {
  std::vector<double> values = std::vector<double>(kCells, 0.0);
};

// Active-cell flags: nonzero marks an active cell.
struct Ibound {
  std::vector<int> flags = std::vector<int>(kCells, 1);
};

}  // namespace gridkit
