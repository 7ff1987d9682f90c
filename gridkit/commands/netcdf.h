// `gridkit netcdf DIR RECHARGE_EXT [AREA_EXT] -o RUN.nc`: the grids of one corvane run as one
// CF NetCDF file, months without a grid file as zeros, so the time axis is regular.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "gridkit/readers/run_files.h"

namespace gridkit {

struct NetcdfArgs {
  std::string dir;
  std::string recharge_ext;
  std::optional<std::string> area_ext;
  std::string output;
  std::optional<std::pair<int, int>> years;  // first and last, from --years
  std::optional<std::string> ibound;
  std::optional<std::string> prj;  // a file holding the coordinate system's WKT
};

// Reads the command line after "netcdf". Throws Failure on a misuse.
NetcdfArgs parse_netcdf_args(const std::vector<std::string>& args);

// The years the file covers: those asked for, or from the first to the last year with a grid
// file. Throws Failure when there are none.
std::pair<int, int> covered_years(const NetcdfArgs& args, const RunFiles& files);

// Runs the command; a line on `out` tells what was written.
int run_netcdf(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace gridkit
