// Stress-period grid writer: one grid per file, named by steady state, year or year and month,
// written as text or as one binary record. Files appear whole or not at all.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace utl {

// Writes `mult` times each cell of `grid` (`nrow` rows of `ncol` columns) to the stress-period
// file (utl::stress_period_name), binary when `bin` is nonzero, and returns the file's name.
// Writes nothing and returns nothing when `mult` is 0 or every written value would be 0; an
// older file of the name then stays as it was. Stops with "Cannot open file " or "Cannot write
// to file " and the name. REQUIRES: grid.size() >= nrow * ncol.
std::optional<std::string> storemonth(std::span<const double> grid, double mult, int nrow, int ncol,
                                      int year, int month, std::string_view dir,
                                      std::string_view ext, int bin);

}  // namespace utl
