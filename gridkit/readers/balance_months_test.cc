// The water balance as gridkit's commands read it back.
#include "gridkit/readers/balance_months.h"

#include <gtest/gtest.h>

#include <string>

#include "gridkit/common.h"

namespace gridkit {
namespace {

TEST(BalanceMonths, ReadsTheMonthsAndTheirGrids) {
  const std::string text =
      "year,month,return_flow,active_cells,inactive_cells,no_acreage,recharge_file\r\n"
      "1998,4,1795.9,1697.5206356880606,98.4,0,grids/text/1998.04.rch\r\n"
      "\n"
      "1998,9,5,0,5,0,\n"
      "1999,1,1,1,0,0,\"grids/a,b/1999.01.rch\"\n";
  const auto months = parse_balance_months(text, "balance.csv");
  ASSERT_EQ(months.size(), 3U);
  EXPECT_EQ(months[0].year, 1998);
  EXPECT_EQ(months[0].month, 4);
  EXPECT_EQ(months[0].active_cells, 1697.5206356880606);
  EXPECT_EQ(months[0].recharge_file, "grids/text/1998.04.rch");
  EXPECT_EQ(months[1].recharge_file, "");
  EXPECT_EQ(months[2].recharge_file, "grids/a,b/1999.01.rch");
}

TEST(BalanceMonths, RefusesWhatIsNotABalance) {
  EXPECT_THROW(parse_balance_months("year,month\n1998,4\n", "b.csv"), Failure);
  const std::string header =
      "year,month,return_flow,active_cells,inactive_cells,no_acreage,recharge_file\n";
  EXPECT_THROW(parse_balance_months(header + "1998,13,1,1,0,0,x\n", "b.csv"), Failure);
  EXPECT_THROW(parse_balance_months(header + "1998,4,1,1,0,0\n", "b.csv"), Failure);
  EXPECT_THROW(parse_balance_months(header + "1998,4,1,lots,0,0,x\n", "b.csv"), Failure);
}

std::string failure_of(const std::string& text) {
  try {
    parse_balance_months(text, "b.csv");
  } catch (const Failure& failure) {
    return failure.what();
  }
  return "no failure";
}

TEST(BalanceMonths, FailuresNameTheLineOfTheFile) {
  const std::string header =
      "year,month,return_flow,active_cells,inactive_cells,no_acreage,recharge_file\n";
  // A recharge file whose name holds a line end takes two lines: the next record is on line 4.
  EXPECT_EQ(failure_of(header + "1998,4,1,1,0,0,\"a\nb\"\n1998,xx,1,1,0,0,\n"),
            "b.csv: line 4 is not a month of the balance");
  EXPECT_EQ(failure_of(header + "1998,4,1,1,0,0,\"a\n1998,5,1,1,0,0,b\n"),
            "b.csv: line 2 opens a quote never closed");
  // What would make the model's recharge no number, or a year no grid name can hold.
  EXPECT_EQ(failure_of(header + "1998,4,1,nan,0,0,a\n"),
            "b.csv: line 2 is not a month of the balance");
  EXPECT_EQ(failure_of(header + "1998,4,inf,1,0,0,a\n"),
            "b.csv: line 2 is not a month of the balance");
  EXPECT_EQ(failure_of(header + "0,4,1,1,0,0,a\n"), "b.csv: line 2 is not a month of the balance");
}

}  // namespace
}  // namespace gridkit
