// Summary figures of a grid, summed in the grid's own order so that they are reproducible.
#include "gridkit/figures/stats.h"

#include <cmath>

#include "utl/number_text.h"

namespace gridkit {

GridStats compute_stats(const Grid& grid, const Ibound* ibound) {
  GridStats stats;
  stats.has_ibound = ibound != nullptr;
  bool first = true;
  for (std::size_t i = 0; i < kCells; ++i) {
    const double value = grid.values[i];
    const bool active = ibound != nullptr && ibound->flags[i] != 0;
    if (active) ++stats.active_cells;
    if (std::isnan(value)) {
      ++stats.unreadable;
      continue;
    }
    if (first || value < stats.minimum) stats.minimum = value;
    if (first || value > stats.maximum) stats.maximum = value;
    first = false;
    stats.sum = stats.sum + value;
    if (value != 0.0) ++stats.nonzero;
    if (ibound == nullptr) continue;
    if (active) {
      stats.active_sum = stats.active_sum + value;
    } else {
      stats.inactive_sum = stats.inactive_sum + value;
    }
  }
  return stats;
}

std::string format_stats(const GridStats& stats, const std::string& file, const std::string& form) {
  std::string out;
  auto line = [&out](const std::string& name, const std::string& value) {
    out += name + ": " + value + "\n";
  };
  line("file", file);
  line("format", form);
  line("minimum", utl::plain_number(stats.minimum));
  line("maximum", utl::plain_number(stats.maximum));
  line("sum", utl::plain_number(stats.sum));
  line("nonzero cells", std::to_string(stats.nonzero));
  if (stats.unreadable > 0) line("unreadable cells", std::to_string(stats.unreadable));
  if (stats.has_ibound) {
    line("active cells", std::to_string(stats.active_cells));
    line("sum over active cells", utl::plain_number(stats.active_sum));
    line("sum over inactive cells", utl::plain_number(stats.inactive_sum));
  }
  return out;
}

}  // namespace gridkit
