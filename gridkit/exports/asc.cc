// Esri ASCII grids: header of the georeference, then the rows from north to south.
#include "gridkit/exports/asc.h"

#include <cmath>

#include "utl/number_text.h"

namespace gridkit {

std::string format_asc(const Grid& grid, const Ibound* ibound) {
  auto has_data = [&](std::size_t i) {
    return std::isfinite(grid.values[i]) && (ibound == nullptr || ibound->flags[i] != 0);
  };
  bool any_missing = false;
  for (std::size_t i = 0; i < kCells; ++i) any_missing = any_missing || !has_data(i);

  // The no-data value must not be mistaken for a cell's value: -9999, else -99999, and so on.
  auto clashes = [&](double nodata) {
    for (std::size_t i = 0; i < kCells; ++i) {
      if (has_data(i) && grid.values[i] == nodata) return true;
    }
    return false;
  };
  double nodata = -9999.0;
  while (any_missing && clashes(nodata) && std::isfinite(nodata * 10.0 - 9.0)) {
    nodata = nodata * 10.0 - 9.0;
  }
  // A grid holding every one of them (some 300 cells) still leaves a finite value free: one of
  // -10000, -10001, ..., among which fewer than the grid's cells can clash.
  for (double next = -10000.0; any_missing && clashes(nodata); next -= 1.0) nodata = next;

  std::string out;
  out.reserve(kCells * 4);
  out += "ncols " + std::to_string(kNcol) + "\n";
  out += "nrows " + std::to_string(kNrow) + "\n";
  out += "xllcorner " + utl::plain_number(kXllCorner) + "\n";
  out += "yllcorner " + utl::plain_number(kYllCorner) + "\n";
  out += "cellsize " + utl::plain_number(kCellSize) + "\n";
  if (any_missing) out += "NODATA_value " + utl::plain_number(nodata) + "\n";
  for (int row = 0; row < kNrow; ++row) {
    for (int col = 0; col < kNcol; ++col) {
      const std::size_t i = std::size_t{kNcol} * row + col;
      if (col > 0) out += ' ';
      out += utl::plain_number(has_data(i) ? grid.values[i] : nodata);
    }
    out += '\n';
  }
  return out;
}

}  // namespace gridkit
