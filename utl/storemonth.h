// Stress-period grid writer: one grid per file, named by steady state, year or year and month,
// written as text or as one binary record. Files appear whole or not at all.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace utl {

// The file name for a stress period: dir/steady.ext (year <= 0), dir/YYYY.ext (month <= 0) or
// dir/YYYY.MM.ext. `dir` is taken up to its last non-blank; `ext` whole, trailing blanks of the
// name dropped.
std::string stress_period_name(int year, int month, std::string_view dir, std::string_view ext);

// Writes `mult` times each cell of `grid` (`nrow` rows of `ncol` columns) to the stress-period
// file, binary when `bin` is nonzero. Writes nothing when `mult` is 0 or every written value
// would be 0. Stops with "Cannot open file " or "Cannot write to file " and the name.
// REQUIRES: grid.size() >= nrow * ncol.
void storemonth(std::span<const double> grid, double mult, int nrow, int ncol, int year, int month,
                std::string_view dir, std::string_view ext, int bin);

}  // namespace utl
