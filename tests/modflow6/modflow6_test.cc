// The example basin's year run by MODFLOW 6: the impacts gridkit accounts from the runs'
// observation files equal an integration of those files done here, both forms of the files
// hold the same values, and MODFLOW 6 reads gridkit's binary arrays as it reads the text grids.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/run_program.h"

namespace {

namespace fs = std::filesystem;
using testsupport::run_program;
using testsupport::slurp;

constexpr double kAcreFoot = 43560.0;
constexpr int kSteps = 24;
const char* const kRuns[] = {"base", "a", "b", "c", "d"};

// Where the model ran, once for every test here; empty when it could not.
struct ModelRun {
  std::unique_ptr<testsupport::TempDir> dir;
  std::string skipped;  // why no model ran
  std::string failed;   // what went wrong
};

ModelRun& model_run() {
  static ModelRun run = [] {
    ModelRun made;
#ifdef _WIN32
    made.skipped = "MODFLOW 6 runs need bash and a MODFLOW 6 built for this system";
    return made;
#else
    const char* mf6 = std::getenv("RECHARGE_MF6");
    if (mf6 == nullptr || *mf6 == '\0') {
      const char* required = std::getenv("RECHARGE_REQUIRE_MODELS");
      (required != nullptr && std::string(required) == "1" ? made.failed : made.skipped) =
          "RECHARGE_MF6 does not name a MODFLOW 6 program (tools/build-mf6 builds one)";
      return made;
    }
    made.dir = std::make_unique<testsupport::TempDir>();
    const fs::path source = testsupport::source_dir();
    const fs::path basin = *made.dir / "corvane";
    fs::copy(source / "examples/corvane", basin, fs::copy_options::recursive);
    for (const char* form : {"text", "binary"}) fs::create_directories(basin / "grids" / form);
    for (const char* params : {"params.txt", "params-bin.txt"}) {
      const auto result = run_program(CORVANE_EXE, {params}, basin);
      if (result.exit_status != 0) {
        made.failed = "corvane " + std::string(params) + ": " + result.out + result.err;
        return made;
      }
    }
    const fs::path build = fs::path(GRIDKIT_EXE).parent_path().parent_path();
    const auto result = run_program(
        "/bin/bash",
        {(source / "examples/modflow6/run.sh").string(), build.string(), made.dir->path().string()},
        made.dir->path());
    if (result.exit_status != 0)
      made.failed = "examples/modflow6/run.sh: " + result.out + result.err;
    return made;
#endif
  }();
  return run;
}

class Modflow6 : public ::testing::Test {
 protected:
  void SetUp() override {
    const ModelRun& run = model_run();
    if (!run.skipped.empty()) GTEST_SKIP() << run.skipped;
    ASSERT_TRUE(run.failed.empty()) << run.failed;
    out_ = run.dir->path() / "modflow6";
  }
  fs::path out_;
};

// An observation file's columns, read with nothing of gridkit: the text form by lines and
// commas, the binary form by its documented layout.
struct Columns {
  std::vector<std::string> names;
  std::vector<std::vector<double>> rows;  // time, then one value per name
};

Columns read_text(const fs::path& path) {
  Columns columns;
  std::istringstream lines(slurp(path));
  std::string line;
  std::getline(lines, line);
  std::istringstream header(line);
  std::string field;
  std::getline(header, field, ',');
  while (std::getline(header, field, ',')) columns.names.push_back(field);
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::vector<double> row;
    while (std::getline(fields, field, ',')) row.push_back(std::strtod(field.c_str(), nullptr));
    columns.rows.push_back(row);
  }
  return columns;
}

Columns read_binary(const fs::path& path) {
  const std::string bytes = slurp(path);
  Columns columns;
  EXPECT_EQ(bytes.substr(0, 11), "cont double");
  const std::size_t name_length = std::stoul(bytes.substr(11, 4));
  std::int32_t count = 0;
  std::memcpy(&count, bytes.data() + 100, 4);
  std::size_t at = 104;
  for (std::int32_t i = 0; i < count; ++i, at += name_length) {
    std::string name = bytes.substr(at, name_length);
    columns.names.push_back(name.substr(0, name.find_last_not_of(' ') + 1));
  }
  for (; at < bytes.size(); at += 8 * (count + 1)) {
    std::vector<double> row(static_cast<std::size_t>(count) + 1);
    std::memcpy(row.data(), bytes.data() + at, row.size() * 8);
    columns.rows.push_back(row);
  }
  return columns;
}

// The volume in acre-feet of the observation `name` over the first 24 steps from time 0.
double volume(const Columns& columns, const std::string& name) {
  std::size_t k = 0;
  while (k < columns.names.size() && columns.names[k] != name) ++k;
  EXPECT_LT(k, columns.names.size()) << name;
  if (k == columns.names.size()) return NAN;
  double total = 0.0;
  double previous = 0.0;
  for (int s = 0; s < kSteps; ++s) {
    const std::vector<double>& row = columns.rows.at(static_cast<std::size_t>(s));
    total += (row[0] - previous) * row[k + 1] / kAcreFoot;
    previous = row[0];
  }
  return total;
}

// The example list's points: signed observation names as MODFLOW 6 writes them.
const std::vector<std::vector<std::pair<double, std::string>>> kPoints = {
    {{-1, "MAIN_UPPER_OUTFLOW"}},
    {{-1, "MAIN_ABOVE_TRIBUTARY_OUTFLOW"}, {+1, "MAIN_UPPER_OUTFLOW"}},
    {{-1, "MAIN_LOWER_OUTFLOW"},
     {+1, "MAIN_ABOVE_TRIBUTARY_OUTFLOW"},
     {+1, "TRIBUTARY_OUTFLOW_AT_ITS_MOUTH_ON_MAIN_1"}},
    {{-1, "TRIBUTARY_OUTFLOW_AT_ITS_MOUTH_ON_MAIN_1"}},
};

TEST_F(Modflow6, ImpactsEqualTheTestsOwnIntegration) {
  std::vector<std::vector<double>> volumes(kPoints.size(), std::vector<double>(5, 0.0));
  for (int r = 0; r < 5; ++r) {
    const Columns columns = read_text(out_ / kRuns[r] / "basin.sfr.obs.csv");
    ASSERT_EQ(columns.rows.size(), static_cast<std::size_t>(kSteps));  // no record at time 0
    for (std::size_t j = 0; j < kPoints.size(); ++j) {
      for (const auto& [sign, name] : kPoints[j]) volumes[j][r] += sign * volume(columns, name);
    }
  }
  std::istringstream csv(slurp(out_ / "1998.csv"));
  std::string line;
  std::getline(csv, line);
  for (std::size_t j = 0; j < kPoints.size(); ++j) {
    ASSERT_TRUE(std::getline(csv, line));
    // The last nine fields: four impacts, then the five run volumes.
    std::vector<double> fields;
    std::size_t at = line.size();
    for (int k = 0; k < 9; ++k) {
      at = line.rfind(',', at - 1);
      fields.insert(fields.begin(), std::strtod(line.c_str() + at + 1, nullptr));
    }
    const std::vector<double>& v = volumes[j];
    const double expected[9] = {v[1] - v[0], v[2] - v[0], v[3] - v[0], v[0] - v[4], v[0],
                                v[1],        v[2],        v[3],        v[4]};
    for (int k = 0; k < 9; ++k) {
      EXPECT_NEAR(fields[k], expected[k], 1e-9 * std::abs(v[0])) << line << " field " << k;
    }
  }
  // The impacts are not all nothing: pumping beside the stream takes water from it.
  EXPECT_GT(std::abs(volumes[0][1] - volumes[0][0]), 100.0);
  const std::string page = slurp(out_ / "1998.htm");
  EXPECT_NE(page.find("Impacts 1998"), std::string::npos);
}

TEST_F(Modflow6, TextAndBinaryObservationFilesHoldTheSameValues) {
  for (const char* run : kRuns) {
    const Columns text = read_text(out_ / run / "basin.sfr.obs.csv");
    const Columns binary = read_binary(out_ / run / "basin.sfr.obs.bsv");
    ASSERT_EQ(text.names, binary.names) << run;
    ASSERT_EQ(text.rows.size(), binary.rows.size()) << run;
    for (std::size_t r = 0; r < text.rows.size(); ++r) {
      for (std::size_t k = 0; k < text.rows[r].size(); ++k) {
        EXPECT_NEAR(text.rows[r][k], binary.rows[r][k], 1e-12 * std::abs(binary.rows[r][k]));
      }
    }
    // Stream outflows come out negative.
    EXPECT_LT(binary.rows.back()[1], 0.0) << run;
  }
}

// The budget lines of a listing: every line with " = ", the rates and volumes of each step.
std::vector<std::string> budget_lines(const fs::path& listing) {
  std::vector<std::string> lines;
  std::istringstream text(slurp(listing));
  std::string line;
  while (std::getline(text, line)) {
    if (line.find(" = ") != std::string::npos) lines.push_back(line);
  }
  return lines;
}

TEST_F(Modflow6, BinaryArraysGiveTheTextRunsBudget) {
  const std::vector<std::string> text = budget_lines(out_ / "base/basin.lst");
  const std::vector<std::string> binary = budget_lines(out_ / "base-binary/basin.lst");
  EXPECT_EQ(text, binary);
  // The recharge is there to compare: some step has a nonzero RCHA rate.
  bool recharged = false;
  for (const std::string& line : text) {
    const std::size_t at = line.find("RCHA =");
    if (at != std::string::npos && std::strtod(line.c_str() + at + 6, nullptr) > 0.0) {
      recharged = true;
    }
  }
  EXPECT_TRUE(recharged);
  EXPECT_EQ(slurp(out_ / "base/basin.sfr.obs.csv"), slurp(out_ / "base-binary/basin.sfr.obs.csv"));
}

}  // namespace
