// Names of grid files in an output directory: the monthly and yearly names corvane writes, and
// the files that lie beside grids without being grids gridkit reads.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gridkit {

// A name of the form YEAR.MONTH.EXT (a monthly recharge grid, such as 1998.04.rch) or YEAR.EXT
// (a yearly area grid, such as 1998.are), with a four-digit year and a month from 01 to 12.
struct PeriodName {
  int year = 0;
  int month = 0;  // 0 for a yearly grid
  std::string ext;
};

// The parts of `name`, or nothing when it has neither form.
std::optional<PeriodName> parse_period_name(std::string_view name);

// Whether `name` is a file that lies beside grids but is none: a hidden file (the temporary file
// of an unfinished write is one, .tmpN...), a temporary file of earlier versions (NAME.tmpN...),
// or a picture, export or listing (.png, .asc, .prj, .nc, .csv, .htm, .html).
bool is_beside_file(std::string_view name);

// The names of the regular files of the directory `dir`, in byte order. Throws Failure when it
// is not a directory or cannot be read.
std::vector<std::string> regular_files_in(const std::string& dir);

}  // namespace gridkit
