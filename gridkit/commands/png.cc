// The png command: a map of one grid as a PNG picture.
#include "gridkit/pictures/png.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "gridkit/commands.h"
#include "gridkit/common.h"
#include "gridkit/one_file_options.h"
#include "gridkit/pictures/map.h"
#include "gridkit/readers/gridfile.h"

namespace gridkit {
namespace {

constexpr int kDefaultScale = 3;

int run_png(const std::vector<std::string>& args, std::ostream& out, std::ostream& /*err*/) {
  const std::optional<OneFileOptions> options = read_one_file_options(args, out);
  if (!options) return kExitSuccess;
  const LoadedGrid loaded = read_grid(options->file, options->format);
  const std::optional<Ibound> ibound = read_ibound_option(*options);
  const Image image =
      draw_map(loaded.grid, ibound ? &*ibound : nullptr, options->scale.value_or(kDefaultScale));
  write_output_file(*options->output, encode_png(image));
  return kExitSuccess;
}

}  // namespace

extern constinit const Command kPngCommand{
    "png", "png FILE -o OUT.png [--ibound IBOUND] [--format FORM] [--scale N]",
    "a map of a grid as a PNG picture",
    "A map of a grid as a PNG picture, inactive cells masked.\n"
    "  -o, --output OUT  the picture to write\n"
    "  --format FORM     form of the grid file: text, binary, fixed, free or flags\n"
    "                    (default: told from the file's content)\n"
    "  --ibound FILE     active-cell flag grid (* for all cells active)\n"
    "  --scale N         pixels per cell, 1 to 12 (default 3)\n",
    run_png};

}  // namespace gridkit
