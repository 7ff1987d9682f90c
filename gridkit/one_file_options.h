// The options of the commands on one grid or run file (stats, png, asc, hydmod and obs), which
// share their options, their one input file and their messages about either.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "gridkit/grid.h"
#include "gridkit/readers/detect.h"

namespace gridkit {

struct OneFileOptions {
  std::string command;
  std::string file;
  std::optional<GridFormat> format;
  std::optional<std::string> ibound;
  std::optional<std::string> output;
  std::optional<std::string> prj;
  std::optional<int> scale;
};

// Reads the arguments `args` (the command's name, then its arguments) and checks that the
// options given fit the command and that its file and output are named; prints the version on
// `out` and returns nothing when --version is among them. Throws Failure on a misuse.
std::optional<OneFileOptions> read_one_file_options(const std::vector<std::string>& args,
                                                    std::ostream& out);

// The active-cell flags of the grid named by --ibound, or none without it.
std::optional<Ibound> read_ibound_option(const OneFileOptions& options);

}  // namespace gridkit
