// HYDMOD run files as CSV, from hand-built files: labels, values, counts and damaged records.
#include "gridkit/exports/hydmod_csv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gridkit/common.h"
#include "gridkit/grid.h"
#include "utl/csv.h"
#include "utl/records.h"

namespace gridkit {
namespace {

std::string count_record(int count) {
  std::string data;
  utl::put_i32le(data, count);
  utl::put_i32le(data, 0);
  std::string out;
  utl::append_record(out, data);
  return out;
}

std::string directory_record(const std::vector<std::string>& labels) {
  std::string data;
  utl::put_i32le(data, 0);
  for (const std::string& label : labels) data += (label + std::string(20, ' ')).substr(0, 20);
  std::string out;
  utl::append_record(out, data);
  return out;
}

std::string time_record(double time, const std::vector<double>& values) {
  std::string data;
  utl::put_f64le(data, time);
  for (double value : values) utl::put_f64le(data, value);
  std::string out;
  utl::append_record(out, data);
  return out;
}

std::string failure_of(const std::string& contents) {
  try {
    hydmod_to_csv(contents, "run.hyd");
  } catch (const Failure& failure) {
    return failure.what();
  }
  return "no failure";
}

TEST(HydmodCsv, TimeThenOneColumnPerLabel) {
  // A negative count marks double-precision values: 2 items.
  const std::string file = count_record(-2) + directory_record({"SOriver", "GW well 1"}) +
                           time_record(0.0, {1000000.0, -2.5}) +
                           time_record(1.5, {1000001.25, 0.1});
  EXPECT_EQ(hydmod_to_csv(file, "run.hyd"),
            "time,SOriver,GW well 1\n"
            "0,1000000,-2.5\n"
            "1.5,1000001.25,0.1\n");
  // A positive count reads the same.
  const std::string positive = count_record(2) + file.substr(count_record(2).size());
  EXPECT_EQ(hydmod_to_csv(positive, "run.hyd"), hydmod_to_csv(file, "run.hyd"));
}

TEST(HydmodCsv, LabelsAreQuotedWhereCsvNeedsIt) {
  const std::string file = count_record(3) + directory_record({"a,b", "say \"x\"", " lead"}) +
                           time_record(2.0, {1.0, 2.0, 3.0});
  EXPECT_EQ(hydmod_to_csv(file, "f"), "time,\"a,b\",\"say \"\"x\"\"\",\" lead\"\n2,1,2,3\n");
  EXPECT_EQ(utl::csv_field("plain label"), "plain label");
}

TEST(HydmodCsv, NoItemsAndNoTimeRecords) {
  EXPECT_EQ(hydmod_to_csv(count_record(0) + directory_record({}) + time_record(3.0, {}), "f"),
            "time\n3\n");
  EXPECT_EQ(hydmod_to_csv(count_record(1) + directory_record({"A"}), "f"), "time,A\n");
  // Bytes beyond the layout in a record are skipped.
  EXPECT_EQ(
      hydmod_to_csv(count_record(1) + directory_record({"A", "B"}) + time_record(1.0, {2.0, 99.0}),
                    "f"),
      "time,A\n1,2\n");
}

TEST(HydmodCsv, DamagedFilesAreReported) {
  EXPECT_EQ(failure_of(""), "run.hyd: cannot read the item count");
  std::string short_count;
  utl::append_record(short_count, "abcd");
  EXPECT_EQ(failure_of(short_count), "run.hyd: cannot read the item count");
  // A wild count needs a directory record of its size: no allocation follows from it.
  EXPECT_EQ(failure_of(count_record(-2147483647 - 1) + directory_record({"A"})),
            "run.hyd: cannot read the directory of 2147483648 items");
  EXPECT_EQ(failure_of(count_record(3) + directory_record({"A", "B"})),
            "run.hyd: cannot read the directory of 3 items");
  const std::string head = count_record(2) + directory_record({"A", "B"});
  EXPECT_EQ(failure_of(head + time_record(0.0, {1.0, 2.0}) + time_record(1.0, {1.0})),
            "run.hyd: time record 2 holds 16 bytes, fewer than the 24 of its time and 2 values");
  const std::string whole = head + time_record(0.0, {1.0, 2.0});
  EXPECT_EQ(failure_of(whole.substr(0, whole.size() - 1)), "run.hyd: time record 1 is cut short");
}

}  // namespace
}  // namespace gridkit
