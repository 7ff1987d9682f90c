// The asc command: one grid as an Esri ASCII grid, with its coordinate system beside it
// when given.
#include "gridkit/exports/asc.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "gridkit/commands.h"
#include "gridkit/common.h"
#include "gridkit/exports/prj.h"
#include "gridkit/one_file_options.h"
#include "gridkit/readers/gridfile.h"

namespace gridkit {
namespace {

int run_asc(const std::vector<std::string>& args, std::ostream& out, std::ostream& /*err*/) {
  const std::optional<OneFileOptions> options = read_one_file_options(args, out);
  if (!options) return kExitSuccess;
  const LoadedGrid loaded = read_grid(options->file, options->format);
  const std::optional<Ibound> ibound = read_ibound_option(*options);
  write_asc_files(*options->output, format_asc(loaded.grid, ibound ? &*ibound : nullptr),
                  options->prj);
  return kExitSuccess;
}

}  // namespace

extern constinit const Command kAscCommand{
    "asc", "asc FILE -o OUT.asc [--ibound IBOUND] [--format FORM] [--prj WKT_FILE]",
    "a grid as an Esri ASCII grid",
    "A grid as an Esri ASCII grid, inactive cells as the no-data value.\n"
    "  -o, --output OUT  the grid to write\n"
    "  --format FORM     form of the grid file: text, binary, fixed, free or flags\n"
    "                    (default: told from the file's content)\n"
    "  --ibound FILE     active-cell flag grid (* for all cells active)\n"
    "  --prj FILE        also write OUT.prj, the coordinate system given as WKT in FILE\n",
    run_asc};

}  // namespace gridkit
