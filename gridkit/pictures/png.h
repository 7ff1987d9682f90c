// PNG pictures: an 8-bit palette when the picture has at most 256 colours, 8-bit RGB otherwise
// (a map's legend ramp alone has more), the image data compressed by zlib.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gridkit {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A picture of `width` by `height` pixels, top row first.
class Image {
 public:
  Image(int width, int height, Rgb background);
  int width() const { return width_; }
  int height() const { return height_; }
  // The pixel at column x, row y (0, 0 is the top left). REQUIRES: inside the picture.
  Rgb at(int x, int y) const;
  // Sets a pixel; one outside the picture is ignored.
  void set(int x, int y, Rgb colour);
  // Fills the rectangle of `w` by `h` pixels at (x, y), clipped to the picture.
  void fill(int x, int y, int w, int h, Rgb colour);
  // Rows of pixels, three bytes (red, green, blue) each, top row first.
  const std::vector<std::uint8_t>& rgb() const { return rgb_; }

 private:
  int width_;
  int height_;
  std::vector<std::uint8_t> rgb_;
};

// CRC-32 of `bytes` (the one of PNG chunks and zip), continued from `crc` of earlier bytes.
std::uint32_t crc32(std::string_view bytes, std::uint32_t crc = 0);

// Adler-32 of `bytes` (the checksum closing a zlib stream).
std::uint32_t adler32(std::string_view bytes);

// The zlib stream of `data`, compressed as far as zlib can. Throws Failure if zlib cannot.
std::string zlib_compress(std::string_view data);

// The picture's colours in the order they first appear, top row first; nothing when there are
// more than 256.
std::optional<std::vector<Rgb>> palette_of(const Image& image);

// The PNG file of `image`: indexed colour when palette_of gives a palette, RGB otherwise.
std::string encode_png(const Image& image);

}  // namespace gridkit
