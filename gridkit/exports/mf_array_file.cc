// Grids written as the model's binary array files.
#include "gridkit/exports/mf_array_file.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "gridkit/common.h"
#include "utl/grid_geometry.h"
#include "utl/records.h"

namespace gridkit {
namespace {

// Writes `value` at `out` as a little-endian real of the width.
void store_real(char* out, double value, RealWidth width) {
  if (width == RealWidth::kDouble) {
    utl::store_f64le(out, value);
    return;
  }
  const auto single = static_cast<float>(value);
  std::uint32_t bits = 0;
  std::memcpy(&bits, &single, sizeof bits);
  for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((bits >> (8 * i)) & 0xFFU);
}

void put_real(std::string& out, double value, RealWidth width) {
  const std::size_t start = out.size();
  out.resize(start + (width == RealWidth::kDouble ? 8 : 4));
  store_real(out.data() + start, value, width);
}

std::size_t real_bytes(RealWidth width) { return width == RealWidth::kDouble ? 8 : 4; }

}  // namespace

void check_array_values(const Grid& grid, RealWidth width, const std::string& path) {
  const double largest = width == RealWidth::kDouble ? std::numeric_limits<double>::max()
                                                     : std::numeric_limits<float>::max();
  for (std::size_t cell = 0; cell < kCells; ++cell) {
    const double value = grid.values[cell];
    if (std::isfinite(value) && std::fabs(value) <= largest) continue;
    const int index = static_cast<int>(cell);
    throw Failure(path + ": the cell at column " + std::to_string(utl::cell_column(index)) +
                  ", row " + std::to_string(utl::cell_row(index)) +
                  " holds no value the model can read");
  }
}

std::string encode_array_file(const Grid& grid, const ArrayHeader& header, RealWidth width) {
  std::string file;
  encode_array_file_into(grid, header, width, file);
  return file;
}

void encode_array_file_into(const Grid& grid, const ArrayHeader& header, RealWidth width,
                            std::string& file) {
  std::string head;
  utl::put_i32le(head, header.kstp);
  utl::put_i32le(head, header.kper);
  put_real(head, header.pertim, width);
  put_real(head, header.totim, width);
  const std::string text = header.text.substr(0, kArrayTextLength);
  head += std::string(kArrayTextLength - text.size(), ' ') + text;
  utl::put_i32le(head, kNcol);
  utl::put_i32le(head, kNrow);
  utl::put_i32le(head, header.layer);

  file.clear();
  utl::append_record(file, head);
  // The array is stored straight into its record: no second buffer of the grid's size.
  const std::size_t reals = real_bytes(width);
  char* array = utl::begin_record(file, kCells * reals);
  for (const double value : grid.values) {
    store_real(array, value, width);
    array += reals;
  }
}

}  // namespace gridkit
