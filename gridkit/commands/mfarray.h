// `gridkit mfarray GRID -o OUT`: a grid as the model's binary array file
// (gridkit/exports/mf_array_file.h). Given a directory, every grid file of it becomes an array file
// of the same name in the output directory.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace gridkit {

// Runs the command; a line on `out` tells what was written.
int run_mfarray(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace gridkit
