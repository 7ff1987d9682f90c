// The netcdf command's own parts: the calendar, the run's file names and the years covered.
// The files are read back by real readers in tests/readers, which also damage a grid.
#include "gridkit/commands/netcdf.h"

#include <gtest/gtest.h>

#include "gridkit/common.h"
#include "gridkit/exports/calendar.h"
#include "gridkit/grid.h"

namespace gridkit {
namespace {

TEST(Calendar, CountsDaysAcrossLeapYearsAndCenturies) {
  EXPECT_EQ(days_since_1940(1940, 3), 60);  // 1940 is a leap year
  EXPECT_EQ(days_since_1940(2000, 3) - days_since_1940(2000, 2), 29);
  EXPECT_EQ(days_since_1940(2100, 3) - days_since_1940(2100, 2), 28);
  EXPECT_EQ(month_bounds(1998, 12).end, days_since_1940(1999, 1));
}

TEST(RunFiles, CorvaneNamesGiveYearsAndMonths) {
  EXPECT_EQ(month_of("1998.12.rch", ".rch"), (std::pair{1998, 12}));
  for (const char* name : {"1998.13.rch", "1998.4.rch", "1998.04.rch.png", "1998.rch"}) {
    EXPECT_EQ(month_of(name, "rch"), std::nullopt) << name;
  }
  EXPECT_EQ(year_of("1998.04.are", "are"), std::nullopt);
  RunFiles files;
  files.months[{1998, 4}] = "a";
  files.years[2001] = "b";
  EXPECT_EQ(covered_years(parse_netcdf_args({"netcdf", "d", "rch", "-o", "r"}), files),
            (std::pair{1998, 2001}));
  EXPECT_THROW(covered_years(parse_netcdf_args({"netcdf", "d", "rch", "-o", "r"}), {}), Failure);
  EXPECT_THROW(parse_netcdf_args({"netcdf", "d", "rch", "-o", "r", "--years", "1999-1998"}),
               Failure);
}

}  // namespace
}  // namespace gridkit
