// Stress-period grid writer.
#include "utl/storemonth.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#include "utl/fatal.h"
#include "utl/freeline.h"
#include "utl/period_name.h"
#include "utl/records.h"
#include "utl/safe_output.h"

namespace utl {
namespace {

// Writes one free-format write of the row's values at `out` and returns the end: real items one
// after another, a new line before an item that would reach the line width, and a line end
// after the last. Zeros, most of a recharge grid, copy one formatted item.
// REQUIRES: room for ncol * (kMaxRealItem + 1) + 1 characters at `out`; `zero_item` holds
// kMaxRealItem characters.
char* write_row(char* out, const double* cells, int ncol, double mult, const char* zero_item,
                std::size_t zero_size) {
  char* line = out;  // start of the current line
  for (int c = 0; c < ncol; ++c) {
    const double value = mult * cells[c];
    char item[kMaxRealItem];
    const char* text = zero_item;
    std::size_t size = zero_size;
    if (value != 0.0 || std::signbit(value)) {
      text = item;
      size = static_cast<std::size_t>(format_real_item(item, value));
    }
    if (static_cast<std::size_t>(out - line) + size >= static_cast<std::size_t>(kLineWidth)) {
      *out++ = '\n';
      line = out;
    }
    // A copy of fixed length compiles to a few moves; only `size` characters are kept.
    std::memcpy(out, text, kMaxRealItem);
    out += size;
  }
  *out++ = '\n';
  return out;
}

// Writes the `nrow` rows of the grid at `out` (see write_row) and returns the end.
char* write_rows(char* out, const double* grid, int nrow, int ncol, double mult,
                 const char* zero_item, std::size_t zero_size) {
  for (int r = 0; r < nrow; ++r) {
    const double* row = grid + static_cast<std::size_t>(r) * static_cast<std::size_t>(ncol);
    out = write_row(out, row, ncol, mult, zero_item, zero_size);
  }
  return out;
}

// Room for the text of `rows` rows: the longest items, a line end before each and after the
// last, and the fixed-length copy past the last item.
std::size_t text_room(int rows, int ncol) {
  return static_cast<std::size_t>(rows) *
             (static_cast<std::size_t>(ncol) * (kMaxRealItem + 1) + 1) +
         kMaxRealItem;
}

// Stops the run when a value to be written is infinite or not a number (a sum that overflowed):
// the model, and the programs' own readers, cannot take one.
void check_finite(std::span<const double> grid, double mult, int ncol, std::size_t cells,
                  const std::string& name) {
  for (std::size_t i = 0; i < cells; ++i) {
    if (std::isfinite(mult * grid[i])) continue;
    const auto columns = static_cast<std::size_t>(ncol);
    error("Value overflows at row " + std::to_string(i / columns + 1) + " column " +
          std::to_string(i % columns + 1) + " of file " + name);
  }
}

}  // namespace

std::optional<std::string> storemonth(std::span<const double> grid, double mult, int nrow, int ncol,
                                      int year, int month, std::string_view dir,
                                      std::string_view ext, int bin) {
  if (mult == 0.0) return std::nullopt;
  const std::size_t cells =
      nrow > 0 && ncol > 0 ? static_cast<std::size_t>(nrow) * static_cast<std::size_t>(ncol) : 0;
  if (grid.size() < cells) throw std::length_error("grid array smaller than nrow * ncol");

  // A stress period whose written values would all be zero has no file; an older file of the
  // name stays as it was. (The sum of |mult * cell| is 0 exactly when no term is nonzero.)
  bool any = false;
  for (std::size_t i = 0; i < cells && !any; ++i) any = std::fabs(mult * grid[i]) != 0.0;
  if (!any) return std::nullopt;

  const std::string name = stress_period_name(year, month, dir, ext);
  check_finite(grid, mult, ncol, cells, name);
  if (bin != 0) {
    // One record of all values, row 1 first.
    if (cells * 8 > UINT32_MAX) throw std::length_error("grid too large for one record");
    std::string bytes;
    char* data = begin_record(bytes, cells * 8);
    if constexpr (std::endian::native == std::endian::little) {
      // The host's doubles are the file's: plain copies, which the compiler vectorises.
      for (std::size_t i = 0; i < cells; ++i) {
        const double value = mult * grid[i];
        std::memcpy(data + 8 * i, &value, 8);
      }
    } else {
      for (std::size_t i = 0; i < cells; ++i) store_f64le(data + 8 * i, mult * grid[i]);
    }
    write_whole_file_or_stop(name, bytes);
    return name;
  }
  char zero[kMaxRealItem] = {};
  const auto zero_size = static_cast<std::size_t>(format_real_item(zero, 0.0));
  // One buffer for the whole file, laid out row by row.
  const auto buffer = std::make_unique_for_overwrite<char[]>(text_room(nrow, ncol));
  char* const end = write_rows(buffer.get(), grid.data(), nrow, ncol, mult, zero, zero_size);
  write_whole_file_or_stop(
      name, std::string_view(buffer.get(), static_cast<std::size_t>(end - buffer.get())));
  return name;
}

}  // namespace utl
