// The commands on one grid or run file: stats, png, asc, hydmod and obs.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace gridkit {

// Runs `args` (the command's name, then its arguments): statistics on `out`, pictures and
// tables to the file named by -o. Throws Failure on a misuse or an input that fails.
int run_grid_command(const std::vector<std::string>& args, std::ostream& out);

}  // namespace gridkit
