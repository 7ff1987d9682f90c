#include "corvane/monthly.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/run_program.h"
#include "utl/fatal.h"
#include "utl/fields.h"

namespace corvane {
namespace {

using testsupport::spit;
using testsupport::TempDir;

constexpr int kFirst = 1940;
constexpr int kLast = 2020;
constexpr std::size_t kPerArea = 12 * (kLast - kFirst + 1);

std::vector<std::string> area_names(const std::vector<std::string>& names) {
  std::vector<std::string> padded;
  for (const std::string& name : names) padded.push_back(utl::padded(name, 32));
  return padded;
}

struct Table {
  std::vector<double> retaf;
  std::string stop;  // the diagnostic, with the file name shown as "F"; empty when read

  double at(int area, int year, int month) const {
    return retaf[retaf_index(area, year, month, kFirst, kLast)];
  }
};

// Reads `text` as the return-flow table of the areas `names`, into a table that starts at 9.
Table read_table(const std::string& text, const std::vector<std::string>& names) {
  TempDir dir;
  const std::string file = (dir / "returns.txt").string();
  spit(file, text);
  Table t{std::vector<double>(kPerArea * names.size(), 9.0), ""};
  try {
    readmonths(file, t.retaf, area_names(names), static_cast<int>(names.size()), kFirst, kLast);
  } catch (const utl::Fatal& fatal) {
    t.stop = fatal.text();
    auto at = t.stop.find(file);
    std::size_t length = file.size();
    // A long temporary directory puts the name on a continuation line of its own.
    if (at != std::string::npos && at >= 2 && t.stop.compare(at - 2, 2, "\n ") == 0) {
      at -= 2, length += 2;
    }
    if (at != std::string::npos) t.stop = t.stop.substr(0, at) + "F" + t.stop.substr(at + length);
  }
  return t;
}

TEST(Readmonths, StoresValuesByAreaYearAndMonth) {
  const Table t = read_table(
      "YrMo a1 A2 extra\n"
      "# irrigation season only\n"
      "195003 1.5 2e3\n"
      "\n"
      "195012\t-4 1D-1 99\n"
      "  202001 7 8\n"
      "195003 3 4\n",
      {"A1", "A2"});
  ASSERT_EQ(t.stop, "");
  EXPECT_EQ(t.at(1, 1950, 3), 3.0);  // the later of two records with one label wins
  EXPECT_EQ(t.at(2, 1950, 3), 4.0);
  EXPECT_EQ(t.at(1, 1950, 12), -4.0);
  EXPECT_EQ(t.at(2, 1950, 12), 0.1);
  EXPECT_EQ(t.at(1, 2020, 1), 7.0);
  EXPECT_EQ(t.at(2, 2020, 1), 8.0);
  // Everything without a record is cleared, including values of an earlier load.
  EXPECT_EQ(t.at(1, 1950, 4), 0.0);
  EXPECT_EQ(t.at(2, 1940, 1), 0.0);
  double sum = 0;
  for (const double v : t.retaf) sum += v;
  EXPECT_DOUBLE_EQ(sum, 3 + 4 - 4 + 0.1 + 7 + 8);
}

TEST(Readmonths, YearsOutsideTheSpanAreSkippedUnchecked) {
  const Table t = read_table("ym a\n193913 1\n202113 x\n1950 5\n-195003 6\n194001 2\n", {"A"});
  ASSERT_EQ(t.stop, "");
  EXPECT_EQ(t.at(1, 1940, 1), 2.0);
  double sum = 0;
  for (const double v : t.retaf) sum += v;
  EXPECT_EQ(sum, 2.0);
  EXPECT_EQ(read_table("ym a\n195013 1\n", {"A"}).stop, " Invalid year-month  13\n");
  EXPECT_EQ(read_table("ym a\n195000 1\n", {"A"}).stop, " Invalid year-month  0\n");
}

TEST(Readmonths, BadRecordsStopWithTheFileName) {
  const std::vector<std::string> two{"A", "B"};
  EXPECT_EQ(read_table("ym a b\n195001 1\n", two).stop, " Invalid data in file F\n");
  EXPECT_EQ(read_table("ym a b\n195001 1 x\n", two).stop, " Invalid data in file F\n");
  EXPECT_EQ(read_table("ym a b\n1950.01 1 2\n", two).stop, " Invalid year-mo in file F\n");
  EXPECT_EQ(read_table("ym a b\n99999999999 1 2\n", two).stop, " Invalid year-mo in file F\n");
  EXPECT_EQ(read_table("", two).stop, " Cannot read file F\n");
  std::vector<double> retaf(kPerArea);
  const std::vector<std::string> names = area_names({"A"});
  try {
    readmonths(utl::padded("no/returns.txt", 256), retaf, names, 1, kFirst, kLast);
    ADD_FAILURE() << "did not stop";
  } catch (const utl::Fatal& fatal) {
    EXPECT_EQ(fatal.text(), " Cannot open file no/returns.txt\n");
  }
}

TEST(Readmonths, HeaderIsTheFirstLineTakenAsItStands) {
  const std::vector<std::string> two{"A", "B"};
  EXPECT_EQ(read_table("ym b a\n", two).stop, " Data label out of order B F\n");
  EXPECT_EQ(read_table("ym a\n", two).stop, " Invalid data label F\n");
  EXPECT_EQ(read_table("\n195001 1 2\n", two).stop, " Invalid time label F\n");
  // Tabs are not blanks in the header; a comment line before it is taken as the header.
  EXPECT_EQ(read_table("ym\ta\tb\n", two).stop, " Invalid data label F\n");
  EXPECT_EQ(read_table("# a b\n195001 1 2\n", two).stop, "");
  EXPECT_EQ(read_table("# ym a b\n", two).stop, " Data label out of order YM F\n");
}

TEST(Readmonths, LongRecordsAreReadWhole) {
  // 200 areas make lines far longer than 1024 characters; the last number must not be cut.
  std::vector<std::string> names;
  std::string header = "YearMonth";
  std::string record = "195007";
  for (int n = 1; n <= 200; ++n) {
    const std::string number = std::to_string(n);
    names.push_back(std::string("AREA").append(number));
    header.append(" area").append(number);
    record.append(" ").append(std::to_string(10000 + n)).append(".25");
  }
  ASSERT_GT(record.size(), 1024u);
  const Table t = read_table(header + "\n" + record + "\n", names);
  ASSERT_EQ(t.stop, "");
  EXPECT_EQ(t.at(1, 1950, 7), 10001.25);
  EXPECT_EQ(t.at(200, 1950, 7), 10200.25);
}

}  // namespace
}  // namespace corvane
