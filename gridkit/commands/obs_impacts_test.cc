// The obs-impacts command run as a program: five observation files of both forms give the CSV
// and tallisk's page of the volumes they integrate to, and a failed run writes neither.
#include "gridkit/commands/obs_impacts.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "gridkit/testing_obs.h"
#include "gridkit/testing_program.h"
#include "tallisk/accounts.h"
#include "tallisk/report.h"
#include "tests/support/run_program.h"

namespace gridkit {
namespace {

using namespace testing_program;  // NOLINT(google-build-using-namespace)

constexpr double kAcreFoot = 43560.0;

// 24 daily steps of `outflow` acre-feet a day at OUTLET (negative, as MODFLOW 6 writes stream
// outflows) and 1 acre-foot a day at INLET.
std::vector<std::vector<double>> steps_of(double outflow) {
  return std::vector<std::vector<double>>(24, {-outflow * kAcreFoot, kAcreFoot});
}

std::vector<double> days() {
  std::vector<double> times;
  for (int d = 1; d <= 24; ++d) times.push_back(d);
  return times;
}

void write_runs(const fs::path& dir, const std::array<double, 5>& outflows) {
  const std::vector<std::string> names = {"OUTLET", "INLET"};
  for (int r = 0; r < 5; ++r) {
    const std::string file = "run" + std::to_string(r) + ".obs";
    // Runs alternate between the binary and the text form: each file is told by its content.
    spit(dir / file, r % 2 == 0 ? fixtures::binary_obs(names, days(), steps_of(outflows[r]))
                                : fixtures::text_obs(names, days(), steps_of(outflows[r])));
  }
}

std::vector<std::string> command(const std::string& list) {
  return {"obs-impacts", "1995", "run0.obs", "run1.obs", "run2.obs", "run3.obs", "run4.obs",
          "--list",      list,   "-o",       "1995.csv", "--page",   "1995.htm"};
}

TEST(ObsImpacts, CsvAndPageOfTheIntegratedVolumes) {
  testsupport::TempDir dir;
  spit(dir / "points", "*Outlet -outlet\n\" Gain\" -OUTLET -inlet\n");
  write_runs(dir.path(), {100.0, 90.0, 110.0, 100.0, 50.0});
  const auto result = run_program(PROGRAM_EXE, command("points"), dir.path());
  ASSERT_EQ(result.exit_status, 0) << result.err;

  // Outflows are negative, so "-OUTLET" counts the stream's flow: 24 days at the daily rate.
  std::array<tallisk::Volumes, tallisk::kRuns> runs{};
  const double outflows[5] = {100.0, 90.0, 110.0, 100.0, 50.0};
  for (int r = 0; r < 5; ++r) {
    runs[r][0] = 24.0 * outflows[r];
    runs[r][1] = 24.0 * outflows[r] - 24.0;
  }
  const std::string csv = slurp(dir / "1995.csv");
  EXPECT_NE(csv.find("\nOutlet,true,-240,240,0,1200,2400,2160,2640,2400,1200\n"), std::string::npos)
      << csv;
  tallisk::AccountList list;
  tallisk::read_accounts((dir / "points").string(), list);
  EXPECT_EQ(slurp(dir / "1995.htm"), tallisk::report_page("1995", list, runs));
}

TEST(ObsImpacts, AFailedRunWritesNothing) {
  testsupport::TempDir dir;
  spit(dir / "points", "*Outlet -OUTLET\n");
  write_runs(dir.path(), {100.0, 90.0, 110.0, 100.0, 50.0});
  std::vector<std::vector<double>> short_run = steps_of(1.0);
  short_run.pop_back();
  std::vector<double> times = days();
  times.pop_back();
  spit(dir / "run3.obs", fixtures::text_obs({"OUTLET", "INLET"}, times, short_run));
  const auto result = run_program(PROGRAM_EXE, command("points"), dir.path());
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err,
            "gridkit: run3.obs: 23 time steps after time 0, fewer than the 24 to account\n");
  EXPECT_FALSE(fs::exists(dir / "1995.csv"));
  EXPECT_FALSE(fs::exists(dir / "1995.htm"));

  const auto misuse = run_program(PROGRAM_EXE, {"obs-impacts", "1995", "run0.obs"}, dir.path());
  EXPECT_EQ(misuse.exit_status, 1);
  EXPECT_NE(misuse.err.find("takes a year and five observation files"), std::string::npos);
  const auto bad_from = run_program(
      PROGRAM_EXE, {"obs-impacts", "1995", "a", "b", "c", "d", "e", "--from", "-1"}, dir.path());
  EXPECT_NE(bad_from.err.find("--from takes a simulation time of 0 or more"), std::string::npos);
}

TEST(ObsCommand, WritesTheCsvOfEitherForm) {
  testsupport::TempDir dir;
  spit(dir / "run.bsv", fixtures::binary_obs({"Q1"}, {1.0, 2.5}, {{-0.25}, {3e30}}));
  const auto result = run_program(PROGRAM_EXE, {"obs", "run.bsv", "-o", "run.csv"}, dir.path());
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(slurp(dir / "run.csv"), "time,Q1\n1,-0.25\n2.5,3e+30\n");
  const auto missing = run_program(PROGRAM_EXE, {"obs", "none.csv", "-o", "x.csv"}, dir.path());
  EXPECT_EQ(missing.exit_status, 1);
  EXPECT_EQ(missing.err, "gridkit: cannot read none.csv\n");
}

}  // namespace
}  // namespace gridkit
