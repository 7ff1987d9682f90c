// Grid maps read back from their PNG: cells in place, north up, masks and ramp ends, legend.
#include "gridkit/pictures/map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "gridkit/testing_png.h"

namespace gridkit {
namespace {

std::size_t cell(int col, int row) { return std::size_t{kNcol} * (row - 1) + (col - 1); }

// Whether any pixel of the box is the text colour.
bool has_text(const fixtures::DecodedPng& png, int x0, int y0, int w, int h) {
  for (int y = y0; y < y0 + h; ++y) {
    for (int x = x0; x < x0 + w; ++x) {
      if (png.at(x, y) == kTextColour) return true;
    }
  }
  return false;
}

TEST(DrawMap, ColoursCellsNorthUpWithMasksAndRampEnds) {
  Grid grid;
  grid.values[cell(1, 1)] = 2.0;       // north-west corner: the largest value shown
  grid.values[cell(326, 165)] = -1.0;  // south-east corner: the smallest
  grid.values[cell(10, 20)] = 0.5;     // midway on the ramp
  grid.values[cell(11, 20)] = 100.0;   // larger, but on an inactive cell
  grid.values[cell(12, 20)] = std::numeric_limits<double>::quiet_NaN();
  Ibound ibound;
  ibound.flags[cell(11, 20)] = 0;
  ibound.flags[cell(13, 20)] = 0;  // inactive and zero

  const int scale = 3;
  const MapLayout layout = map_layout(scale);
  const fixtures::DecodedPng png = fixtures::decode_png(encode_png(draw_map(grid, &ibound, scale)));
  ASSERT_EQ(png.width, layout.width);
  ASSERT_EQ(png.height, layout.height);
  EXPECT_EQ(png.width, 326 * 3 + 2 * layout.margin);

  auto pixel = [&](int col, int row, int dx = 0, int dy = 0) {
    return png.at(layout.cell_x(col) + dx, layout.cell_y(row) + dy);
  };
  // Every pixel of a cell's square has its colour.
  for (int d = 0; d < scale * scale; ++d) {
    EXPECT_EQ(pixel(1, 1, d % scale, d / scale), ramp_colour(1.0));
  }
  EXPECT_EQ(pixel(326, 165, 2, 2), ramp_colour(0.0));
  EXPECT_EQ(pixel(10, 20), ramp_colour(0.5));
  EXPECT_EQ(pixel(11, 20), kInactiveColour);
  EXPECT_EQ(pixel(12, 20), kUnreadableColour);
  EXPECT_EQ(pixel(13, 20), kInactiveColour);
  EXPECT_EQ(pixel(2, 1), kZeroColour);
  EXPECT_EQ(png.at(0, 0), kBackground);
  EXPECT_NE(ramp_colour(0.0), ramp_colour(1.0));

  // Legend: the ramp from left to right under the map, both end values written beneath it.
  EXPECT_EQ(png.at(layout.margin, layout.bar_top), ramp_colour(0.0));
  EXPECT_EQ(png.at(layout.margin + layout.map_width() - 1, layout.bar_top + layout.bar_height - 1),
            ramp_colour(1.0));
  EXPECT_EQ(legend_number(-1.0), "-1");
  EXPECT_EQ(legend_number(2.0), "2");
  const int text_height = 7 * layout.font_scale;
  EXPECT_TRUE(has_text(png, layout.margin, layout.label_top, 20, text_height));
  EXPECT_TRUE(
      has_text(png, layout.margin + layout.map_width() - 20, layout.label_top, 20, text_height));
  EXPECT_FALSE(has_text(png, layout.margin + 100, layout.label_top, 100, text_height));
}

TEST(DrawMap, GridWithoutShownCellsHasNoLegendValues) {
  const MapLayout layout = map_layout(1);
  const fixtures::DecodedPng png = fixtures::decode_png(encode_png(draw_map(Grid{}, nullptr, 1)));
  EXPECT_EQ(png.at(layout.cell_x(100), layout.cell_y(100)), kZeroColour);
  EXPECT_FALSE(has_text(png, 0, layout.label_top, png.width, png.height - layout.label_top));
}

TEST(DrawMap, SingleValueTakesTheRampTop) {
  Grid grid;
  grid.values[cell(5, 5)] = 3.0;
  grid.values[cell(6, 5)] = 3.0;
  const MapLayout layout = map_layout(kMaxScale);
  const fixtures::DecodedPng png =
      fixtures::decode_png(encode_png(draw_map(grid, nullptr, kMaxScale)));
  EXPECT_EQ(png.at(layout.cell_x(5), layout.cell_y(5)), ramp_colour(1.0));
  EXPECT_EQ(layout.font_scale, 2);
}

// A range wider than the largest double still spreads the cells over the ramp.
TEST(DrawMap, ARangePastTheLargestDoubleKeepsTheRamp) {
  EXPECT_EQ(position_in_range(1e308, -1e308, 1e308), 1.0);
  EXPECT_EQ(position_in_range(0.0, -1e308, 1e308), 0.5);
  EXPECT_EQ(position_in_range(-1e308, -1e308, 1e308), 0.0);
  Grid grid;
  grid.values[cell(1, 1)] = 1e308;
  grid.values[cell(2, 1)] = -1e308;
  grid.values[cell(3, 1)] = 1.0;
  const MapLayout layout = map_layout(1);
  const fixtures::DecodedPng png = fixtures::decode_png(encode_png(draw_map(grid, nullptr, 1)));
  EXPECT_EQ(png.at(layout.cell_x(1), layout.cell_y(1)), ramp_colour(1.0));
  EXPECT_EQ(png.at(layout.cell_x(2), layout.cell_y(1)), ramp_colour(0.0));
  EXPECT_EQ(png.at(layout.cell_x(3), layout.cell_y(1)), ramp_colour(0.5));
}

TEST(LegendNumber, KeepsSixSignificantDigits) {
  EXPECT_EQ(legend_number(0.0), "0");
  EXPECT_EQ(legend_number(12.5), "12.5");
  EXPECT_EQ(legend_number(1.0 / 3.0), "0.333333");
  EXPECT_EQ(legend_number(1234567.0), "1.23457e+06");
}

}  // namespace
}  // namespace gridkit
