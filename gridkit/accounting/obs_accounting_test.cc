// Observation volumes from hand-made files with known integrals: the step rule, the window,
// signs and names, and the values and files that mean a model run failed.
#include "gridkit/accounting/obs_accounting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "gridkit/common.h"
#include "gridkit/grid.h"
#include "gridkit/testing_obs.h"
#include "tallisk/report.h"
#include "tests/support/run_program.h"

namespace gridkit {
namespace {

using fixtures::Records;
using testsupport::spit;

constexpr double kAcreFoot = 43560.0;

// Daily steps ending at days 1 to `steps`, every value `rate` cubic feet per day.
ObsSeries daily(const std::vector<std::string>& names, int steps, const std::vector<double>& rate) {
  ObsSeries series;
  series.names = names;
  for (int s = 1; s <= steps; ++s) {
    series.times.push_back(s);
    series.values.insert(series.values.end(), rate.begin(), rate.end());
  }
  return series;
}

ObsAccountList list_of(const std::string& text) {
  testsupport::TempDir dir;
  spit(dir / "list", text);
  return read_obs_accounts((dir / "list").string());
}

std::string failure_of(const ObsSeries& series, const ObsAccountList& list,
                       const ObsWindow& window = {}) {
  try {
    account_obs(series, "run.csv", list, window);
  } catch (const Failure& failure) {
    return failure.what();
  }
  return "no failure";
}

TEST(ObsAccounting, StepRuleSignsAndNamesWithoutRegardToCase) {
  const std::string long_name(40, 'q');
  const ObsAccountList list =
      list_of("*Main +so_outlet -SO_INLET\n Tributary +" + long_name + " +SO_OUTLET\n");
  // An outflow named SO keeps its value: MODFLOW 6 adds no offset to take off.
  const ObsSeries series = daily({"SO_OUTLET", "SO_INLET", std::string(40, 'Q')}, 30,
                                 {-kAcreFoot, 2 * kAcreFoot, 0.5 * kAcreFoot});
  const tallisk::Volumes volumes = account_obs(series, "run.csv", list, {});
  EXPECT_EQ(volumes[0], -24.0 - 48.0);  // 24 steps of a day; the rest are not read
  EXPECT_EQ(volumes[1], 12.0 - 24.0);
  EXPECT_EQ(volumes[2], 0.0);
}

TEST(ObsAccounting, UnevenStepsAndAWindowFromAStepEnd) {
  const ObsAccountList list = list_of("P +A\n");
  ObsSeries series;
  series.names = {"A"};
  double time = 0.0;
  for (int s = 1; s <= 30; ++s) {
    time += s % 2 == 0 ? 15.0 : 16.0;
    series.times.push_back(time);
    series.values.push_back(kAcreFoot * s);
  }
  // From the start: each step's end value times its length.
  double expected = 0.0;
  for (int s = 1; s <= 24; ++s) expected += (s % 2 == 0 ? 15.0 : 16.0) * s;
  EXPECT_DOUBLE_EQ(account_obs(series, "f", list, {})[0], expected);
  // From the end of step 3 (time 47): steps 4 to 27.
  expected = 0.0;
  for (int s = 4; s <= 27; ++s) expected += (s % 2 == 0 ? 15.0 : 16.0) * s;
  EXPECT_DOUBLE_EQ(account_obs(series, "f", list, {47.0, 24})[0], expected);
  EXPECT_DOUBLE_EQ(account_obs(series, "f", list, {47.0 * (1 + 1e-12), 2})[0], 15.0 * 4 + 16.0 * 5);
  EXPECT_EQ(failure_of(series, list, {40.0, 24}),
            "run.csv: no time step ends at time 40, where the accounting is to start");
  EXPECT_EQ(failure_of(series, list, {47.0, 28}),
            "run.csv: 27 time steps after time 47, fewer than the 28 to account");
}

TEST(ObsAccounting, MissingValuesNanAndTooFewRecordsFail) {
  const ObsAccountList list = list_of("P +A\n");
  ObsSeries series = daily({"A", "B"}, 24, {1.0, 2.0});
  series.values[2 * 5 + 1] = 3e30;  // an observation no point names may be missing
  EXPECT_DOUBLE_EQ(account_obs(series, "f", list, {})[0], 24.0 / kAcreFoot);
  series.values[2 * 5] = -3e30;
  EXPECT_EQ(failure_of(series, list),
            "run.csv: A at time 6 is missing (-3e+30): the model could not compute it");
  series.values[2 * 5] = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(failure_of(series, list), "run.csv: A at time 6 is not a number");
  EXPECT_EQ(failure_of(daily({"A"}, 23, {1.0}), list),
            "run.csv: 23 time steps after time 0, fewer than the 24 to account");
  ObsSeries bad_time = daily({"A"}, 24, {1.0});
  bad_time.times[3] = std::numeric_limits<double>::infinity();
  EXPECT_EQ(failure_of(bad_time, list), "run.csv: record 4 has no finite time");
  EXPECT_EQ(failure_of(daily({"B"}, 24, {1.0}), list),
            "run.csv: no observation named A (accounting point 1)");
}

TEST(ObsAccounting, RecordsAfterTheWindowAreNotRead) {
  std::vector<double> times;
  Records values;
  for (int d = 1; d <= 30; ++d) {
    times.push_back(d);
    values.push_back({1.0});
  }
  const std::string text = fixtures::text_obs({"A"}, times, values) + "31,not a number\n";
  EXPECT_THROW(read_obs(text, "f"), Failure);
  EXPECT_EQ(read_obs(text, "f", window_read({})).times.size(), 24U);
  EXPECT_EQ(read_obs(text, "f", window_read({2.0, 24})).times.size(), 26U);
  const std::string binary = fixtures::binary_obs({"A"}, times, values);
  EXPECT_EQ(read_obs(binary, "f", window_read({3.0, 2})).times.size(), 5U);
  // A window that the file cannot fill reads it all, and the accounting says what is missing.
  EXPECT_EQ(read_obs(binary, "f", window_read({40.0, 2})).times.size(), 30U);
}

TEST(ObsAccounting, FilesAreReadAsFarAsTheWindowNeeds) {
  // 400 kB of records: the window from time 150 lies past the first reads of the file.
  std::vector<std::string> names;
  for (int i = 0; i < 100; ++i) names.push_back(std::string("N").append(std::to_string(i)));
  std::vector<double> times;
  Records values;
  for (int d = 1; d <= 200; ++d) {
    times.push_back(d);
    values.push_back(std::vector<double>(100, d * kAcreFoot * 0.1));
  }
  testsupport::TempDir dir;
  const std::string good = fixtures::text_obs(names, times, values);
  spit(dir / "run.csv", good + "201,cut short\n");
  const std::string path = (dir / "run.csv").string();
  const ObsWindow window{150.0, 24};
  const ObsSeries series = read_obs_file(path, window_read(window));
  EXPECT_EQ(series.times.size(), 174U);
  const ObsAccountList list = list_of("P +n99\n");
  double expected = 0.0;
  for (int d = 151; d <= 174; ++d) expected += d * 0.1;
  EXPECT_DOUBLE_EQ(account_obs(series, path, list, window)[0], expected);
  EXPECT_THROW(read_obs_file(path), Failure);
  spit(dir / "run.bsv", fixtures::binary_obs(names, times, values).substr(0, 100000));
  EXPECT_EQ(read_obs_file((dir / "run.bsv").string(), window_read({50.0, 24})).times.size(), 74U);
  EXPECT_THROW(read_obs_file((dir / "run.bsv").string()), Failure);
}

TEST(ObsAccounts, EntriesAreSignedNamesOfAtMostFortyCharacters) {
  const ObsAccountList list = list_of("\"*Main stem\" +a -b\nTrib\n");
  EXPECT_EQ(list.points.count, 2);
  EXPECT_EQ(tallisk::shown_name(list.points.names[0]), "Main stem");
  ASSERT_EQ(list.entries[0].size(), 2U);
  EXPECT_EQ(list.entries[0][1].name, "B");
  EXPECT_TRUE(list.entries[0][1].negative);
  EXPECT_TRUE(list.entries[1].empty());
  auto failure = [](const std::string& text) {
    try {
      list_of(text);
    } catch (const Failure& stop) {
      return std::string(stop.what());
    }
    return std::string("no failure");
  };
  EXPECT_NE(failure("P +" + std::string(41, 'x') + "\n").find("longer than 40 characters"),
            std::string::npos);
  EXPECT_NE(failure("P A\n").find("begins with neither + nor -"), std::string::npos);
  EXPECT_NE(failure("P +A\n\n").find("line 2 has no point name"), std::string::npos);
  std::string many;
  for (int j = 0; j < 33; ++j) many += "P +A\n";
  EXPECT_NE(failure(many).find("more than 32 accounting points"), std::string::npos);
}

}  // namespace
}  // namespace gridkit
