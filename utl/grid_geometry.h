// Where the model grid lies: 326 columns by 165 rows of square one-mile cells, column 1 west,
// row 1 north, in the plane coordinates (feet) of the basin's maps.
#pragma once

#include <cstddef>

namespace utl {

inline constexpr int kNcol = 326;
inline constexpr int kNrow = 165;
inline constexpr int kNcell = kNcol * kNrow;

// Grid corners in plane coordinates (feet) and the side of a cell.
inline constexpr double kXwest = 266023.0;
inline constexpr double kXeast = 1987303.0;
inline constexpr double kYsouth = 14092806.0;
inline constexpr double kYnorth = 14964006.0;
inline constexpr double kCellSize = 5280.0;

static_assert(kXwest + kNcol * kCellSize == kXeast, "columns span the grid west to east");
static_assert(kYsouth + kNrow * kCellSize == kYnorth, "rows span the grid south to north");

}  // namespace utl
