// MODFLOW 6 input of a corvane run: the unit factor, the months as periods, the array recharge
// of text and binary runs, and the binary array's exact bytes.
#include "gridkit/commands/mf6_rcha.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "gridkit/exports/mf6_array.h"
#include "gridkit/testing_grids.h"
#include "gridkit/testing_program.h"
#include "tests/support/run_program.h"
#include "utl/records.h"

namespace gridkit {
namespace {

using namespace testing_program;  // NOLINT(google-build-using-namespace)

TEST(Mf6Input, FactorTurnsAcreFeetPerCellMonthIntoFeetPerDay) {
  // 640 acre-feet on a square mile (640 acres) is one foot; over 30 days, 1/30 foot a day.
  EXPECT_DOUBLE_EQ(640.0 * recharge_factor(30), 1.0 / 30.0);
  EXPECT_EQ(recharge_factor(31), 1.0 / 19840.0);
}

TEST(Mf6Input, TdisAndRchaOfTwoMonths) {
  const std::vector<Mf6Period> periods = {{2000, 2, 29, "grids/2000.02.rch"},
                                          {2000, 3, 31, std::nullopt}};
  const std::string tdis = tdis_text(periods, 2);
  EXPECT_NE(tdis.find("  START_DATE_TIME 2000-02-01\n"), std::string::npos);
  EXPECT_NE(tdis.find("  NPER 2\n"), std::string::npos);
  EXPECT_NE(tdis.find("BEGIN PERIODDATA\n  29.0 2 1.0  # 2000-02\n  31.0 2 1.0  # 2000-03\n"
                      "END PERIODDATA\n"),
            std::string::npos);
  const std::string rcha = rcha_text(periods, false);
  EXPECT_NE(rcha.find("BEGIN OPTIONS\n  READASARRAYS\nEND OPTIONS\n"), std::string::npos);
  EXPECT_NE(rcha.find("BEGIN PERIOD 1\n  RECHARGE\n    OPEN/CLOSE grids/2000.02.rch FACTOR "
                      "0.000053879310344827585\nEND PERIOD\n"),
            std::string::npos);
  EXPECT_NE(rcha.find("BEGIN PERIOD 2\n  RECHARGE\n    CONSTANT 0.0\nEND PERIOD\n"),
            std::string::npos);
  EXPECT_NE(rcha_text(periods, true).find("FACTOR 0.000053879310344827585 (BINARY)\n"),
            std::string::npos);
}

TEST(Mf6Array, HeaderThenDoublesRowOneFirst) {
  Grid grid;
  grid.values[fixtures::cell(1, 1)] = 1.5;
  grid.values[fixtures::cell(326, 165)] = -2.0;
  const std::string bytes = encode_mf6_array(grid, {3, 7, 1.5, 60.0, "RECHARGE"});
  ASSERT_EQ(bytes.size(), 430372U);
  EXPECT_EQ(utl::get_i32le(bytes.data()), 3);
  EXPECT_EQ(utl::get_i32le(bytes.data() + 4), 7);
  EXPECT_EQ(utl::get_f64le(bytes.data() + 8), 1.5);
  EXPECT_EQ(utl::get_f64le(bytes.data() + 16), 60.0);
  EXPECT_EQ(bytes.substr(24, 16), "RECHARGE        ");
  EXPECT_EQ(utl::get_i32le(bytes.data() + 40), 326);
  EXPECT_EQ(utl::get_i32le(bytes.data() + 44), 165);
  EXPECT_EQ(utl::get_i32le(bytes.data() + 48), 1);
  EXPECT_EQ(utl::get_f64le(bytes.data() + 52), 1.5);
  EXPECT_EQ(utl::get_f64le(bytes.data() + bytes.size() - 8), -2.0);
}

TEST(Mf6RchaCommand, TextGridsOpenedInPlaceBinaryGridsConverted) {
  testsupport::TempDir dir;
  Grid grid;
  grid.values[fixtures::cell(10, 20)] = 640.0;
  spit(dir / "text/1998.03.rch", fixtures::free_grid(grid));
  spit(dir / "binary/1998.03.rch", fixtures::binary_grid(grid));
  fs::create_directories(dir / "model");

  auto result = run_program(
      PROGRAM_EXE, {"mf6-rcha", "../text", "rch", "-o", "run", "--steps", "3"}, dir / "model");
  ASSERT_EQ(result.exit_status, 0) << result.err;
  const std::string tdis = slurp(dir / "model/run.tdis");
  EXPECT_NE(tdis.find("NPER 12\n"), std::string::npos);
  EXPECT_NE(tdis.find("  28.0 3 1.0  # 1998-02\n"), std::string::npos);
  const std::string rcha = slurp(dir / "model/run.rcha");
  EXPECT_NE(rcha.find("BEGIN PERIOD 3\n  RECHARGE\n    OPEN/CLOSE ../text/1998.03.rch FACTOR "),
            std::string::npos)
      << rcha;
  EXPECT_EQ(rcha.find("(BINARY)"), std::string::npos);

  result = run_program(PROGRAM_EXE,
                       {"mf6-rcha", "binary", "rch", "-o", "model/bin", "--model-dir", "model"},
                       dir.path());
  ASSERT_EQ(result.exit_status, 0) << result.err;
  const std::string binary_rcha = slurp(dir / "model/bin.rcha");
  EXPECT_NE(binary_rcha.find("OPEN/CLOSE bin.1998.03.bin FACTOR 0.00005040322580645161 (BINARY)"),
            std::string::npos)
      << binary_rcha;
  EXPECT_EQ(slurp(dir / "model/bin.1998.03.bin"), encode_mf6_array(grid, {1, 3, 0.0, 59.0}));

  const auto none = run_program(PROGRAM_EXE, {"mf6-rcha", "model", "rch", "-o", "x"}, dir.path());
  EXPECT_EQ(none.exit_status, 1);
  EXPECT_NE(none.err.find("no grids YEAR.MONTH.rch in model"), std::string::npos);
}

}  // namespace
}  // namespace gridkit
