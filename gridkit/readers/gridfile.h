// Grid files read into gridkit's grid, in any form the system writes or reads.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "gridkit/grid.h"
#include "gridkit/readers/detect.h"

namespace gridkit {

struct LoadedGrid {
  Grid grid;
  GridFormat format = GridFormat::kText;
};

// Reads the grid file at `path` in the form `format`, or in the form its content shows when
// none is given. Throws Failure (or utl::Fatal from the toolkit's readers) when the file cannot
// be read or does not hold a whole grid.
LoadedGrid read_grid(const std::string& path, std::optional<GridFormat> format);

// Reads like read_grid, in the form the content shows, into `loaded`, with `contents` left
// holding the file's bytes: both keep their storage, for reading many grids one after another.
void read_grid_into(const std::string& path, std::string& contents, LoadedGrid& loaded);

// Reads the grid of the form `format` from the bytes `contents` of the file `path` (named in
// messages, and opened again by the toolkit's flag reader for flag grids).
Grid parse_grid(const std::string& path, std::string_view contents, GridFormat format);

// The same into `grid`, every cell written.
void parse_grid_into(const std::string& path, std::string_view contents, GridFormat format,
                     Grid& grid);

// Reads an active-cell flag grid; "*" makes every cell active.
Ibound read_ibound(const std::string& path);

}  // namespace gridkit
