// The netcdf command's own parts: the calendar, the run's file names, the years covered, and
// failures that leave no file behind. Values are read back by real readers in tests/readers.
#include "gridkit/netcdf.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "gridkit/calendar.h"
#include "gridkit/netcdf_file.h"
#include "gridkit/testing_grids.h"
#include "tests/support/run_program.h"

namespace gridkit {
namespace {

namespace fs = std::filesystem;
using testsupport::spit;

TEST(Calendar, CountsDaysAcrossLeapYearsAndCenturies) {
  EXPECT_EQ(days_since_1940(1940, 1), 0);
  EXPECT_EQ(days_since_1940(1940, 3), 60);  // 1940 is a leap year
  EXPECT_EQ(days_since_1940(1941, 1), 366);
  EXPECT_EQ(days_since_1940(1939, 12), -31);
  EXPECT_EQ(days_since_1940(2000, 3) - days_since_1940(2000, 2), 29);  // 2000 is one too
  EXPECT_EQ(days_since_1940(2100, 3) - days_since_1940(2100, 2), 28);  // 2100 is not
  const MonthBounds december = month_bounds(1998, 12);
  EXPECT_EQ(december.end - december.start, 31.0);
  EXPECT_EQ(december.end, days_since_1940(1999, 1));
  EXPECT_EQ(month_bounds(1999, 2).middle(), days_since_1940(1999, 2) + 14.0);
}

TEST(RunFiles, TakesCorvaneNamesAndPassesOverOthers) {
  EXPECT_EQ(month_of("1998.04.rch", "rch"), (std::pair{1998, 4}));
  EXPECT_EQ(month_of("1998.12.rch", ".rch"), (std::pair{1998, 12}));
  for (const char* name : {"1998.13.rch", "1998.00.rch", "1998.4.rch", "1998.04.rch.png",
                           "1998.04.rchx", "1998.rch", "steady.rch", "199x.04.rch"}) {
    EXPECT_EQ(month_of(name, "rch"), std::nullopt) << name;
  }
  EXPECT_EQ(year_of("1998.are", "are"), 1998);
  EXPECT_EQ(year_of("1998.04.are", "are"), std::nullopt);

  testsupport::TempDir dir;
  for (const char* name : {"1998.04.rch", "1999.10.rch", "1998.are", "1998.04.rch.png", "x"}) {
    spit(dir / name, "");
  }
  const RunFiles files = find_run_files(dir.path().string(), "rch", std::string("are"));
  EXPECT_EQ(files.months.size(), 2u);
  EXPECT_EQ(files.months.at({1999, 10}), (dir / "1999.10.rch").string());
  EXPECT_EQ(files.years.size(), 1u);
  EXPECT_TRUE(find_run_files(dir.path().string(), "rch", std::nullopt).years.empty());
  EXPECT_THROW(find_run_files((dir / "missing").string(), "rch", std::nullopt), Failure);
}

TEST(NetcdfArgs, YearsFromTheOptionOrTheFiles) {
  const NetcdfArgs args =
      parse_netcdf_args({"netcdf", "out", "rch", "are", "-o", "run.nc", "--years", "1990-1995"});
  EXPECT_EQ(args.dir, "out");
  EXPECT_EQ(args.area_ext, "are");
  EXPECT_EQ(covered_years(args, RunFiles{}), (std::pair{1990, 1995}));
  RunFiles files;
  files.months[{1998, 4}] = "a";
  files.years[2001] = "b";
  EXPECT_EQ(covered_years(parse_netcdf_args({"netcdf", "out", "rch", "-o", "r.nc"}), files),
            (std::pair{1998, 2001}));
  EXPECT_THROW(covered_years(parse_netcdf_args({"netcdf", "out", "rch", "-o", "r.nc"}), {}),
               Failure);
  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"netcdf", "out", "-o", "r.nc"},
        {"netcdf", "out", "rch", "are", "x", "-o", "r.nc"},
        {"netcdf", "out", "rch"},
        {"netcdf", "out", "rch", "-o", "r.nc", "--years", "1999-1998"},
        {"netcdf", "out", "rch", "-o", "r.nc", "--years", "98x"},
        {"netcdf", "out", "rch", "-o", "r.nc", "--epsg", "26914"},
        {"netcdf", "out", "rch", "-o", "r.nc", "--scale", "2"}}) {
    EXPECT_THROW(parse_netcdf_args(bad), Failure) << bad.back();
  }
}

TEST(NetcdfCommand, ADamagedGridLeavesNoFile) {
  if (!netcdf_built_in()) GTEST_SKIP() << kNoNetcdf;
  testsupport::TempDir dir;
  fs::create_directories(dir / "out");
  Grid grid;
  grid.values[testing::cell(3, 2)] = 1.5;
  spit(dir / "out/1998.04.rch", testing::binary_grid(grid));
  spit(dir / "out/1998.05.rch", " 1.5 2.5\n");
  spit(dir / "run.nc", "earlier file");
  const auto damaged =
      testsupport::run_program(PROGRAM_EXE, {"netcdf", "out", "rch", "-o", "run.nc"}, dir.path());
  EXPECT_EQ(damaged.exit_status, 1);
  EXPECT_EQ(damaged.err, "gridkit: Error reading file out/1998.05.rch\n");
  EXPECT_EQ(testsupport::slurp(dir / "run.nc"), "earlier file");
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 2u) << "no temporary file is left";

  fs::remove(dir / "out/1998.05.rch");
  const auto written = testsupport::run_program(
      PROGRAM_EXE, {"netcdf", "out", "rch", "-o", "run.nc", "--years", "1997-1998"}, dir.path());
  EXPECT_EQ(written.exit_status, 0) << written.err;
  EXPECT_EQ(written.out, "gridkit: run.nc: 1 grids of 1997 to 1998\n");
  EXPECT_EQ(testsupport::slurp(dir / "run.nc").substr(1, 3), "HDF");  // NetCDF-4 is HDF5
}

}  // namespace
}  // namespace gridkit
