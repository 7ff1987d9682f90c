// Grids as Esri ASCII grids with the model grid's georeference, for any GIS.
#pragma once

#include <string>

#include "gridkit/grid.h"

namespace gridkit {

// The ASCII grid text of `grid`: the six header lines (columns, rows, lower-left corner, cell
// size, and the no-data value when there are cells without data), then one line per row, north
// row first. Inactive cells (with `ibound`) and unreadable cells hold the no-data value, -9999
// unless a cell with data holds that very value. Values that are not finite count as unreadable.
std::string format_asc(const Grid& grid, const Ibound* ibound);

}  // namespace gridkit
