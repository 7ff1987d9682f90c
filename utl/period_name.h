// Names of stress-period grid files: YEAR.MONTH.EXT for a month's recharge grid (1998.04.rch),
// YEAR.EXT for a year's area grid (1998.are), as the grid writer names them and as the
// companion's commands read them back into years and months.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace utl {

// The file name of a stress period, without its directory: steady.ext (year <= 0), YYYY.ext
// (month <= 0) or YYYY.MM.ext, the year blank-filled to four characters and a year or period
// too wide shown as asterisks, as the model's own writes lay them out; trailing blanks of the
// name dropped.
std::string period_file_name(int year, int month, std::string_view ext);

// The path of a stress period's file: `dir` up to its last non-blank, '/', and
// period_file_name.
std::string stress_period_name(int year, int month, std::string_view dir, std::string_view ext);

// The parts of a period file name.
struct PeriodName {
  int year = 0;
  int month = 0;  // 0 for a yearly grid
  std::string ext;
};

// The parts of `name` when it is YEAR.MONTH.EXT or YEAR.EXT with a four-digit year and a month
// from 01 to 12 (a name such as 1998.13.rch is the yearly YEAR.EXT with extension 13.rch);
// nothing when it has neither form.
std::optional<PeriodName> parse_period_name(std::string_view name);

}  // namespace utl
