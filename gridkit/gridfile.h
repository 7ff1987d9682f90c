// Grid files read into gridkit's grid, in any form the system writes or reads.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "gridkit/detect.h"
#include "gridkit/grid.h"

namespace gridkit {

struct LoadedGrid {
  Grid grid;
  GridFormat format = GridFormat::kText;
};

// Reads the grid file at `path` in the form `format`, or in the form its content shows when
// none is given. Throws Failure (or utl::Fatal from the toolkit's readers) when the file cannot
// be read or does not hold a whole grid.
LoadedGrid read_grid(const std::string& path, std::optional<GridFormat> format);

// Reads the grid of the form `format` from the bytes `contents` of the file `path` (named in
// messages and opened again by the toolkit's text readers).
Grid parse_grid(const std::string& path, std::string_view contents, GridFormat format);

// Reads an active-cell flag grid; "*" makes every cell active.
Ibound read_ibound(const std::string& path);

}  // namespace gridkit
