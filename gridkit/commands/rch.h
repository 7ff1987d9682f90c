// `gridkit rch BALANCE --year YEAR -o OUT.rch`: the model's recharge package file for one year of
// a corvane run (with --years Y1-Y2 -o DIR, one file DIR/YEAR.rch for each year). Each month is one
// stress period (gridkit/exports/rch_file.h).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "gridkit/exports/rch_file.h"

namespace gridkit {

// Runs the command; a line on `out` tells what was written.
int run_rch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace gridkit
