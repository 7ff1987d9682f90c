// A PNG reader for the tests: checks the signature, every chunk's CRC, the zlib header, the
// stored deflate blocks and the Adler-32, and returns the pixels of an 8-bit RGB picture.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "gridkit/png.h"

namespace gridkit::testing {

inline std::uint32_t get_u32be(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// Inflates a zlib stream made only of stored blocks; adds a test failure on any fault.
inline std::string inflate_stored(std::string_view stream) {
  std::string data;
  EXPECT_GE(stream.size(), 6u);
  if (stream.size() < 6) return data;
  const unsigned cmf = static_cast<unsigned char>(stream[0]);
  const unsigned flg = static_cast<unsigned char>(stream[1]);
  EXPECT_EQ(cmf & 0x0F, 8u) << "deflate";
  EXPECT_EQ((cmf * 256 + flg) % 31, 0u) << "header check bits";
  EXPECT_EQ(flg & 0x20, 0u) << "no preset dictionary";
  std::size_t at = 2;
  for (bool last = false; !last;) {
    if (at + 5 > stream.size()) {
      ADD_FAILURE() << "stream ends inside a block header";
      return data;
    }
    const unsigned head = static_cast<unsigned char>(stream[at]);
    last = head & 1;
    EXPECT_EQ(head >> 1, 0u) << "stored block";
    const unsigned len = static_cast<unsigned char>(stream[at + 1]) |
                         static_cast<unsigned char>(stream[at + 2]) << 8;
    const unsigned nlen = static_cast<unsigned char>(stream[at + 3]) |
                          static_cast<unsigned char>(stream[at + 4]) << 8;
    EXPECT_EQ(len ^ 0xFFFFu, nlen);
    at += 5;
    if (at + len > stream.size()) {
      ADD_FAILURE() << "stream ends inside a block";
      return data;
    }
    data += stream.substr(at, len);
    at += len;
  }
  EXPECT_EQ(at + 4, stream.size()) << "Adler-32 ends the stream";
  if (at + 4 <= stream.size()) {
    EXPECT_EQ(get_u32be(stream, at), adler32(data));
  }
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
      EXPECT_EQ(data.substr(8), std::string_view("\x08\x02\x00\x00\x00", 5));
    } else if (type == "IDAT") {
      idat += data;
    } else if (type == "IEND") {
      ended = true;
    }
    at += 12 + len;
  }
  EXPECT_TRUE(ended);
  EXPECT_EQ(at, file.size()) << "nothing after IEND";
  const std::string raw = inflate_stored(idat);
  const std::size_t row = std::size_t(png.width) * 3;
  EXPECT_EQ(raw.size(), (row + 1) * png.height);
  if (raw.size() != (row + 1) * png.height) return png;
  for (int y = 0; y < png.height; ++y) {
    EXPECT_EQ(raw[(row + 1) * y], '\0') << "filter of row " << y;
    png.rgb += raw.substr((row + 1) * y + 1, row);
  }
  return png;
}

}  // namespace gridkit::testing
