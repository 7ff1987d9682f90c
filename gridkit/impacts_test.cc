// The impacts command against tallisk: the example year, exact digits, CSV quoting, and the
// same stops on the same inputs.
#include "gridkit/impacts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>

#include "tallisk/hydmod_testdata.h"
#include "tallisk/report.h"
#include "tests/support/run_program.h"

namespace gridkit {
namespace {

namespace fs = std::filesystem;
using testsupport::run_program;
using testsupport::slurp;
using testsupport::spit;

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The four impacts of a CSV row: the fields after the location and the mainstem flag.
std::vector<double> impacts_of(const std::string& row) {
  std::vector<std::string> fields;
  std::string field;
  bool quoted = false;
  for (const char c : row) {
    if (c == '"') quoted = !quoted;
    if (c == ',' && !quoted) {
      fields.push_back(field);
      field.clear();
    } else {
      field += c;
    }
  }
  fields.push_back(field);
  EXPECT_EQ(fields.size(), 11u) << row;
  std::vector<double> impacts;
  for (std::size_t k = 2; k < 6 && k < fields.size(); ++k) {
    impacts.push_back(std::strtod(fields[k].c_str(), nullptr));
  }
  return impacts;
}

TEST(Impacts, ExampleYearRoundsToThePageNumbers) {
  testsupport::TempDir dir;
  fs::copy(testsupport::source_dir() / "examples/tallisk", dir.path(), fs::copy_options::recursive);
  const fs::path runs = dir / "runs";
  const auto result = run_program(PROGRAM_EXE, {"impacts", "1995", "-o", "1995.csv"}, runs);
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(result.out, "");
  const std::vector<std::string> rows = lines_of(slurp(runs / "1995.csv"));

  // The page's numbers, in the order they stand on it.
  const std::string page = slurp(dir / "expected/1995.htm");
  const std::regex number("<t[dh]> *(-?[0-9]+)</t[dh]>");
  std::vector<int> shown;
  for (auto it = std::sregex_iterator(page.begin(), page.end(), number);
       it != std::sregex_iterator(); ++it) {
    shown.push_back(std::stoi((*it)[1]));
  }
  ASSERT_EQ(rows.size(), 1 + shown.size() / 4);
  EXPECT_EQ(rows[1].substr(0, 30), "\"Main stem, upper reach\",true,");
  EXPECT_EQ(rows[4].substr(0, 17), "North Fork,false,");
  EXPECT_EQ(rows[rows.size() - 2].substr(0, 10), "Mainstem,,");
  EXPECT_EQ(rows.back().substr(0, 7), "Total,,");
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const std::vector<double> impacts = impacts_of(rows[i]);
    for (std::size_t k = 0; k < impacts.size(); ++k) {
      EXPECT_EQ(tallisk::irep(impacts[k]), shown[(i - 1) * 4 + k]) << rows[i];
    }
  }
}

class ImpactsRun : public ::testing::Test {
 protected:
  ImpactsRun() {
    spit(dir_ / "data0/tallisk.12s", "\"*Reach, one\" +A\n\" Tributary\" +B -A\n");
    spit(dir_ / "data0/tallisk.12p", "\" Only\" +B\n");
    const std::array<std::array<double, 2>, 5> volumes = {
        {{0.1, 5.0}, {0.30000000000000004, 5.0}, {0.1, 4.0}, {1e-300, 5.0}, {0.1, 1e17}}};
    for (std::size_t r = 0; r < volumes.size(); ++r) {
      spit(work_ / ("1995" + std::string(kSuffixes[r])),
           tallisk::testdata::volume_file({"A", "B"}, {volumes[r][0], volumes[r][1]}));
    }
  }
  testsupport::ProgramResult gridkit(const std::vector<std::string>& args) {
    return run_program(PROGRAM_EXE, args, work_);
  }

  static constexpr std::array<const char*, 5> kSuffixes = {".sfi", "a.sfi", "b.sfi", "c.sfi",
                                                           "d.sfi"};
  testsupport::TempDir dir_;
  fs::path work_ = dir_ / "work";
};

TEST_F(ImpactsRun, WritesEveryNumberInShortestRoundTripDigits) {
  const auto result = gridkit({"impacts", "1995"});
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
  const auto twelve_p = gridkit({"impacts", "-12p", "1995"});
  EXPECT_EQ(twelve_p.exit_status, 0) << twelve_p.err;
  EXPECT_EQ(lines_of(twelve_p.out)[1].substr(0, 11), "Only,false,");
}

TEST_F(ImpactsRun, StopsAsTalliskDoesAndLeavesNoFile) {
  spit(work_ / "old.csv", "older\n");
  fs::remove(work_ / "1995d.sfi");
  const auto missing = gridkit({"impacts", "1995", "-o", "old.csv"});
  EXPECT_EQ(missing.exit_status, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err, "gridkit: Cannot open file 1995d.sfi\n");
  EXPECT_EQ(slurp(work_ / "old.csv"), "older\n");

  fs::remove(dir_ / "data0/tallisk.12p");
  EXPECT_EQ(gridkit({"impacts", "-12p", "1995"}).err,
            "gridkit: Cannot open file ../data0/tallisk.12p\n");
  EXPECT_EQ(gridkit({"impacts"}).exit_status, 1);
  EXPECT_EQ(gridkit({"impacts", "1995", "1996"}).exit_status, 1);
  EXPECT_EQ(gridkit({"impacts", "../95"}).exit_status, 1);
  EXPECT_EQ(gridkit({"impacts", "1995/"}).exit_status, 1);
  EXPECT_EQ(gridkit({"impacts", "1995", "--ibound", "x"}).err,
            "gridkit: unknown option --ibound\n");
}

}  // namespace
}  // namespace gridkit
