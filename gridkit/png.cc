// PNG encoding: signature, header, one image-data chunk of a zlib stream in stored blocks, end.
#include "gridkit/png.h"

#include <algorithm>
#include <array>

namespace gridkit {
namespace {

constexpr std::array<std::uint32_t, 256> make_crc_table() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = make_crc_table();

// Largest payload of one stored deflate block.
constexpr std::size_t kStoredBlock = 65535;

void put_u32be(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void put_u16le(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
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
  std::uint32_t c = crc ^ 0xFFFFFFFFu;
  for (unsigned char byte : bytes) c = kCrcTable[(c ^ byte) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(std::string_view bytes) {
  constexpr std::uint32_t kMod = 65521;
  std::uint32_t a = 1, b = 0;
  // Reduce often enough that the sums stay within 32 bits.
  constexpr std::size_t kRun = 5552;
  for (std::size_t start = 0; start < bytes.size(); start += kRun) {
    const std::size_t end = std::min(bytes.size(), start + kRun);
    for (std::size_t i = start; i < end; ++i) {
      a += static_cast<unsigned char>(bytes[i]);
      b += a;
    }
    a %= kMod;
    b %= kMod;
  }
  return (b << 16) | a;
}

std::string zlib_stored(std::string_view data) {
  std::string out;
  out.reserve(data.size() + data.size() / kStoredBlock * 5 + 16);
  // Deflate with a 32K window, no preset dictionary; the check bits make 0x7801 a multiple
  // of 31.
  out += static_cast<char>(0x78);
  out += static_cast<char>(0x01);
  std::size_t at = 0;
  do {
    const std::size_t len = std::min(kStoredBlock, data.size() - at);
    const bool last = at + len == data.size();
    out += static_cast<char>(last ? 1 : 0);  // final-block bit, block type 0 (stored)
    put_u16le(out, static_cast<std::uint32_t>(len));
    put_u16le(out, static_cast<std::uint32_t>(~len & 0xFFFF));
    out += data.substr(at, len);
    at += len;
  } while (at < data.size());
  put_u32be(out, adler32(data));
  return out;
}

std::string encode_png(const Image& image) {
  std::string out = "\x89PNG\r\n\x1a\n";
  std::string header;
  put_u32be(header, static_cast<std::uint32_t>(image.width()));
  put_u32be(header, static_cast<std::uint32_t>(image.height()));
  header += static_cast<char>(8);  // bits per sample
  header += static_cast<char>(2);  // colour type: RGB
  header += std::string(3, '\0');  // deflate, adaptive filtering, no interlace
  put_chunk(out, "IHDR", header);

  // Each row starts with its filter type, 0 (none).
  const std::size_t row_bytes = std::size_t(image.width()) * 3;
  std::string raw;
  raw.reserve((row_bytes + 1) * image.height());
  const auto* pixels = reinterpret_cast<const char*>(image.rgb().data());
  for (int y = 0; y < image.height(); ++y) {
    raw += '\0';
    raw.append(pixels + row_bytes * y, row_bytes);
  }
  put_chunk(out, "IDAT", zlib_stored(raw));
  put_chunk(out, "IEND", "");
  return out;
}

}  // namespace gridkit
