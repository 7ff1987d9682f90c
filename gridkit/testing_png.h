// A PNG reader for the tests: checks the signature, every chunk's CRC and their order, inflates
// the image data and returns the pixels of an 8-bit RGB or palette picture as RGB.
#pragma once

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "gridkit/pictures/png.h"

namespace gridkit::fixtures {

inline std::uint32_t get_u32be(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// Inflates a zlib stream with zlib's own inflater, which checks the header and the Adler-32;
// adds a test failure on any fault.
inline std::string inflate(std::string_view stream, std::size_t expected_size) {
  std::string data(expected_size + 1, '\0');
  uLongf size = static_cast<uLongf>(data.size());
  const int status =
      uncompress(reinterpret_cast<Bytef*>(data.data()), &size,
                 reinterpret_cast<const Bytef*>(stream.data()), static_cast<uLong>(stream.size()));
  EXPECT_EQ(status, Z_OK) << "zlib stream";
  data.resize(status == Z_OK ? size : 0);
  return data;
}

struct DecodedPng {
  int width = 0;
  int height = 0;
  std::string rgb;  // rows top first, three bytes a pixel

  Rgb at(int x, int y) const {
    const std::size_t i = (std::size_t(y) * width + x) * 3;
    return {static_cast<std::uint8_t>(rgb[i]), static_cast<std::uint8_t>(rgb[i + 1]),
            static_cast<std::uint8_t>(rgb[i + 2])};
  }
};

inline DecodedPng decode_png(std::string_view file) {
  DecodedPng png;
  EXPECT_EQ(file.substr(0, 8), std::string_view("\x89PNG\r\n\x1a\n", 8));
  std::size_t at = 8;
  std::string idat;
  std::string palette;
  int colour_type = 0;
  bool ended = false;
  bool first = true;
  while (at + 12 <= file.size() && !ended) {
    const std::uint32_t len = get_u32be(file, at);
    if (at + 12 + len > file.size()) break;
    const std::string_view type = file.substr(at + 4, 4);
    const std::string_view data = file.substr(at + 8, len);
    EXPECT_EQ(get_u32be(file, at + 8 + len), crc32(file.substr(at + 4, 4 + len))) << type;
    if (first) {
      EXPECT_EQ(type, "IHDR");
    }
    first = false;
    if (type == "IHDR") {
      EXPECT_EQ(len, 13u);
      png.width = static_cast<int>(get_u32be(data, 0));
      png.height = static_cast<int>(get_u32be(data, 4));
      colour_type = static_cast<unsigned char>(data[9]);
      EXPECT_TRUE(colour_type == 2 || colour_type == 3) << colour_type;
      EXPECT_EQ(data.substr(8, 1), "\x08");
      EXPECT_EQ(data.substr(10), std::string_view("\x00\x00\x00", 3));
    } else if (type == "PLTE") {
      EXPECT_TRUE(idat.empty()) << "palette before the image data";
      EXPECT_EQ(len % 3, 0u);
      palette = data;
    } else if (type == "IDAT") {
      idat += data;
    } else if (type == "IEND") {
      ended = true;
    }
    at += 12 + len;
  }
  EXPECT_TRUE(ended);
  EXPECT_EQ(at, file.size()) << "nothing after IEND";
  EXPECT_EQ(colour_type == 3, !palette.empty()) << "a palette exactly with indexed colour";
  const std::size_t row = std::size_t(png.width) * (colour_type == 3 ? 1 : 3);
  const std::string raw = inflate(idat, (row + 1) * png.height);
  EXPECT_EQ(raw.size(), (row + 1) * png.height);
  if (raw.size() != (row + 1) * png.height) return png;
  for (int y = 0; y < png.height; ++y) {
    EXPECT_EQ(raw[(row + 1) * y], '\0') << "filter of row " << y;
    const std::string_view line = std::string_view(raw).substr((row + 1) * y + 1, row);
    if (colour_type != 3) {
      png.rgb += line;
      continue;
    }
    for (const char entry : line) {
      const std::size_t at3 = std::size_t{static_cast<unsigned char>(entry)} * 3;
      EXPECT_LT(at3, palette.size()) << "palette index";
      png.rgb += at3 < palette.size() ? palette.substr(at3, 3) : std::string(3, '\0');
    }
  }
  return png;
}

}  // namespace gridkit::fixtures
