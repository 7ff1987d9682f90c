// Annual table reader: layout, skipping rules, header check and every stop.
#include "utl/annual.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/run_program.h"
#include "utl/fatal.h"

namespace utl {
namespace {

using V = std::vector<double>;

const std::vector<std::string> kNorthSouth{"NORTH", "SOUTH"};

// A scratch directory holding one annual table file.
class AnnualTable : public ::testing::Test {
 protected:
  std::string write(const std::string& contents) {
    testsupport::spit(dir_ / "annual.txt", contents);
    return (dir_ / "annual.txt").string();
  }

  // Reads `contents` for NORTH and SOUTH over 1950 to 1952 into a table first filled with -1.
  V read(const std::string& contents, int year1 = 1950, int year2 = 1952) {
    const std::string file = write(contents);
    V table(6, -1.0);
    readyears(file, table, kNorthSouth, 2, year1, year2);
    return table;
  }

  // The stop raised while reading `contents` as in read(), or "" when there is none.
  std::string stop(const std::string& contents, int year1 = 1950, int year2 = 1952) {
    try {
      read(contents, year1, year2);
    } catch (const Fatal& fatal) {
      return fatal.text();
    }
    return "";
  }

  std::string file() const { return (dir_ / "annual.txt").string(); }

  testsupport::TempDir dir_;
};

TEST_F(AnnualTable, FillsRowsInRangeWithYearFastest) {
  const V table = read(
      "Year NORTH SOUTH\n"
      "# comment\n"
      "1951 1.5 2.5\n"
      "1960 7 8\n");
  // Series NORTH for 1950..1952, then SOUTH; years without a record are 0.
  EXPECT_EQ(table, (V{0, 1.5, 0, 0, 2.5, 0}));
}

TEST_F(AnnualTable, LaterRecordsOverwriteAndOrderIsFree) {
  const V table = read(
      "Year NORTH SOUTH\n"
      "1952 1 2\n"
      "1950 3 4\n"
      "1952 5 6\n");
  EXPECT_EQ(table, (V{3, 0, 5, 4, 0, 6}));
}

TEST_F(AnnualTable, CleansDataRecordsAndSkipsCommentsAndBlanksAnywhere) {
  const V table = read(
      "year north South extra\r\n"
      "\n"
      "   \t\n"
      "1950\t10.\t2.5-1 99 trailing fields\r\n"
      "#1951 9 9\n");
  EXPECT_EQ(table, (V{10, 0, 0, 0.25, 0, 0}));
}

TEST_F(AnnualTable, RecordsAreReadWholeBeyond1024Characters) {
  // The second value straddles column 1024: a cut record would read 123 instead of 12345.
  std::string record = "1951 1";
  record += std::string(1021 - record.size(), ' ');
  record += "12345";
  ASSERT_EQ(record.find("123"), 1021u);
  const V table = read("Year NORTH SOUTH\n" + record + "\n");
  EXPECT_EQ(table, (V{0, 1, 0, 0, 12345, 0}));
}

TEST_F(AnnualTable, YearIsCheckedBeforeTheRange) {
  const std::string bad_year = format_error2("Invalid year in file", file());
  EXPECT_EQ(stop("Year NORTH SOUTH\n1951.5 1 2\n"), bad_year);
  EXPECT_EQ(stop("Year NORTH SOUTH\n1960.5 1 2\n"), bad_year);
  EXPECT_EQ(stop("Year NORTH SOUTH\nyear 1 2\n"), bad_year);
  EXPECT_EQ(stop("Year NORTH SOUTH\n #x 1 2\n"), bad_year);
  // With an empty range every record is still year-checked, and nothing is stored.
  EXPECT_EQ(stop("Year NORTH SOUTH\n1951 1 2\nx\n", 1952, 1951), bad_year);
  EXPECT_EQ(read("Year NORTH SOUTH\n1951 1 2\n1952 3 4\n", 1952, 1951), V(6, -1.0));
}

TEST_F(AnnualTable, MissingOrBadValuesStopOnlyInRange) {
  const std::string bad_data = format_error2("Invalid data in file", file());
  EXPECT_EQ(stop("Year NORTH SOUTH\n1951 1\n"), bad_data);
  EXPECT_EQ(stop("Year NORTH SOUTH\n1951 1 two\n"), bad_data);
  EXPECT_EQ(stop("Year NORTH SOUTH\n1951 \"1\" 2\n"), bad_data);
  EXPECT_EQ(read("Year NORTH SOUTH\n1949 1\n1953 x y\n"), V(6, 0.0));
}

TEST_F(AnnualTable, HeaderIsCheckedAsTheFirstRecord) {
  EXPECT_EQ(stop("# annual flows\nYear NORTH SOUTH\n"),
            format_error2("Data label out of order ANNUAL", file()));
  EXPECT_EQ(stop("Year SOUTH NORTH\n"), format_error2("Data label out of order SOUTH", file()));
  EXPECT_EQ(stop("Year NORTH\n1951 1 2\n"), format_error2("Invalid data label", file()));
  EXPECT_EQ(stop("\nYear NORTH SOUTH\n"), format_error2("Invalid time label", file()));
  // The header is not cleaned: a tab joins two labels into one.
  EXPECT_EQ(stop("Year NORTH\tSOUTH\n"),
            format_error2("Data label out of order NORTH\tSOUTH", file()));
}

TEST_F(AnnualTable, MissingOrEmptyFile) {
  V table(6, -1.0);
  const std::string missing = (dir_ / "none.txt").string();
  try {
    readyears(missing, table, kNorthSouth, 2, 1950, 1952);
    ADD_FAILURE() << "no stop";
  } catch (const Fatal& fatal) {
    EXPECT_EQ(fatal.text(), format_error2("Cannot open file", missing));
  }
  EXPECT_EQ(stop(""), format_error2("Cannot read file", file()));
}

TEST_F(AnnualTable, ClearsOnlyItsOwnPartOfTheTable) {
  const std::string file = write("Year NORTH\n1950 4\n");
  V table(4, -1.0);
  readyears(file, table, kNorthSouth, 1, 1950, 1952);
  EXPECT_EQ(table, (V{4, 0, 0, -1}));
}

TEST_F(AnnualTable, RefusesATableTooSmallBeforeWritingIt) {
  const std::string file = write("Year NORTH SOUTH\n1950 1 2\n");
  V table(5, -1.0);
  EXPECT_THROW(readyears(file, table, kNorthSouth, 2, 1950, 1952), std::invalid_argument);
  EXPECT_EQ(table, V(5, -1.0));
  EXPECT_THROW(readyears(file, table, kNorthSouth, 3, 1950, 1950), std::invalid_argument);
}

}  // namespace
}  // namespace utl
