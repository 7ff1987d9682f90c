// PNG encoding: signature, header, the palette if the picture has one, one image-data chunk of
// a zlib stream, end.
#include "gridkit/pictures/png.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_map>

#include "gridkit/common.h"
#include "gridkit/grid.h"

namespace gridkit {
namespace {

// Colours an 8-bit palette holds.
constexpr std::size_t kPaletteSize = 256;

void put_u32be(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

// A pixel's colour as one number, for looking it up in the palette.
std::uint32_t colour_key(const std::uint8_t* pixel) {
  return std::uint32_t{pixel[0]} << 16 | std::uint32_t{pixel[1]} << 8 | pixel[2];
}

void put_chunk(std::string& out, std::string_view type, std::string_view data) {
  put_u32be(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out += type;
  out += data;
  put_u32be(out, crc32(std::string_view(out).substr(start)));
}

}  // namespace

Image::Image(int width, int height, Rgb background)
    : width_(width), height_(height), rgb_(std::size_t(width) * height * 3) {
  fill(0, 0, width, height, background);
}

Rgb Image::at(int x, int y) const {
  const std::size_t i = (std::size_t(y) * width_ + x) * 3;
  return {rgb_[i], rgb_[i + 1], rgb_[i + 2]};
}

void Image::set(int x, int y, Rgb colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  const std::size_t i = (std::size_t(y) * width_ + x) * 3;
  rgb_[i] = colour.r;
  rgb_[i + 1] = colour.g;
  rgb_[i + 2] = colour.b;
}

void Image::fill(int x, int y, int w, int h, Rgb colour) {
  const int x0 = std::max(x, 0), x1 = std::min(x + w, width_);
  const int y0 = std::max(y, 0), y1 = std::min(y + h, height_);
  for (int row = y0; row < y1; ++row) {
    for (int col = x0; col < x1; ++col) set(col, row, colour);
  }
}

std::uint32_t crc32(std::string_view bytes, std::uint32_t crc) {
  return static_cast<std::uint32_t>(
      ::crc32_z(crc, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size()));
}

std::uint32_t adler32(std::string_view bytes) {
  return static_cast<std::uint32_t>(
      ::adler32_z(1, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size()));
}

std::string zlib_compress(std::string_view data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::string out(size, '\0');
  const int status =
      compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size()), 9);
  if (status != Z_OK) throw Failure("zlib cannot compress the picture");
  out.resize(size);
  return out;
}

std::optional<std::vector<Rgb>> palette_of(const Image& image) {
  std::vector<Rgb> palette;
  std::unordered_map<std::uint32_t, std::size_t> seen;
  const std::vector<std::uint8_t>& rgb = image.rgb();
  for (std::size_t i = 0; i < rgb.size(); i += 3) {
    if (seen.try_emplace(colour_key(&rgb[i]), palette.size()).second) {
      if (palette.size() == kPaletteSize) return std::nullopt;
      palette.push_back(Rgb{rgb[i], rgb[i + 1], rgb[i + 2]});
    }
  }
  return palette;
}

std::string encode_png(const Image& image) {
  const std::optional<std::vector<Rgb>> palette = palette_of(image);
  std::string out = "\x89PNG\r\n\x1a\n";
  std::string header;
  put_u32be(header, static_cast<std::uint32_t>(image.width()));
  put_u32be(header, static_cast<std::uint32_t>(image.height()));
  header += static_cast<char>(8);                // bits per sample or palette index
  header += static_cast<char>(palette ? 3 : 2);  // colour type: palette or RGB
  header += std::string(3, '\0');                // deflate, adaptive filtering, no interlace
  put_chunk(out, "IHDR", header);

  std::unordered_map<std::uint32_t, char> index;
  if (palette) {
    std::string entries;
    for (std::size_t i = 0; i < palette->size(); ++i) {
      const Rgb& c = (*palette)[i];
      entries += {static_cast<char>(c.r), static_cast<char>(c.g), static_cast<char>(c.b)};
      const std::uint8_t pixel[3] = {c.r, c.g, c.b};
      index[colour_key(pixel)] = static_cast<char>(i);
    }
    put_chunk(out, "PLTE", entries);
  }

  // Each row starts with its filter type, 0 (none): the map's runs of equal pixels and equal
  // rows are what deflate finds best as they are.
  const std::size_t row_pixels = static_cast<std::size_t>(image.width());
  const std::vector<std::uint8_t>& rgb = image.rgb();
  std::string raw;
  raw.reserve((row_pixels * (palette ? 1 : 3) + 1) * static_cast<std::size_t>(image.height()));
  for (std::size_t p = 0; p < rgb.size(); p += 3) {
    if (p % (row_pixels * 3) == 0) raw += '\0';
    if (palette) {
      raw += index[colour_key(&rgb[p])];
    } else {
      raw +=
          {static_cast<char>(rgb[p]), static_cast<char>(rgb[p + 1]), static_cast<char>(rgb[p + 2])};
    }
  }
  put_chunk(out, "IDAT", zlib_compress(raw));
  put_chunk(out, "IEND", "");
  return out;
}

}  // namespace gridkit
