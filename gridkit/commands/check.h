// The check command: the grid files of an output directory held against the water balance of
// the corvane run that wrote there, to catch grids an earlier run left behind.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace gridkit {

// Runs `gridkit check` with the arguments after the command's name: findings on `out`. Returns 0
// when every grid file was written by the run and every file it names is there, 1 when not;
// throws Failure on trouble, which gridkit's run() reports with status 2.
int run_check(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace gridkit
