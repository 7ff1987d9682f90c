// Summary figures of one grid: extremes, sum, nonzero cells, and sums over active and inactive
// cells.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "gridkit/grid.h"

namespace gridkit {

struct GridStats {
  double minimum = 0.0;  // over the cells with a value
  double maximum = 0.0;
  double sum = 0.0;  // row by row, each row from west to east
  std::int64_t nonzero = 0;
  std::int64_t unreadable = 0;  // cells whose value the file could not show
  bool has_ibound = false;
  double active_sum = 0.0;
  double inactive_sum = 0.0;
  std::int64_t active_cells = 0;
};

// The figures of `grid`; the active and inactive sums only when `ibound` is given.
GridStats compute_stats(const Grid& grid, const Ibound* ibound);

// The figures as the stats command prints them, one "name: value" line each.
std::string format_stats(const GridStats& stats, const std::string& file, const std::string& form);

}  // namespace gridkit
