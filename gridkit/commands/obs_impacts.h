// The obs-impacts command: a year's impacts from the MODFLOW 6 observation files of its five
// runs, written as tallisk's CSV of full precision and as tallisk's page.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace gridkit {

// `gridkit obs-impacts [-12p] YEAR BASE A B C D [--list FILE] [--from T] [--steps N]
// [-o OUT.csv] [--page OUT.htm]`: reads the accounting-point list (tallisk's, from the working
// directory, unless --list names one) and the five runs' observation files, integrates N time
// steps (24) from time T (0) and writes the CSV to OUT.csv (or `out` when neither output is
// named) and the page to OUT.htm. Throws Failure on a misuse or an input that fails.
int run_obs_impacts(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace gridkit
