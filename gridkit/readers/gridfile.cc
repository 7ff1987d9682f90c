// Grid files of every form read into one grid of reals: binary records and fixed-width fields
// here, free-format and flag grids through the toolkit's readers.
#include "gridkit/readers/gridfile.h"

#include <cmath>
#include <limits>
#include <span>
#include <vector>

#include "gridkit/common.h"
#include "utl/fatal.h"
#include "utl/fields.h"
#include "utl/gridread.h"
#include "utl/records.h"
#include "utl/textfile.h"

namespace gridkit {
namespace {

constexpr std::size_t kFixedWidth = 6;

void parse_binary(const std::string& path, std::string_view contents, Grid& grid) {
  utl::RecordReader reader(contents);
  std::string_view record;
  if (reader.next(record) != utl::RecordReader::Status::kRecord) {
    throw Failure(path + ": the binary record is cut short");
  }
  if (record.size() != kCells * sizeof(double)) {
    throw Failure(path + ": the binary record holds " + std::to_string(record.size()) +
                  " bytes, not the " + std::to_string(kCells * sizeof(double)) +
                  " of 326 by 165 reals");
  }
  // Exactly one record: trailing bytes or a second record are no part of a grid, and a file
  // of two grids would otherwise pass as its first.
  if (const std::size_t after = reader.remaining(); after > 0) {
    throw Failure(path + ": " + std::to_string(after) +
                  " bytes after the binary record; a grid file holds exactly one");
  }
  for (std::size_t i = 0; i < kCells; ++i) {
    grid.values[i] = utl::get_f64le(record.data() + sizeof(double) * i);
  }
}

// One six-character field with one decimal: blanks are ignored, a field without a decimal point
// or exponent has its last digit after the point (as the format reads it), and a field of
// asterisks (a value that did not fit when written) gives NaN.
bool parse_fixed_field(std::string_view field, double& value) {
  if (!field.empty() && field.find_first_not_of('*') == std::string_view::npos) {
    value = std::numeric_limits<double>::quiet_NaN();
    return true;
  }
  std::string digits;
  for (char c : field) {
    if (c != ' ') digits += c;
  }
  if (digits.empty()) {
    value = 0.0;
    return true;
  }
  if (digits.find_first_of(".eEdD") != std::string::npos) {
    return utl::convert_real(digits, value) == 0;
  }
  int scaled = 0;
  if (utl::convert_int(digits, scaled) != 0) return false;
  value = scaled / 10.0;
  return true;
}

void parse_fixed(const std::string& path, std::string_view contents, Grid& grid) {
  utl::TextFile text;
  text.assign(contents);
  std::string_view line;
  for (int row = 1; row <= kNrow; ++row) {
    if (!text.next_line(line)) {
      throw Failure(path + ": the file ends before row " + std::to_string(row));
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    for (int col = 1; col <= kNcol; ++col) {
      // A short line reads as if padded with blanks.
      const std::size_t start = kFixedWidth * (col - 1);
      const std::string_view field =
          start < line.size() ? line.substr(start, kFixedWidth) : std::string_view{};
      double& cell = grid.values[std::size_t{kNcol} * (row - 1) + (col - 1)];
      if (!parse_fixed_field(field, cell)) {
        throw Failure(path + ": row " + std::to_string(row) + ", column " + std::to_string(col) +
                      ": \"" + std::string(field) + "\" is not a number");
      }
    }
  }
}

// The form of the grid file `path` of content `contents`; a failure names the file.
GridFormat detect_in(const std::string& path, std::string_view contents) {
  try {
    return detect_format(contents);
  } catch (const Failure& failure) {
    throw Failure(path + ": " + failure.what());
  }
}

}  // namespace

void parse_grid_into(const std::string& path, std::string_view contents, GridFormat format,
                     Grid& grid) {
  // A binary grid sets every cell; the other forms start from zeros.
  if (format == GridFormat::kBinary) {
    grid.values.resize(kCells);
  } else {
    grid.values.assign(kCells, 0.0);
  }
  switch (format) {
    case GridFormat::kBinary:
      return parse_binary(path, contents, grid);
    case GridFormat::kFixed:
      return parse_fixed(path, contents, grid);
    case GridFormat::kText:
    case GridFormat::kFree:
      // The text already read, with the messages the toolkit's reader stops with.
      switch (utl::read_free_grid(contents, grid.values, kNrow, kNcol,
                                  format == GridFormat::kFree ? 1 : 0)) {
        case utl::FreeGridStatus::kOk:
          return;
        case utl::FreeGridStatus::kShortHeader:
          utl::error2("Error reading file header", path);
        case utl::FreeGridStatus::kBadValue:
          utl::error2("Error reading file", path);
      }
      break;
    case GridFormat::kFlags: {
      std::vector<int> flags(kCells, 0);
      std::vector<std::string> names(1, std::string(1, ' '));
      int nzone = 0;
      utl::readflags(path, flags, kNrow, kNcol, names, nzone, 0);
      for (std::size_t i = 0; i < kCells; ++i) grid.values[i] = flags[i];
      return;
    }
  }
  throw Failure(path + ": unknown grid form");
}

Grid parse_grid(const std::string& path, std::string_view contents, GridFormat format) {
  Grid grid;
  parse_grid_into(path, contents, format, grid);
  return grid;
}

LoadedGrid read_grid(const std::string& path, std::optional<GridFormat> format) {
  std::string contents;
  read_input_file(path, contents);
  LoadedGrid loaded;
  loaded.format = format ? *format : detect_in(path, contents);
  loaded.grid = parse_grid(path, contents, loaded.format);
  return loaded;
}

void read_grid_into(const std::string& path, std::string& contents, LoadedGrid& loaded) {
  read_input_file(path, contents);
  loaded.format = detect_in(path, contents);
  parse_grid_into(path, contents, loaded.format, loaded.grid);
}

Ibound read_ibound(const std::string& path) {
  Ibound ibound;
  std::vector<std::string> names(1, std::string(1, ' '));
  int nzone = 0;
  utl::readflags(path, ibound.flags, kNrow, kNcol, names, nzone, 0);
  return ibound;
}

}  // namespace gridkit
