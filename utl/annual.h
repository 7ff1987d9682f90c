// Annual tables: one record per year, one column per named series, read by series label.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace utl {

// Index in an annual table of (year, series k), k counted from 1: year varies fastest, so each
// series occupies the years `year1` to `year2` one after another.
// REQUIRES: year1 <= year <= year2, 1 <= k.
inline std::size_t annual_index(int year, int k, int year1, int year2) {
  const auto years = static_cast<std::size_t>(static_cast<long long>(year2) - year1 + 1);
  return static_cast<std::size_t>(k - 1) * years +
         static_cast<std::size_t>(static_cast<long long>(year) - year1);
}

// Clears `table` for the years `year1` to `year2` and the series 1 to `nseries`, then fills it
// from `file`, whose header must hold a time label and the series `labels` (upper case,
// 32 characters) in order. Data records carry a year and one real per series; comments and
// blank records are skipped, years outside the range are skipped after their year is checked,
// and a later record for a year overwrites an earlier one. Every failure stops through error2
// with the file name. A `year1` above `year2` stores nothing.
// REQUIRES: table.size() >= nseries * (year2 - year1 + 1); labels.size() >= nseries
// (std::invalid_argument otherwise, before anything is written).
void readyears(std::string_view file, std::span<double> table, std::span<const std::string> labels,
               int nseries, int year1, int year2);

}  // namespace utl
