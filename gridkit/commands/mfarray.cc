// The mfarray command: grid files, or a directory of them, as the model's binary array files.
#include "gridkit/commands/mfarray.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <string_view>

#include "gridkit/commands.h"
#include "gridkit/common.h"
#include "gridkit/exports/mf_array_file.h"
#include "gridkit/option_cursor.h"
#include "gridkit/readers/grid_names.h"
#include "gridkit/readers/gridfile.h"
#include "utl/period_name.h"

namespace gridkit {
namespace {

namespace fs = std::filesystem;

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
      if (parsed.text.size() > kArrayTextLength) {
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
    check_array_values(loaded.grid, parsed.width, path);
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
  check_array_values(loaded.grid, parsed.width, parsed.input);
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
