// `gridkit pest-tpl FILE --param NAME=AREA:WHAT ... -o OUT.tpl`: a PEST template of a corvane
// input (gridkit/exports/pest_template.h).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace gridkit {

// Runs the command; a line on `out` tells what was written.
int run_pest_template(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace gridkit
