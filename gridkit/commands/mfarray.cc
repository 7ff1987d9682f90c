// Grids written as the model's binary array files.
#include "gridkit/commands/mfarray.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <limits>
#include <optional>
#include <string_view>

#include "gridkit/commands.h"
#include "gridkit/common.h"
#include "gridkit/option_cursor.h"
#include "gridkit/readers/grid_names.h"
#include "gridkit/readers/gridfile.h"
#include "utl/grid_geometry.h"
#include "utl/period_name.h"
#include "utl/records.h"

namespace gridkit {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kTextLength = 16;

constexpr std::string_view kMfarrayUsage =
    "Usage: gridkit mfarray GRID -o OUT\n"
    "       gridkit mfarray DIR -o OUT_DIR\n"
    "\n"
    "A grid as a MODFLOW binary array file (a header record, then the array), or every grid\n"
    "file of DIR as a file of the same name in OUT_DIR.\n"
    "  --precision P   double (default) or single: the precision of the model's build\n"
    "  --text TEXT     the header's 16-character text (default RECHARGE)\n";

struct MfarrayArgs {
  bool help = false;
  std::string input;
  std::string output;
  RealWidth width = RealWidth::kDouble;
  std::string text = "RECHARGE";
};

MfarrayArgs parse_mfarray_args(const std::vector<std::string>& args) {
  MfarrayArgs parsed;
  bool have_input = false;
  bool have_output = false;
  parsed.help = walk_arguments(args, [&](OptionCursor& cursor, const std::string& name) {
    if (cursor.is_output()) {
      parsed.output = cursor.value();
      have_output = true;
    } else if (name == "--precision") {
      const std::string precision = cursor.value();
      if (precision == "double") {
        parsed.width = RealWidth::kDouble;
      } else if (precision == "single") {
        parsed.width = RealWidth::kSingle;
      } else {
        throw Failure("--precision takes double or single, not '" + precision + "'");
      }
    } else if (name == "--text") {
      parsed.text = cursor.value();
      if (parsed.text.size() > kTextLength) {
        throw Failure("--text holds at most 16 characters: '" + parsed.text + "'");
      }
    } else {
      cursor.take_single_operand(parsed.input, have_input, "input");
    }
  });
  if (parsed.help) return parsed;
  if (!have_input) throw Failure("mfarray needs a grid file or a directory of them");
  if (!have_output) throw Failure("mfarray needs an output: -o OUT");
  return parsed;
}

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

// A value the array cannot carry into the model: a cell the grid file could not show, or one
// beyond the range of single precision.
void check_values(const Grid& grid, RealWidth width, const std::string& path) {
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

// Every grid file of `dir` (named YEAR.MONTH.EXT or YEAR.EXT) as an array file of the same
// name in `out_dir`, the month as the header's stress period. Returns the number written.
int convert_directory(const MfarrayArgs& parsed) {
  std::error_code error;
  fs::create_directories(parsed.output, error);
  if (!fs::is_directory(parsed.output)) throw Failure("cannot create directory " + parsed.output);
  std::string contents;
  std::string file;
  LoadedGrid loaded;
  int written = 0;
  for (const std::string& name : regular_files_in(parsed.input)) {
    const auto period = utl::parse_period_name(name);
    if (!period || is_beside_file(name)) continue;
    const std::string path = (fs::path(parsed.input) / name).string();
    read_grid_into(path, contents, loaded);
    check_values(loaded.grid, parsed.width, path);
    ArrayHeader header;
    header.kper = period->month > 0 ? period->month : 1;
    header.text = parsed.text;
    encode_array_file_into(loaded.grid, header, parsed.width, file);
    write_output_file((fs::path(parsed.output) / name).string(), file);
    ++written;
  }
  return written;
}

}  // namespace

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
  const std::string text = header.text.substr(0, kTextLength);
  head += std::string(kTextLength - text.size(), ' ') + text;
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

int run_mfarray(const std::vector<std::string>& args, std::ostream& out, std::ostream& /*err*/) {
  const MfarrayArgs parsed = parse_mfarray_args(args);
  if (parsed.help) {
    out << kMfarrayUsage;
    return 0;
  }
  if (fs::is_directory(parsed.input)) {
    const int written = convert_directory(parsed);
    out << "gridkit: " << written << " array files in " << parsed.output << "\n";
    return 0;
  }
  const LoadedGrid loaded = read_grid(parsed.input, std::nullopt);
  check_values(loaded.grid, parsed.width, parsed.input);
  ArrayHeader header;
  header.text = parsed.text;
  if (const auto period = utl::parse_period_name(fs::path(parsed.input).filename().string())) {
    if (period->month > 0) header.kper = period->month;
  }
  write_output_file(parsed.output, encode_array_file(loaded.grid, header, parsed.width));
  return 0;
}

extern constinit const Command kMfarrayCommand{
    "mfarray", "mfarray GRID|DIR -o OUT [--precision double|single] [--text TEXT]",
    "a grid, or a directory of them, as MODFLOW binary array files", "", run_mfarray};

}  // namespace gridkit
