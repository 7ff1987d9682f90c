// The stats command: the figures of one grid on standard output.
#include "gridkit/figures/stats.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "gridkit/commands.h"
#include "gridkit/common.h"
#include "gridkit/one_file_options.h"
#include "gridkit/readers/gridfile.h"

namespace gridkit {
namespace {

int run_stats(const std::vector<std::string>& args, std::ostream& out, std::ostream& /*err*/) {
  const std::optional<OneFileOptions> options = read_one_file_options(args, out);
  if (!options) return kExitSuccess;
  const LoadedGrid loaded = read_grid(options->file, options->format);
  const std::optional<Ibound> ibound = read_ibound_option(*options);
  out << format_stats(compute_stats(loaded.grid, ibound ? &*ibound : nullptr), options->file,
                      std::string(format_name(loaded.format)));
  return kExitSuccess;
}

}  // namespace

extern constinit const Command kStatsCommand{
    "stats", "stats FILE [--ibound IBOUND] [--format FORM]",
    "minimum, maximum, sum and nonzero cells of a grid",
    "The minimum, maximum and sum of a grid's cells and its nonzero cells on standard\n"
    "output; with --ibound also the active cells and the sums over active and inactive\n"
    "cells apart.\n"
    "  --format FORM     form of the grid file: text, binary, fixed, free or flags\n"
    "                    (default: told from the file's content)\n"
    "  --ibound FILE     active-cell flag grid (* for all cells active)\n",
    run_stats};

}  // namespace gridkit
