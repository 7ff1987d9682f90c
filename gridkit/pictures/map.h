// A quick-look map of a grid: north up, each cell a square of pixels on a colour ramp from the
// smallest to the largest value shown, zero and inactive cells masked, and a legend bar with
// the two values at its ends.
#pragma once

#include <span>

#include "gridkit/grid.h"
#include "gridkit/pictures/png.h"

namespace gridkit {

// Colours of masked cells and of the picture's ground.
inline constexpr Rgb kBackground{255, 255, 255};
inline constexpr Rgb kZeroColour{228, 228, 228};
inline constexpr Rgb kInactiveColour{150, 150, 150};
inline constexpr Rgb kUnreadableColour{230, 0, 0};
inline constexpr Rgb kTextColour{0, 0, 0};

// Pixels per cell allowed.
inline constexpr int kMinScale = 1;
inline constexpr int kMaxScale = 12;

// Where things lie in a map drawn with `scale` pixels per cell.
struct MapLayout {
  int scale;
  int margin;
  int width;
  int height;
  int bar_top;  // legend bar: from the map's left edge to its right edge
  int bar_height;
  int label_top;   // legend values under the bar
  int font_scale;  // pixels per dot of the legend's digits

  // Top-left pixel of cell (column, row), counted from 1.
  int cell_x(int column) const { return margin + (column - 1) * scale; }
  int cell_y(int row) const { return margin + (row - 1) * scale; }
  int map_width() const { return kNcol * scale; }
};

// The layout for `scale` pixels per cell. REQUIRES: kMinScale <= scale <= kMaxScale.
MapLayout map_layout(int scale);

// The colour at `u` from 0 to 1 along the ramp through `stops`, evenly spaced. REQUIRES: at
// least two stops.
Rgb ramp_at(std::span<const Rgb> stops, double u);

// The map ramp's colour at `t` from 0 (smallest value) to 1 (largest).
Rgb ramp_colour(double t);

// Where `value` lies between `low` and `high` (low < high, all finite), from 0 to 1, also when
// the range is wider than the largest double.
double position_in_range(double value, double low, double high);

// The legend's text for a value: up to six significant digits.
std::string legend_number(double value);

// Draws `grid`; with `ibound`, inactive cells are masked whatever their value.
Image draw_map(const Grid& grid, const Ibound* ibound, int scale);

}  // namespace gridkit
