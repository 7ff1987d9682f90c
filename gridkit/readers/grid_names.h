// Names of files in an output directory that lie beside grids without being grids gridkit
// reads, and the listing of a directory's files. (The monthly and yearly names corvane gives
// its grids are utl::parse_period_name's.)
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gridkit {

// Whether `name` is a file that lies beside grids but is none: a hidden file (the temporary file
// of an unfinished write is one, .tmpN...), a temporary file of earlier versions (NAME.tmpN...),
// or a picture, export or listing (.png, .asc, .prj, .nc, .csv, .htm, .html).
bool is_beside_file(std::string_view name);

// The names of the regular files of the directory `dir`, in byte order. Throws Failure when it
// is not a directory or cannot be read.
std::vector<std::string> regular_files_in(const std::string& dir);

}  // namespace gridkit
