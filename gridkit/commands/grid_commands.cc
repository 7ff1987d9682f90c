// The commands on one grid or run file: stats, png, asc, hydmod and obs, which share their
// options and their one input file.
#include "gridkit/commands/grid_commands.h"

#include <charconv>
#include <iostream>
#include <optional>
#include <string_view>

#include "gridkit/exports/asc.h"
#include "gridkit/exports/hydmod_csv.h"
#include "gridkit/exports/obs_csv.h"
#include "gridkit/exports/prj.h"
#include "gridkit/figures/stats.h"
#include "gridkit/option_cursor.h"
#include "gridkit/pictures/map.h"
#include "gridkit/pictures/png.h"
#include "gridkit/readers/gridfile.h"
#include "gridkit/run.h"
#include "utl/textfile.h"

namespace gridkit {
namespace {

constexpr int kDefaultScale = 3;

struct Options {
  std::string command;
  std::string file;
  std::optional<GridFormat> format;
  std::optional<std::string> ibound;
  std::optional<std::string> output;
  std::optional<std::string> prj;
  std::optional<int> scale;
  bool version = false;
};

// Parses the arguments after the command. Throws Failure on a misuse.
Options parse_options(const std::vector<std::string>& args) {
  Options options;
  options.command = args.front();
  bool have_file = false;
  OptionCursor cursor(args, 1);
  while (!cursor.done()) {
    const std::string& name = cursor.take();
    if (name == "--version") {
      options.version = true;
    } else if (name == "--format") {
      const std::string form = cursor.value();
      options.format = parse_format(form);
      if (!options.format) {
        throw Failure("unknown grid form '" + form + "' (text, binary, fixed, free or flags)");
      }
    } else if (name == "--ibound") {
      options.ibound = cursor.value();
    } else if (name == "-o" || name == "--output") {
      options.output = cursor.value();
    } else if (name == "--prj") {
      options.prj = cursor.value();
    } else if (name == "--epsg") {
      throw Failure(std::string(kNoEpsg));
    } else if (name == "--scale") {
      const std::string text = cursor.value();
      int scale = 0;
      const auto result = std::from_chars(text.data(), text.data() + text.size(), scale);
      if (result.ec != std::errc{} || result.ptr != text.data() + text.size() ||
          scale < kMinScale || scale > kMaxScale) {
        throw Failure("--scale takes a whole number of pixels from 1 to 12, not '" + text + "'");
      }
      options.scale = scale;
    } else if (name.size() > 1 && name.front() == '-') {
      throw UsageError("unknown option " + name);
    } else if (have_file) {
      throw Failure("more than one input file: " + options.file + " and " + cursor.argument());
    } else {
      options.file = cursor.argument();
      have_file = true;
    }
  }
  return options;
}

// Checks that the options given fit the command and that its file and output are named.
void check_options(const Options& options) {
  const std::string& command = options.command;
  const bool grid_command = command != "hydmod" && command != "obs";
  if (options.format && !grid_command) throw Failure(command + " takes no --format");
  if (options.ibound && !grid_command) throw Failure(command + " takes no --ibound");
  if (options.scale && command != "png") throw Failure(command + " takes no --scale");
  if (options.prj && command != "asc") throw Failure(command + " takes no --prj");
  if (options.output && command == "stats") throw Failure("stats takes no output file");
  if (options.file.empty()) throw Failure(command + " needs a file to read");
  if (command != "stats" && !options.output) {
    throw Failure(command + " needs an output file: -o OUT");
  }
}

int run_command(const Options& options, std::ostream& out) {
  const std::string& command = options.command;
  if (command == "hydmod") {
    std::string contents;
    // A HYDMOD file is binary: no lines, only the bound on a whole file.
    const utl::ReadStatus read = utl::read_whole_file(options.file, contents, utl::kLargestFile);
    if (read == utl::ReadStatus::kCannotOpen) throw Failure("cannot read " + options.file);
    if (read == utl::ReadStatus::kTooLong) throw Failure(options.file + ": larger than 256 MiB");
    write_output_file(*options.output, hydmod_to_csv(contents, options.file));
    return 0;
  }
  if (command == "obs") {
    write_output_file(*options.output, obs_to_csv(read_obs_file(options.file)));
    return 0;
  }

  const LoadedGrid loaded = read_grid(options.file, options.format);
  std::optional<Ibound> ibound;
  if (options.ibound) ibound = read_ibound(*options.ibound);
  const Ibound* flags = ibound ? &*ibound : nullptr;
  if (command == "stats") {
    out << format_stats(compute_stats(loaded.grid, flags), options.file,
                        std::string(format_name(loaded.format)));
  } else if (command == "png") {
    const Image image = draw_map(loaded.grid, flags, options.scale.value_or(kDefaultScale));
    write_output_file(*options.output, encode_png(image));
  } else {
    write_asc_files(*options.output, format_asc(loaded.grid, flags), options.prj);
  }
  return 0;
}

}  // namespace

int run_grid_command(const std::vector<std::string>& args, std::ostream& out) {
  const Options options = parse_options(args);
  if (options.version) {
    out << kVersion << "\n";
    return 0;
  }
  check_options(options);
  return run_command(options, out);
}

}  // namespace gridkit
