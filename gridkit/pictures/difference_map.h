// A map of the difference B - A of two grids on a diverging colour ramp centred on 0: blue where
// B is below A, red where it is above, white near 0, the ramp's ends at minus and plus the
// largest absolute difference, with the same layout and legend as the map of one grid.
#pragma once

#include "gridkit/grid.h"
#include "gridkit/pictures/png.h"

namespace gridkit {

// Cells where A and B hold the same value, and cells unreadable in either grid.
inline constexpr Rgb kNoDifferenceColour{228, 228, 228};
inline constexpr Rgb kUnknownDifferenceColour{0, 0, 0};

// The diverging ramp at `t` from -1 (B far below A) through 0 to 1 (B far above A).
Rgb diverging_colour(double t);

// Draws B - A with `scale` pixels per cell. REQUIRES: kMinScale <= scale <= kMaxScale.
Image draw_difference_map(const Grid& a, const Grid& b, int scale);

}  // namespace gridkit
