// Grid maps: cells coloured on a ramp between the extremes of the cells shown, masks for zero,
// inactive and unreadable cells, and a legend bar labelled with its two end values.
#include "gridkit/pictures/map.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace gridkit {
namespace {

// Ramp stops from the smallest value (dark blue-violet) to the largest (yellow).
constexpr std::array<Rgb, 5> kRamp{
    {{68, 1, 84}, {59, 82, 139}, {33, 145, 140}, {94, 201, 98}, {253, 231, 37}}};

// Digits and signs of the legend, five dots wide and seven high, one row of bits per line.
struct Glyph {
  char c;
  std::array<std::uint8_t, 7> rows;
};
constexpr std::array<Glyph, 14> kGlyphs{{
    {'0', {0b01110, 0b10001, 0b10011, 0b10101, 0b11001, 0b10001, 0b01110}},
    {'1', {0b00100, 0b01100, 0b00100, 0b00100, 0b00100, 0b00100, 0b01110}},
    {'2', {0b01110, 0b10001, 0b00001, 0b00010, 0b00100, 0b01000, 0b11111}},
    {'3', {0b11111, 0b00010, 0b00100, 0b00010, 0b00001, 0b10001, 0b01110}},
    {'4', {0b00010, 0b00110, 0b01010, 0b10010, 0b11111, 0b00010, 0b00010}},
    {'5', {0b11111, 0b10000, 0b11110, 0b00001, 0b00001, 0b10001, 0b01110}},
    {'6', {0b00110, 0b01000, 0b10000, 0b11110, 0b10001, 0b10001, 0b01110}},
    {'7', {0b11111, 0b00001, 0b00010, 0b00100, 0b01000, 0b01000, 0b01000}},
    {'8', {0b01110, 0b10001, 0b10001, 0b01110, 0b10001, 0b10001, 0b01110}},
    {'9', {0b01110, 0b10001, 0b10001, 0b01111, 0b00001, 0b00010, 0b01100}},
    {'.', {0b00000, 0b00000, 0b00000, 0b00000, 0b00000, 0b01100, 0b01100}},
    {'-', {0b00000, 0b00000, 0b00000, 0b11111, 0b00000, 0b00000, 0b00000}},
    {'+', {0b00000, 0b00100, 0b00100, 0b11111, 0b00100, 0b00100, 0b00000}},
    {'e', {0b00000, 0b00000, 0b01110, 0b10001, 0b11111, 0b10000, 0b01110}},
}};
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = kGlyphWidth + 1;

int text_width(std::string_view text, int font_scale) {
  return text.empty() ? 0 : (static_cast<int>(text.size()) * kGlyphAdvance - 1) * font_scale;
}

void draw_text(Image& image, int x, int y, std::string_view text, int font_scale) {
  for (char c : text) {
    for (const Glyph& glyph : kGlyphs) {
      if (glyph.c != c) continue;
      for (int row = 0; row < kGlyphHeight; ++row) {
        for (int col = 0; col < kGlyphWidth; ++col) {
          if (glyph.rows[row] & (1 << (kGlyphWidth - 1 - col))) {
            image.fill(x + col * font_scale, y + row * font_scale, font_scale, font_scale,
                       kTextColour);
          }
        }
      }
    }
    x += kGlyphAdvance * font_scale;
  }
}

std::uint8_t mix(std::uint8_t a, std::uint8_t b, double t) {
  return static_cast<std::uint8_t>(std::lround(a + (b - a) * t));
}

}  // namespace

MapLayout map_layout(int scale) {
  MapLayout layout{};
  layout.scale = scale;
  layout.margin = 8;
  layout.font_scale = scale >= 3 ? 2 : 1;
  layout.bar_top = layout.margin + kNrow * scale + 10;
  layout.bar_height = 6 * layout.font_scale + 4;
  layout.label_top = layout.bar_top + layout.bar_height + 4;
  layout.width = kNcol * scale + 2 * layout.margin;
  layout.height = layout.label_top + kGlyphHeight * layout.font_scale + layout.margin;
  return layout;
}

Rgb ramp_at(std::span<const Rgb> stops, double u) {
  if (!(u > 0.0)) return stops.front();
  if (u >= 1.0) return stops.back();
  const double at = u * static_cast<double>(stops.size() - 1);
  // `at` stays below the last stop for u < 1; the bound holds whatever the rounding.
  const auto stop = std::min(static_cast<std::size_t>(at), stops.size() - 2);
  const double f = at - static_cast<double>(stop);
  const Rgb& a = stops[stop];
  const Rgb& b = stops[stop + 1];
  return {mix(a.r, b.r, f), mix(a.g, b.g, f), mix(a.b, b.b, f)};
}

Rgb ramp_colour(double t) { return ramp_at(kRamp, t); }

std::string legend_number(double value) {
  if (value == 0.0) return "0";
  char buffer[32];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
  return std::string(buffer, result.ptr);
}

double position_in_range(double value, double low, double high) {
  const double span = high - low;
  if (std::isfinite(span)) return (value - low) / span;
  // A range wider than the largest double (-1e308 to 1e308): halved, which is exact, it fits.
  return (value / 2 - low / 2) / (high / 2 - low / 2);
}

Image draw_map(const Grid& grid, const Ibound* ibound, int scale) {
  const MapLayout layout = map_layout(scale);
  Image image(layout.width, layout.height, kBackground);

  // The ramp spans the cells that are shown in colour: active, nonzero, readable.
  auto shown = [&](std::size_t i) {
    const double value = grid.values[i];
    return value != 0.0 && std::isfinite(value) && (ibound == nullptr || ibound->flags[i] != 0);
  };
  bool any = false;
  double low = 0.0, high = 0.0;
  for (std::size_t i = 0; i < kCells; ++i) {
    if (!shown(i)) continue;
    const double value = grid.values[i];
    if (!any || value < low) low = value;
    if (!any || value > high) high = value;
    any = true;
  }

  for (int row = 1; row <= kNrow; ++row) {
    for (int col = 1; col <= kNcol; ++col) {
      const std::size_t i = std::size_t{kNcol} * (row - 1) + (col - 1);
      const double value = grid.values[i];
      Rgb colour;
      if (ibound != nullptr && ibound->flags[i] == 0) {
        colour = kInactiveColour;
      } else if (!std::isfinite(value)) {
        colour = kUnreadableColour;
      } else if (value == 0.0) {
        colour = kZeroColour;
      } else {
        colour = ramp_colour(high > low ? position_in_range(value, low, high) : 1.0);
      }
      image.fill(layout.cell_x(col), layout.cell_y(row), scale, scale, colour);
    }
  }

  // Legend: the ramp from left to right, the smallest value under its left end and the largest
  // under its right end.
  const int bar_width = layout.map_width();
  for (int x = 0; x < bar_width; ++x) {
    const double t = bar_width > 1 ? static_cast<double>(x) / (bar_width - 1) : 1.0;
    image.fill(layout.margin + x, layout.bar_top, 1, layout.bar_height, ramp_colour(t));
  }
  if (any) {
    const std::string low_text = legend_number(low);
    const std::string high_text = legend_number(high);
    draw_text(image, layout.margin, layout.label_top, low_text, layout.font_scale);
    draw_text(image, layout.margin + bar_width - text_width(high_text, layout.font_scale),
              layout.label_top, high_text, layout.font_scale);
  }
  return image;
}

}  // namespace gridkit
