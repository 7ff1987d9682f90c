// `gridkit pest-ins IMPACTS.csv -o OUT.ins`: the PEST instruction file of an impacts CSV
// (gridkit/exports/pest_instructions.h).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace gridkit {

// Runs the command; a line on `out` tells what was written.
int run_pest_instructions(const std::vector<std::string>& args, std::ostream& out,
                          std::ostream& err);

}  // namespace gridkit
