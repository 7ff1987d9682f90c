// The recharge package file of a year: the months' grids, their multipliers and the months
// without a grid, as the model's array reader takes them.
#include "gridkit/exports/rch_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gridkit/common.h"

namespace gridkit {
namespace {

std::vector<BalanceMonth> two_months() {
  return {{1998, 4, 1697.5, "grids/text/1998.04.rch"},
          {1998, 7, 1287.0, "grids/text/1998.07.rch"},
          {1999, 4, 438.2, "grids/text/1999.04.rch"},
          {1998, 9, 0.0, ""}};
}

RchLayout layout_of(int year) {
  RchLayout layout;
  layout.year = year;
  layout.source = "balance.csv";
  return layout;
}

// The lines of `text` that are not comments.
std::vector<std::string> data_lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find('\n', at);
    const std::string line = text.substr(at, end - at);
    if (!line.starts_with("#")) lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

TEST(RchMultiplier, TurnsAcreFeetPerCellPerMonthIntoFeetPerTimeUnit) {
  RchLayout layout = layout_of(1998);
  // A 30-day month in days: 43560 / (5280^2 x 30).
  EXPECT_EQ(rch_multiplier(1998, 4, layout), 43560.0 / (5280.0 * 5280.0 * 30.0));
  EXPECT_EQ(rch_multiplier(1998, 1, layout), 43560.0 / (5280.0 * 5280.0 * 31.0));
  // February of a leap year has 29 days, of other years 28.
  EXPECT_EQ(month_length(2000, 2, layout), 29.0);
  EXPECT_EQ(month_length(1900, 2, layout), 28.0);
  EXPECT_EQ(month_length(1998, 12, layout), 31.0);
  layout.thirty_day_months = true;
  EXPECT_EQ(month_length(1998, 2, layout), 30.0);
  layout.unit = TimeUnit::kSeconds;
  EXPECT_EQ(month_length(1998, 2, layout), 30.0 * 86400.0);
  layout.unit = TimeUnit::kYears;
  EXPECT_EQ(month_length(1998, 2, layout), 30.0 / 365.25);
}

TEST(Rch, OnePeriodAMonthWithTheGridOrNone) {
  const auto lines = data_lines(format_rch(two_months(), layout_of(1998)));
  ASSERT_EQ(lines.size(), 1U + 2U * 12U);
  EXPECT_EQ(lines[0].substr(0, 20), "         1         0");  // NRCHOP 1, no budget file
  EXPECT_EQ(lines[1].substr(0, 10), "         1");
  EXPECT_EQ(lines[2], "CONSTANT 0.0");  // January: no grid
  EXPECT_EQ(lines[8], "OPEN/CLOSE grids/text/1998.04.rch 0.00005208333333333334 (FREE) -1");
  EXPECT_EQ(lines[14], "OPEN/CLOSE grids/text/1998.07.rch 0.00005040322580645161 (FREE) -1");
  // September's return flow was all dropped: the balance names no grid, so none is read.
  EXPECT_EQ(lines[18], "CONSTANT 0.0");
  // The other year's April is not this year's.
  int grids = 0;
  for (const std::string& line : lines) grids += line.starts_with("OPEN/CLOSE") ? 1 : 0;
  EXPECT_EQ(grids, 2);
}

TEST(Rch, GridsFromAnotherDirectoryAsBinaryArrays) {
  RchLayout layout = layout_of(1998);
  layout.grids = "../arrays";
  layout.binary = true;
  layout.budget_unit = 50;
  const auto lines = data_lines(format_rch(two_months(), layout));
  EXPECT_EQ(lines[0].substr(0, 20), "         1        50");
  EXPECT_EQ(lines[8], "OPEN/CLOSE ../arrays/1998.04.rch 0.00005208333333333334 (BINARY) -1");
}

TEST(Rch, TheHeadingListsThePeriodsOfTheDiscretization) {
  RchLayout layout = layout_of(2000);
  layout.steps = 3;
  const std::string text = format_rch({}, layout);
  EXPECT_NE(text.find("#   29 3 1.0 TR  February\n"), std::string::npos);
  EXPECT_NE(text.find("#   31 3 1.0 TR  December\n"), std::string::npos);
}

TEST(Rch, PathsTheModelCannotReadAreRefused) {
  RchLayout layout = layout_of(1998);
  layout.grids = "my grids";
  EXPECT_THROW(format_rch(two_months(), layout), Failure);
  layout.grids = std::string(200, 'd');
  EXPECT_THROW(format_rch(two_months(), layout), Failure);
}

}  // namespace
}  // namespace gridkit
