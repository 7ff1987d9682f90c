// The impacts of a year at full precision, as CSV: what tallisk's page shows rounded to whole
// acre-feet, with every number in the fewest digits that read back to the same double.
#pragma once

#include <array>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "tallisk/accounts.h"
#include "tallisk/hydmod.h"
#include "tallisk/report.h"

namespace gridkit {

// The header line of the impacts CSV (without its line end), as written and as read back.
inline constexpr std::string_view kImpactsHeader =
    "location,mainstem,colorado_pumping,kansas_pumping,nebraska_pumping,nebraska_mound,"
    "base,run_a,run_b,run_c,run_d";

// The CSV of one year's impacts: a header, one row per point of `list` in list order, then the
// Mainstem and Total rows (whose mainstem and run volume fields are empty).
std::string impacts_csv(const tallisk::AccountList& list,
                        const std::array<tallisk::Volumes, tallisk::kRuns>& runs);

// `gridkit impacts [-12p] YEAR [-o FILE]`, run where tallisk runs: reads the list and the five
// run files as tallisk does (stopping with its messages) and writes the CSV to `out` or FILE.
int run_impacts(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace gridkit
