// PNG encoding: checksums against known values, the compressed stream, the palette and its
// limit, and pictures read back pixel by pixel.
#include "gridkit/pictures/png.h"

#include <gtest/gtest.h>

#include "gridkit/testing_png.h"

namespace gridkit {
namespace {

TEST(Checksums, MatchKnownValues) {
  EXPECT_EQ(crc32(""), 0u);
  EXPECT_EQ(crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(crc32("456789", crc32("123")), 0xCBF43926u);  // continued over pieces
  EXPECT_EQ(adler32(""), 1u);
  EXPECT_EQ(adler32("Wikipedia"), 0x11E60398u);
  // Long runs of 0xFF make the sums wrap if they are reduced too late.
  const std::string ones(1 << 20, '\xFF');
  std::uint32_t a = 1, b = 0;
  for (unsigned char c : ones) a = (a + c) % 65521, b = (b + a) % 65521;
  EXPECT_EQ(adler32(ones), (b << 16) | a);
}

TEST(ZlibCompress, InflatesBackAtEverySize) {
  for (std::size_t size :
       {std::size_t{0}, std::size_t{1}, std::size_t{65536}, std::size_t{200000}}) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<char>(i * 7 + i / 300);
    EXPECT_EQ(fixtures::inflate(zlib_compress(data), size), data) << size;
  }
}

TEST(PaletteOf, UpTo256ColoursThenRgbWithTheSamePixels) {
  Image image(300, 1, Rgb{1, 2, 3});
  for (int x = 0; x < 255; ++x) image.set(x, 0, Rgb{0, 0, static_cast<std::uint8_t>(x)});
  EXPECT_EQ(palette_of(image).value().size(), 256u);  // 255 blues and the ground
  EXPECT_EQ(palette_of(image)->back(), (Rgb{1, 2, 3}));
  image.set(299, 0, Rgb{0, 1, 0});
  EXPECT_EQ(palette_of(image), std::nullopt);
  const fixtures::DecodedPng png = fixtures::decode_png(encode_png(image));
  for (int x = 0; x < 300; ++x) EXPECT_EQ(png.at(x, 0), image.at(x, 0)) << x;
}

// Four colours: written with a palette.
TEST(EncodePng, DecodesToTheSamePixels) {
  Image image(7, 3, Rgb{1, 2, 3});
  image.set(0, 0, Rgb{255, 0, 0});
  image.set(6, 2, Rgb{0, 0, 255});
  image.fill(2, 1, 3, 5, Rgb{9, 99, 199});  // clipped at the bottom
  image.set(-1, 0, Rgb{7, 7, 7});           // outside: ignored
  const fixtures::DecodedPng png = fixtures::decode_png(encode_png(image));
  ASSERT_EQ(png.width, 7);
  ASSERT_EQ(png.height, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 7; ++x) EXPECT_EQ(png.at(x, y), image.at(x, y)) << x << "," << y;
  }
  EXPECT_EQ(png.at(0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(png.at(1, 0), (Rgb{1, 2, 3}));
  EXPECT_EQ(png.at(4, 2), (Rgb{9, 99, 199}));
  EXPECT_EQ(png.at(5, 2), (Rgb{1, 2, 3}));
  EXPECT_EQ(png.at(6, 2), (Rgb{0, 0, 255}));
}

}  // namespace
}  // namespace gridkit
