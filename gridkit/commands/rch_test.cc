// The rch command: one file a year with --years, each the year's recharge package file.
#include "gridkit/commands/rch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "gridkit/run.h"

namespace gridkit {
namespace {

TEST(RchCommand, OneFileAYearWithYears) {
  const auto dir = std::filesystem::temp_directory_path() / "gridkit-rch-years-test";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string balance = (dir / "balance.csv").string();
  std::ofstream(balance) << "year,month,return_flow,active_cells,inactive_cells,no_acreage,"
                            "recharge_file\n1998,4,2,2,0,0,g/1998.04.rch\n"
                            "2000,6,3,3,0,0,g/2000.06.rch\n";
  std::ostringstream out;
  std::ostringstream err;
  const std::string years = (dir / "years").string();
  ASSERT_EQ(run({"rch", balance, "--years", "1998-2000", "-o", years}, out, err), 0) << err.str();
  EXPECT_EQ(out.str(),
            "gridkit: " + years + ": 36 stress periods of 1998 to 2000, 2 with a grid\n");
  // Each year's file is the one --year writes.
  for (const std::string year : {"1998", "1999", "2000"}) {
    const std::string one = (dir / (year + ".rch")).string();
    ASSERT_EQ(run({"rch", balance, "--year", year, "-o", one}, out, err), 0) << err.str();
    std::ifstream a(one);
    std::ifstream b(years + "/" + year + ".rch");
    const std::string text_a((std::istreambuf_iterator<char>(a)), {});
    const std::string text_b((std::istreambuf_iterator<char>(b)), {});
    EXPECT_EQ(text_a, text_b) << year;
  }
  EXPECT_NE(run({"rch", balance, "--years", "2000-1998", "-o", years}, out, err), 0);
  EXPECT_NE(run({"rch", balance, "-o", years}, out, err), 0);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace gridkit
