// MODFLOW 6 observation files from hand-made bytes: both forms read alike, Fortran's number
// forms, and damaged files refused with the file named.
#include "gridkit/readers/obs_file.h"

#include <gtest/gtest.h>

#include <cmath>

#include "gridkit/common.h"
#include "gridkit/exports/obs_csv.h"
#include "gridkit/grid.h"
#include "gridkit/testing_obs.h"

namespace gridkit {
namespace {

using fixtures::binary_obs;
using fixtures::text_obs;

const std::vector<std::string> kNames = {"UPPER_REACH_OUTFLOW_OF_THE_MAIN_STEM_0001", "HEAD1"};
const std::vector<double> kTimes = {15.5, 31.0, 59.25};
const fixtures::Records kValues = {{-1.25e6, 0.1}, {-3e30, 2.5e-300}, {0.0, -7.0}};

void expect_series(const ObsSeries& series) {
  ASSERT_EQ(series.names.size(), 2U);
  // The binary form keeps 40 characters of a longer name, as MODFLOW 6 would never write one.
  EXPECT_EQ(series.names[0].substr(0, 40), kNames[0].substr(0, 40));
  EXPECT_EQ(series.names[1], "HEAD1");
  EXPECT_EQ(series.times, kTimes);
  ASSERT_EQ(series.values.size(), 6U);
  for (std::size_t r = 0; r < 3; ++r) {
    for (std::size_t i = 0; i < 2; ++i) EXPECT_EQ(series.value(r, i), kValues[r][i]);
  }
}

TEST(ObsFile, BinaryAndTextFormsReadTheSame) {
  expect_series(read_obs(binary_obs(kNames, kTimes, kValues), "run.bsv"));
  expect_series(read_obs(text_obs(kNames, kTimes, kValues), "run.csv"));
}

TEST(ObsFile, SinglePrecisionBinaryAndNoRecords) {
  const ObsSeries single = read_obs(binary_obs({"Q"}, {1.0, 2.0}, {{0.5}, {-3e30}}, true), "f");
  EXPECT_EQ(single.times, (std::vector<double>{1.0, 2.0}));
  EXPECT_EQ(single.value(0, 0), 0.5);
  EXPECT_FLOAT_EQ(static_cast<float>(single.value(1, 0)), -3e30F);
  const ObsSeries empty = read_obs("time,A,B\n", "f");
  EXPECT_EQ(empty.names.size(), 2U);
  EXPECT_TRUE(empty.times.empty());
}

TEST(ObsFile, TextTakesFortranNumberFormsNanAndCrLf) {
  const ObsSeries series = read_obs(
      "TIME,a,b\r\n 1.0000000000E+00,0.15D+01,0.1000000000-99\r\n2.0,NaN,  -3.0E+30\r\n", "f");
  EXPECT_EQ(series.names, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(series.times, (std::vector<double>{1.0, 2.0}));
  EXPECT_EQ(series.value(0, 0), 1.5);
  EXPECT_DOUBLE_EQ(series.value(0, 1), 1e-100);
  EXPECT_TRUE(std::isnan(series.value(1, 0)));
  EXPECT_EQ(series.value(1, 1), -3e30);
}

std::string failure_of(std::string_view contents) {
  try {
    read_obs(contents, "run.obs");
  } catch (const Failure& failure) {
    return failure.what();
  }
  return "no failure";
}

TEST(ObsFile, DamagedFilesAreRefusedWithTheFileNamed) {
  const std::string good = binary_obs({"A", "B"}, {1.0, 2.0}, {{1.0, 2.0}, {3.0, 4.0}});
  EXPECT_EQ(failure_of("DATA 1 2 3\n"),
            "run.obs: not a MODFLOW 6 observation file (it begins with neither \"time,\" nor "
            "\"cont double\")");
  EXPECT_EQ(failure_of(good.substr(0, 60)), "run.obs: the header is cut short");
  EXPECT_EQ(failure_of(good.substr(0, 150)),
            "run.obs: the header names 2 observations, more than the file holds");
  EXPECT_EQ(failure_of(good.substr(0, good.size() - 1)), "run.obs: record 2 is cut short");
  std::string wild_count = good;
  wild_count[100] = '\xff';
  wild_count[103] = '\x7f';
  EXPECT_NE(failure_of(wild_count).find("more than the file holds"), std::string::npos);
  std::string bad_length = good;
  bad_length.replace(11, 4, "  x1");
  EXPECT_NE(failure_of(bad_length).find("not a length"), std::string::npos);
  EXPECT_EQ(failure_of("time,A,B\n1.0,2.0\n"),
            "run.obs: line 2 holds 2 fields, not the 3 of its time and 2 observations");
  EXPECT_EQ(failure_of("time,A\n1.0,2.0\n2.0,\n"), "run.obs: line 3: an empty field");
  EXPECT_EQ(failure_of("time,A\n1.0,1.5.2\n"), "run.obs: line 2: '1.5.2' is not a number");
}

TEST(ObsCsv, WritesShortestDigitsAndQuotesNames) {
  const ObsSeries series = read_obs(binary_obs({"A,B", "C"}, {0.5}, {{0.1, -3e30}}), "f");
  EXPECT_EQ(obs_to_csv(series), "time,\"A,B\",C\n0.5,0.1,-3e+30\n");
}

}  // namespace
}  // namespace gridkit
