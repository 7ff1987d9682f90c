// Monthly return-flow tables: one row per year-month, one column per area, read by area name.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace corvane {

// Index in the return-flow table of (area, year, month), all counted from 1 (month fastest,
// then year from `first_year`, then area).
inline std::size_t retaf_index(int area, int year, int month, int first_year, int last_year) {
  const std::size_t months = 12 * static_cast<std::size_t>(last_year - first_year + 1);
  return static_cast<std::size_t>(area - 1) * months +
         static_cast<std::size_t>(year - first_year) * 12 + static_cast<std::size_t>(month - 1);
}

// Clears and fills `retaf` for areas 1 to `narea` from the table `file`, whose header must name
// the areas `names` (upper case, 32 characters) in order. Records of years outside
// `first_year`..`last_year` are skipped. Every failure stops the run.
// REQUIRES: retaf holds narea * 12 * (last_year - first_year + 1) values; names.size() >= narea.
void readmonths(std::string_view file, std::span<double> retaf, std::span<const std::string> names,
                int narea, int first_year, int last_year);

}  // namespace corvane
