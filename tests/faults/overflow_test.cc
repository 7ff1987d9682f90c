// corvane and membrelv2 against finite inputs whose sums overflow: no grid, balance or listing
// takes an infinite value or a NaN; the run stops with a message naming what overflowed and
// status 1.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/faults/fault_support.h"
#include "tests/support/run_program.h"

namespace {

namespace fs = std::filesystem;
using testsupport::spit;

constexpr int kNcol = 326;
constexpr int kNrow = 165;

// Whether any file under `dir` holds "inf" or "nan".
bool holds_no_number(const fs::path& dir) {
  for (const auto& [name, bytes] : faults::snapshot(dir)) {
    if (bytes.find("inf") != std::string::npos || bytes.find("nan") != std::string::npos) {
      return true;
    }
  }
  return false;
}

class CorvaneOverflow : public ::testing::Test {
 protected:
  CorvaneOverflow() { fs::create_directories(work_ / "out"); }

  testsupport::ProgramResult corvane(const std::string& areas, const std::string& returns) {
    spit(work_ / "p.par", "FILE out rch are\nTRANSIENT 1950 1950\nIBOUND *\n" + areas +
                              "RETURN ret.txt\nBALANCE b.csv\n");
    spit(work_ / "ret.txt", returns);
    return testsupport::run_program(CORVANE_EXE, {"p.par"}, work_);
  }

  testsupport::TempDir dir_;
  fs::path work_ = dir_ / "work";
};

TEST_F(CorvaneOverflow, ACellPastTheLargestNumber) {
  // Two areas on one cell, each with a return flow near the largest double.
  const auto result = corvane("AREA A * 266123 14963906 40\nAREA B * 266123 14963906 40\n",
                              "YrMo A B\n195001 1.7e308 1.7e308\n");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_NE(result.out.find("Value overflows at row "), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("of file out/1950.01.rch"), std::string::npos) << result.out;
  EXPECT_FALSE(holds_no_number(work_));
}

TEST_F(CorvaneOverflow, AcreageTotalPastTheLargestNumber) {
  // Two cells of 1e308 acres: the total overflows, and each cell's share would be 0.
  std::string grid = "acres\n";
  for (int row = 1; row <= kNrow; ++row) {
    for (int column = 1; column <= kNcol; ++column)
      grid += row == 1 && column <= 2 ? "1e308 " : "0 ";
    grid += '\n';
  }
  spit(work_ / "a.grid", grid);
  const auto result = corvane("AREA A a.grid\n", "YrMo A\n195001 100\n");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.out, " Total acreage overflows in AREA A\n");
  EXPECT_FALSE(fs::exists(work_ / "b.csv"));
  EXPECT_FALSE(fs::exists(work_ / "out" / "1950.01.rch"));
}

TEST_F(CorvaneOverflow, ABalancePastTheLargestNumber) {
  // Two areas on different cells: each grid cell is finite, the month's total is not.
  const auto result = corvane("AREA A * 266123 14963906 40\nAREA B * 286123 14963906 40\n",
                              "YrMo A B\n195001 1.7e308 1.7e308\n");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.out, " Water balance overflows in 1950 month 1\n");
  EXPECT_FALSE(fs::exists(work_ / "b.csv"));
  EXPECT_FALSE(holds_no_number(work_));
}

TEST(Membrel2Overflow, AMonthlyFactorPastSinglePrecision) {
  testsupport::TempDir dir;
  const fs::path work = faults::copy_membrelv2_example(testsupport::source_dir(), dir.path());
  const fs::path factors = dir / "data/ks/sw/monthlyfactorsbycounty1995.txt";
  std::string text = testsupport::slurp(factors);
  text.replace(0, text.find('\n'), "1 1e38 0.15 0.29 0.25 0.15 0.10");
  spit(factors, text);
  const auto result = testsupport::run_program(MEMBRELV2_EXE, {"1995"}, work);
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err.rfind("membrelv2: recharge of month 5 overflows: ", 0), 0u) << result.err;
  EXPECT_EQ(result.out.find("inf"), std::string::npos);
  EXPECT_FALSE(holds_no_number(work));
}

}  // namespace
