// Difference maps drawn on the frame of the one-grid map: its layout and legend labels, with
// the cells and the legend bar painted on the diverging ramp.
#include "gridkit/pictures/difference_map.h"

#include <array>
#include <cmath>

#include "gridkit/pictures/map.h"

namespace gridkit {
namespace {

// Ramp stops from -1 (dark blue) through 0 (near white) to 1 (dark red).
constexpr std::array<Rgb, 5> kDiverging{
    {{33, 102, 172}, {103, 169, 207}, {247, 247, 247}, {239, 138, 98}, {178, 24, 43}}};

}  // namespace

Rgb diverging_colour(double t) {
  // From -1 to 1 onto the ramp's 0 to 1; a t just below 1 may round to the end.
  return ramp_at(kDiverging, (t + 1.0) / 2.0);
}

Image draw_difference_map(const Grid& a, const Grid& b, int scale) {
  Grid difference;
  double reach = 0.0;  // the largest absolute finite difference
  for (std::size_t i = 0; i < kCells; ++i) {
    difference.values[i] = b.values[i] - a.values[i];
    if (std::isfinite(difference.values[i])) {
      reach = std::max(reach, std::fabs(difference.values[i]));
    }
  }

  // The one-grid map of a grid holding only -reach and +reach draws the frame and labels the
  // legend's ends with them; cells and bar are painted over below.
  Grid ends;
  ends.values[0] = -reach;
  ends.values[1] = reach;
  Image image = draw_map(ends, nullptr, scale);
  const MapLayout layout = map_layout(scale);

  for (int row = 1; row <= kNrow; ++row) {
    for (int col = 1; col <= kNcol; ++col) {
      const std::size_t i = std::size_t{kNcol} * (row - 1) + (col - 1);
      const double value = difference.values[i];
      Rgb colour;
      if (std::isnan(a.values[i]) || std::isnan(b.values[i]) || std::isnan(value)) {
        colour = kUnknownDifferenceColour;
      } else if (a.values[i] == b.values[i]) {
        colour = kNoDifferenceColour;
      } else {
        colour = diverging_colour(reach > 0.0 ? value / reach : std::copysign(1.0, value));
      }
      image.fill(layout.cell_x(col), layout.cell_y(row), scale, scale, colour);
    }
  }
  const int bar_width = layout.map_width();
  for (int x = 0; x < bar_width; ++x) {
    const double t = bar_width > 1 ? 2.0 * x / (bar_width - 1) - 1.0 : 0.0;
    image.fill(layout.margin + x, layout.bar_top, 1, layout.bar_height, diverging_colour(t));
  }
  return image;
}

}  // namespace gridkit
