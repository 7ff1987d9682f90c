// Grid files of every form written for the tests.
#pragma once

#include <cstdio>
#include <string>

#include "gridkit/grid.h"
#include "utl/number_text.h"
#include "utl/records.h"

namespace gridkit::fixtures {

inline std::size_t cell(int col, int row) {
  return static_cast<std::size_t>(utl::cell_index(col, row));
}

// A grid with a few cells set: a corner each way, a negative value and a small one.
inline Grid sample_grid() {
  Grid grid;
  grid.values[cell(1, 1)] = 12.5;
  grid.values[cell(2, 1)] = -3.25;
  grid.values[cell(326, 165)] = 0.1;
  grid.values[cell(200, 100)] = 1e-7;
  return grid;
}

// One record of the grid's doubles, row 1 first.
inline std::string binary_grid(const Grid& grid) {
  std::string data;
  for (double value : grid.values) utl::put_f64le(data, value);
  std::string file;
  utl::append_record(file, data);
  return file;
}

// Free-format rows, each starting on a new line and wrapped before 80 columns, after the
// header lines `header` (each ending in a newline).
inline std::string free_grid(const Grid& grid, const std::string& header = "") {
  std::string out = header;
  for (int row = 1; row <= kNrow; ++row) {
    std::string line;
    for (int col = 1; col <= kNcol; ++col) {
      std::string item(1, ' ');
      item += utl::plain_number(grid.values[cell(col, row)]);
      if (item.find_first_of(".e") == std::string::npos) item += ".";
      if (line.size() + item.size() >= 80) out += line + "\n", line.clear();
      line += item;
    }
    out += line + "\n";
  }
  return out;
}

// 165 lines of 326 fields "%6.1f".
inline std::string fixed_grid(const Grid& grid) {
  std::string out;
  char field[32];
  for (int row = 1; row <= kNrow; ++row) {
    for (int col = 1; col <= kNcol; ++col) {
      std::snprintf(field, sizeof field, "%6.1f", grid.values[cell(col, row)]);
      out += std::string(field).size() == 6 ? field : "******";
    }
    out += "\n";
  }
  return out;
}

// 165 lines of 326 fields "%2d".
inline std::string flag_grid(const Ibound& ibound) {
  std::string out;
  char field[16];
  for (int row = 1; row <= kNrow; ++row) {
    for (int col = 1; col <= kNcol; ++col) {
      std::snprintf(field, sizeof field, "%2d", ibound.flags[cell(col, row)]);
      out += field;
    }
    out += "\n";
  }
  return out;
}

}  // namespace gridkit::fixtures
