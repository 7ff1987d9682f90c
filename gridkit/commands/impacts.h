// The impacts of a year at full precision, as CSV: what tallisk's page shows rounded to whole
// acre-feet, with every number in the fewest digits that read back to the same double.
#pragma once

#include <array>
#include <iosfwd>
#include <string>
#include <vector>

#include "tallisk/accounts.h"
#include "tallisk/hydmod.h"
#include "tallisk/report.h"

namespace gridkit {

// The CSV of one year's impacts: a header, one row per point of `list` in list order, then the
// Mainstem and Total rows (whose mainstem and run volume fields are empty).
std::string impacts_csv(const tallisk::AccountList& list,
                        const std::array<tallisk::Volumes, tallisk::kRuns>& runs);

// `gridkit impacts [-12p] YEAR [-o FILE]`, run where tallisk runs: reads the list and the five
// run files as tallisk does (stopping with its messages) and writes the CSV to `out` or FILE.
int run_impacts(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace gridkit
