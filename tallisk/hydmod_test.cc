#include "tallisk/hydmod.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "tallisk/hydmod_testdata.h"
#include "tests/support/run_program.h"
#include "utl/fatal.h"

namespace tallisk {
namespace {

using namespace testdata;

// Writes `bytes` as a run file and reads it for the points of `entries` (one row per point).
class ReadsfiTest : public ::testing::Test {
 protected:
  Volumes read(const std::string& bytes, const std::vector<std::vector<std::string>>& entries,
               int nskip = 1) {
    testsupport::spit(path_, bytes);
    GageTable gages;
    for (auto& point : gages) point.fill(gage_entry(""));
    for (std::size_t j = 0; j < entries.size(); ++j) {
      for (std::size_t k = 0; k < entries[j].size(); ++k) gages[j][k] = gage_entry(entries[j][k]);
    }
    Volumes volumes;
    volumes.fill(-7.0);
    readsfi(path_.string(), gages, volumes, static_cast<int>(entries.size()), nskip);
    return volumes;
  }
  // The fatal text of reading `bytes`.
  std::string failure(const std::string& bytes, const std::vector<std::string>& entries = {},
                      int nskip = 1) {
    try {
      read(bytes, {entries}, nskip);
    } catch (const utl::Fatal& stop) {
      return stop.text();
    }
    return "no stop";
  }
  std::string file_error(const std::string& message) {
    return utl::format_error2(message, path_.string());
  }

  testsupport::TempDir dir_;
  std::filesystem::path path_ = dir_ / "r.sfi";
};

TEST_F(ReadsfiTest, CombinesSignedItemVolumesPerPoint) {
  const std::string file = volume_file({"A", "B", "C"}, {100.0, 30.0, 5.5});
  const Volumes v = read(file, {{"+A", "-B"}, {"+C", "", "+C"}, {}, {"-B"}});
  EXPECT_EQ(v[0], 70.0);
  EXPECT_EQ(v[1], 11.0);
  EXPECT_EQ(v[2], 0.0);
  EXPECT_EQ(v[3], -30.0);
  EXPECT_EQ(v[4], -7.0);  // beyond the points in use: untouched
}

TEST_F(ReadsfiTest, IntegratesRightEndStepsOverExactly24Records) {
  // 43,560 cubic feet per unit of time over times 0..24 is 24 acre-feet; the first record's
  // values are never used, the second record's value counts double, the 26th is not read.
  std::string file = count_record(2) + directory_record({"A", "B"});
  file += time_record(0.0, {1e12, 1e12});
  file += time_record(1.0, {2 * 43560.0, 43560.0});
  for (int t = 2; t <= 24; ++t) file += time_record(t, {43560.0, 43560.0});
  file += time_record(25.0, {1e12, 1e12});
  const Volumes v = read(file, {{"+A"}, {"+B"}});
  EXPECT_DOUBLE_EQ(v[0], 25.0);
  EXPECT_DOUBLE_EQ(v[1], 24.0);
}

TEST_F(ReadsfiTest, DecreasingTimesIntegrateNegatively) {
  std::string file = count_record(1) + directory_record({"A"});
  for (int r = 0; r <= 24; ++r) file += time_record(100.0 - r, {43560.0});
  EXPECT_DOUBLE_EQ(read(file, {{"+A"}})[0], -24.0);
}

TEST_F(ReadsfiTest, SoOffsetAppliesToCaseSensitivePrefixOnly) {
  std::string file = count_record(2) + directory_record({"SO gage", "So gage"});
  for (int r = 0; r <= 24; ++r) file += time_record(r, {1e6, 1e6});
  const Volumes v = read(file, {{"+SO gage"}, {"+So gage"}});
  EXPECT_EQ(v[0], 0.0);
  EXPECT_DOUBLE_EQ(v[1], 1e6 * 24.0 / 43560.0);
}

TEST_F(ReadsfiTest, LaterDuplicateLabelWins) {
  EXPECT_EQ(read(volume_file({"A", "B", "A"}, {1.0, 2.0, 3.0}), {{"+A"}})[0], 3.0);
}

TEST_F(ReadsfiTest, NegativeCountMeansDoublePrecisionItems) {
  std::string file = volume_file({"A", "B"}, {10.0, 20.0});
  file.replace(0, 16, count_record(-2));
  EXPECT_EQ(read(file, {{"+B"}})[0], 20.0);
}

TEST_F(ReadsfiTest, ZeroCountHasNoItems) {
  std::string file = count_record(0) + record(std::string(4, '\0'));
  for (int r = 0; r <= 24; ++r) file += record(std::string(8, '\0'));
  EXPECT_EQ(read(file, {{""}})[0], 0.0);
  EXPECT_EQ(failure(file, {"+A"}), " No match to gage +A\n");
}

TEST_F(ReadsfiTest, ItemLimit) {
  std::vector<std::string> labels(256);
  for (int i = 0; i < 256; ++i) labels[i] = std::string("I").append(std::to_string(i));
  EXPECT_EQ(read(volume_file(labels, std::vector<double>(256, 2.0)), {{"+I255"}})[0], 2.0);
  EXPECT_EQ(failure(count_record(257)), " Too many HYDMOD items  257\n");
  EXPECT_EQ(failure(count_record(-257)), " Too many HYDMOD items  257\n");
  EXPECT_EQ(failure(count_record(INT32_MIN)), " Too many HYDMOD items  2147483648\n");
}

TEST_F(ReadsfiTest, GageEntryFailuresComeBeforeTimeRecords) {
  const std::string head = count_record(1) + directory_record({"A"});
  EXPECT_EQ(failure(head, {"+B"}), " No match to gage +B\n");
  EXPECT_EQ(failure(head, {"*A"}), " Invalid gage type *A\n");
  EXPECT_EQ(failure(head, {"*B"}), " No match to gage *B\n");
  EXPECT_EQ(failure(head, {"+a"}), " No match to gage +a\n");
}

TEST_F(ReadsfiTest, NonFiniteTimesAndUsedValuesStopAsUnreadable) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // Record `at` (0 the skipped one) holds time `t` and values a and b; the others 43560 each.
  const auto file = [](int at, double t, double a, double b) {
    std::string bytes = count_record(2) + directory_record({"A", "B"});
    for (int r = 0; r <= 24; ++r)
      bytes += r == at ? time_record(t, {a, b}) : time_record(r, {43560.0, 43560.0});
    return bytes;
  };
  EXPECT_EQ(failure(file(0, nan, 1, 1)), file_error("Error reading file"));
  EXPECT_EQ(failure(file(24, HUGE_VAL, 1, 1)), file_error("Error reading file"));
  EXPECT_EQ(failure(file(7, 7, 1, -HUGE_VAL), {"-B"}), file_error("Error reading file"));
  // Values no point uses are not looked at, nor those of the skipped record.
  EXPECT_DOUBLE_EQ(read(file(3, 3, 43560, nan), {{"+A"}})[0], 24.0);
  EXPECT_DOUBLE_EQ(read(file(0, 0, nan, nan), {{"+A"}})[0], 24.0);
}

TEST_F(ReadsfiTest, DamagedFilesStopWithTheirMessage) {
  const std::string good = volume_file({"A", "B"}, {1.0, 2.0});
  const std::string head = count_record(2) + directory_record({"A", "B"});
  const std::string one_time = time_record(0.0, {1.0, 2.0});
  std::string huge_count = count_record(2);
  huge_count[0] = huge_count[1] = huge_count[2] = huge_count[3] = '\xff';

  Volumes v;
  try {
    readsfi((dir_ / "none.sfi").string(), GageTable{}, v, 0, 1);
    ADD_FAILURE();
  } catch (const utl::Fatal& stop) {
    EXPECT_EQ(stop.text(), utl::format_error2("Cannot open file", (dir_ / "none.sfi").string()));
  }
  EXPECT_EQ(failure(""), file_error("Cannot read count"));
  EXPECT_EQ(failure(record("1234")), file_error("Cannot read count"));
  EXPECT_EQ(failure(huge_count + good), file_error("Cannot read count"));
  EXPECT_EQ(failure(count_record(2)), file_error("Cannot read directory"));
  EXPECT_EQ(failure(count_record(2) + directory_record({"A"})),
            file_error("Cannot read directory"));
  EXPECT_EQ(failure(good.substr(0, good.size() - 1)), file_error("Error reading file"));
  EXPECT_EQ(failure(good.substr(0, good.size() - 40)), file_error("Error reading file"));
  EXPECT_EQ(failure(head), file_error("Error reading file"));
  EXPECT_EQ(failure(head + record("1234567") + good.substr(head.size())),
            file_error("Error reading file"));
  std::string short_values = head + one_time;
  for (int r = 1; r <= 24; ++r)
    short_values += r < 24 ? time_record(r, {1.0, 2.0}) : time_record(r, {1.0});
  EXPECT_EQ(failure(short_values), file_error("Error reading file"));
  EXPECT_EQ(failure(good, {}, 0), " Invalid number of records to skip  0\n");
  EXPECT_EQ(failure(good, {}, 3), file_error("Error reading file"));  // 3 + 24 needed, 25 there
}

}  // namespace
}  // namespace tallisk
