// The impacts command against tallisk: the example year rounds to the page, exact digits and
// CSV quoting, and the same stop on the same fault.
#include "gridkit/commands/impacts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>

#include "gridkit/testing_program.h"
#include "tallisk/hydmod_testdata.h"
#include "tests/support/run_program.h"

namespace gridkit {
namespace {

using namespace testing_program;  // NOLINT(google-build-using-namespace)

TEST(Impacts, ExampleYearRoundsToThePageNumbers) {
  testsupport::TempDir dir;
  fs::copy(testsupport::source_dir() / "examples/tallisk", dir.path(), fs::copy_options::recursive);
  const auto result = run_program(PROGRAM_EXE, {"impacts", "1995", "-o", "1995.csv"}, dir / "runs");
  ASSERT_EQ(result.exit_status, 0) << result.err;
  std::istringstream csv(slurp(dir / "runs/1995.csv"));
  const std::string page = slurp(dir / "expected/1995.htm");
  const std::regex shown("<t[dh]> *(-?[0-9]+)</t[dh]>");
  auto number = std::sregex_iterator(page.begin(), page.end(), shown);
  std::string line;
  std::getline(csv, line);  // the header
  for (int lines = 0; std::getline(csv, line); ++lines) {
    // The four impacts come before the five run volumes (empty on the sum lines).
    std::size_t at = line.size();
    for (int k = 0; k < 9; ++k) at = line.rfind(',', at - 1);
    for (int k = 0; k < 4; ++k, ++number) {
      ASSERT_NE(number, std::sregex_iterator()) << "more lines than the page";
      char* end = nullptr;
      EXPECT_EQ(tallisk::irep(std::strtod(line.c_str() + at + 1, &end)), std::stoi((*number)[1]))
          << line;
      at = static_cast<std::size_t>(end - line.c_str());
    }
    if (lines == 0) {
      EXPECT_EQ(line.substr(0, 30), "\"Main stem, upper reach\",true,");
    }
  }
  EXPECT_EQ(number, std::sregex_iterator()) << "fewer lines than the page";
}

TEST(Impacts, EveryNumberInShortestDigitsAndTalliskStops) {
  testsupport::TempDir dir;
  spit(dir / "data0/tallisk.12s", "\"*Reach, one\" +A\n\" Tributary\" +B -A\n");
  const double volumes[5][2] = {
      {0.1, 5.0}, {0.30000000000000004, 5.0}, {0.1, 4.0}, {1e-300, 5.0}, {0.1, 1e17}};
  const char* suffixes[5] = {".sfi", "a.sfi", "b.sfi", "c.sfi", "d.sfi"};
  for (int r = 0; r < 5; ++r) {
    spit(dir / "work" / (std::string("1995") + suffixes[r]),
         tallisk::testdata::volume_file({"A", "B"}, {volumes[r][0], volumes[r][1]}));
  }
  const auto result = run_program(PROGRAM_EXE, {"impacts", "1995"}, dir / "work");
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(result.out,
            "location,mainstem,colorado_pumping,kansas_pumping,nebraska_pumping,nebraska_mound,"
            "base,run_a,run_b,run_c,run_d\n"
            "\"Reach, one\",true,0.20000000000000004,0,-0.1,0,0.1,0.30000000000000004,0.1,"
            "1e-300,0.1\n"
            "Tributary,false,-0.20000000000000018,-1.0000000000000004,0.09999999999999964,"
            "-1e+17,4.9,4.7,3.9,5,1e+17\n"
            "Mainstem,,0.20000000000000004,0,-0.1,0,,,,,\n"
            "Total,,-1.3877787807814457e-16,-1.0000000000000004,-3.608224830031759e-16,-1e+17,"
            ",,,,\n");

  spit(dir / "work/old.csv", "older\n");
  fs::remove(dir / "work/1995d.sfi");
  const auto missing = run_program(PROGRAM_EXE, {"impacts", "1995", "-o", "old.csv"}, dir / "work");
  EXPECT_EQ(missing.exit_status, 1);
  EXPECT_EQ(missing.err, "gridkit: Cannot open file 1995d.sfi\n");
  EXPECT_EQ(slurp(dir / "work/old.csv"), "older\n");
  EXPECT_EQ(run_program(PROGRAM_EXE, {"impacts", "-12p", "1995"}, dir / "work").err,
            "gridkit: Cannot open file ../data0/tallisk.12p\n");
  for (const char* year : {"../95", "1995/"}) {
    EXPECT_EQ(run_program(PROGRAM_EXE, {"impacts", year}, dir / "work").exit_status, 1) << year;
  }
  // An option in the year's place is a misuse of the command line.
  EXPECT_EQ(run_program(PROGRAM_EXE, {"impacts", "--ibound"}, dir / "work").exit_status, 2);
}

// Finite volumes whose impacts overflow: a CSV of "inf" and "-nan" is no table any reader takes.
TEST(Impacts, AnOverflowStopsNamingTheLocation) {
  testsupport::TempDir dir;
  spit(dir / "data0/tallisk.12s", "*Main +A +B\n");
  const double volumes[5][2] = {
      {-1.7e308, 1.0}, {1.7e308, 1.0}, {1.0, 1.0}, {1.0, 1.0}, {1.0, 1.0}};
  const char* suffixes[5] = {".sfi", "a.sfi", "b.sfi", "c.sfi", "d.sfi"};
  for (int r = 0; r < 5; ++r) {
    spit(dir / "work" / (std::string("1995") + suffixes[r]),
         tallisk::testdata::volume_file({"A", "B"}, {volumes[r][0], volumes[r][1]}));
  }
  spit(dir / "work/old.csv", "older\n");
  const auto result = run_program(PROGRAM_EXE, {"impacts", "1995", "-o", "old.csv"}, dir / "work");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err, "gridkit: the impacts of Main overflow: a volume or a sum is infinite\n");
  EXPECT_EQ(slurp(dir / "work/old.csv"), "older\n");
}

}  // namespace
}  // namespace gridkit
