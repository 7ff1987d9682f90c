// Where the model grid lies: 326 columns by 165 rows of square one-mile cells, column 1 west,
// row 1 north, in the plane coordinates (feet) of the basin's maps.
#pragma once

#include <cstddef>

namespace utl {

inline constexpr int kNcol = 326;
inline constexpr int kNrow = 165;
inline constexpr int kNcell = kNcol * kNrow;

// The index, in grid order (row 1 first, each row west to east), of the cell in `column` and
// `row`, both counted from 1: the order of the grid files and of every grid in memory.
constexpr int cell_index(int column, int row) { return (row - 1) * kNcol + (column - 1); }

// The column, counted from 1, of the cell at `index` in grid order.
constexpr int cell_column(int index) { return index % kNcol + 1; }

// The row, counted from 1, of the cell at `index` in grid order.
constexpr int cell_row(int index) { return index / kNcol + 1; }

// Grid corners in plane coordinates (feet) and the side of a cell.
inline constexpr double kXwest = 266023.0;
inline constexpr double kXeast = 1987303.0;
inline constexpr double kYsouth = 14092806.0;
inline constexpr double kYnorth = 14964006.0;
inline constexpr double kCellSize = 5280.0;

static_assert(kXwest + kNcol * kCellSize == kXeast, "columns span the grid west to east");
static_assert(kYsouth + kNrow * kCellSize == kYnorth, "rows span the grid south to north");

}  // namespace utl
