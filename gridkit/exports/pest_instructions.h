// A PEST instruction file that reads the observations
// of an impacts CSV (gridkit impacts) in a calibration loop: one observation per point and run
// volume, and per point and impact, named from the point's location so that the names stay the
// same from one year and one run to the next.
#pragma once

#include <string>
#include <string_view>

namespace gridkit {

// The observation name of the column `column` (e.g. "run_b") of the row `location`: the
// location in lower case with every character other than a letter or digit as "_", cut to 14
// characters, then "_" and the column's short name (co, ks, ne, mound, base, a, b, c, d).
std::string observation_name(std::string_view location, std::string_view column);

// The instruction file for the impacts CSV `csv`: one line per row below the header, which
// moves to the row, steps over commas with the secondary marker "~,~" and reads each
// non-empty number as a non-fixed observation. Throws Failure when the CSV is not an impacts
// CSV or two rows give the same observation name.
std::string impacts_instructions(std::string_view csv);

}  // namespace gridkit
