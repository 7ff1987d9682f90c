// The options of the commands on one grid or run file, read and checked in one place so that
// stats, png, asc, hydmod and obs answer a misuse alike.
#include "gridkit/one_file_options.h"

#include <iostream>
#include <string_view>

#include "gridkit/common.h"
#include "gridkit/exports/prj.h"
#include "gridkit/option_cursor.h"
#include "gridkit/option_values.h"
#include "gridkit/pictures/map.h"
#include "gridkit/readers/gridfile.h"
#include "gridkit/run.h"

namespace gridkit {
namespace {

// The value of --scale. Throws Failure when it is no whole number of pixels in the range.
int parse_scale(const std::string& text) {
  const std::optional<int> scale = whole_number_in(text, kMinScale, kMaxScale);
  if (!scale) {
    throw Failure("--scale takes a whole number of pixels from 1 to 12, not '" + text + "'");
  }
  return *scale;
}

// Parses the arguments after the command; `version` tells whether --version was among them.
// Throws Failure on a misuse.
OneFileOptions parse_options(const std::vector<std::string>& args, bool& version) {
  OneFileOptions options;
  options.command = args.front();
  bool have_file = false;
  walk_arguments(args, [&](OptionCursor& cursor, const std::string& name) {
    if (name == "--version") {
      version = true;
    } else if (name == "--format") {
      const std::string form = cursor.value();
      options.format = parse_format(form);
      if (!options.format) {
        throw Failure("unknown grid form '" + form + "' (text, binary, fixed, free or flags)");
      }
    } else if (name == "--ibound") {
      options.ibound = cursor.value();
    } else if (cursor.is_output()) {
      options.output = cursor.value();
    } else if (name == "--prj") {
      options.prj = cursor.value();
    } else if (name == "--epsg") {
      throw Failure(std::string(kNoEpsg));
    } else if (name == "--scale") {
      options.scale = parse_scale(cursor.value());
    } else {
      cursor.take_single_operand(options.file, have_file, "input file");
    }
  });
  return options;
}

// Checks that the options given fit the command and that its file and output are named.
void check_options(const OneFileOptions& options) {
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

}  // namespace

std::optional<OneFileOptions> read_one_file_options(const std::vector<std::string>& args,
                                                    std::ostream& out) {
  bool version = false;
  const OneFileOptions options = parse_options(args, version);
  if (version) {
    out << kVersion << "\n";
    return std::nullopt;
  }
  check_options(options);
  return options;
}

std::optional<Ibound> read_ibound_option(const OneFileOptions& options) {
  if (!options.ibound) return std::nullopt;
  return read_ibound(*options.ibound);
}

}  // namespace gridkit
