// Esri ASCII grids: header, row order, no-data cells.
#include "gridkit/exports/asc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "gridkit/testing_grids.h"

namespace gridkit {
namespace {

using fixtures::cell;

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> words_of(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

TEST(Asc, HeaderThenRowsNorthFirst) {
  Grid grid;
  grid.values[cell(1, 1)] = 1.5;     // north-west
  grid.values[cell(326, 165)] = -2;  // south-east
  grid.values[cell(2, 1)] = 0.1;
  const std::vector<std::string> lines = lines_of(format_asc(grid, nullptr));
  ASSERT_EQ(lines.size(), 5u + 165u);
  EXPECT_EQ(lines[0], "ncols 326");
  EXPECT_EQ(lines[1], "nrows 165");
  EXPECT_EQ(lines[2], "xllcorner 266023");
  EXPECT_EQ(lines[3], "yllcorner 14092806");
  EXPECT_EQ(lines[4], "cellsize 5280");
  for (std::size_t i = 5; i < lines.size(); ++i) ASSERT_EQ(words_of(lines[i]).size(), 326u) << i;
  EXPECT_EQ(lines[5].substr(0, 10), "1.5 0.1 0 ");
  EXPECT_EQ(words_of(lines.back()).back(), "-2");
}

TEST(Asc, InactiveAndUnreadableCellsHoldNoData) {
  Grid grid;
  grid.values[cell(1, 1)] = 7.0;
  grid.values[cell(2, 1)] = std::numeric_limits<double>::quiet_NaN();
  Ibound ibound;
  ibound.flags[cell(1, 1)] = 0;
  const std::vector<std::string> lines = lines_of(format_asc(grid, &ibound));
  ASSERT_EQ(lines.size(), 6u + 165u);
  EXPECT_EQ(lines[5], "NODATA_value -9999");
  const std::vector<std::string> first = words_of(lines[6]);
  EXPECT_EQ(first[0], "-9999");
  EXPECT_EQ(first[1], "-9999");
  EXPECT_EQ(first[2], "0");
}

TEST(Asc, NoDataValueNeverEqualsACellsValue) {
  Grid grid;
  grid.values[cell(1, 2)] = -9999.0;
  grid.values[cell(2, 2)] = -99999.0;
  Ibound ibound;
  ibound.flags[cell(1, 1)] = 0;
  const std::vector<std::string> lines = lines_of(format_asc(grid, &ibound));
  EXPECT_EQ(lines[5], "NODATA_value -999999");
  EXPECT_EQ(words_of(lines[6])[0], "-999999");
  EXPECT_EQ(words_of(lines[7])[0], "-9999");
}

// A grid that holds every value of the no-data sequence still gets a finite one of its own.
TEST(Asc, NoDataStaysFiniteWhenTheWholeSequenceIsTaken) {
  Grid grid;
  std::size_t k = 0;
  for (double value = -9999.0; std::isfinite(value); value = value * 10.0 - 9.0) {
    grid.values[k++] = value;
  }
  grid.values[k++] = -10000.0;  // the first of the fallbacks, taken too
  grid.values[k] = std::numeric_limits<double>::quiet_NaN();
  const std::vector<std::string> lines = lines_of(format_asc(grid, nullptr));
  ASSERT_EQ(lines[5].rfind("NODATA_value ", 0), 0u);
  const double nodata = std::stod(lines[5].substr(13));
  EXPECT_TRUE(std::isfinite(nodata)) << lines[5];
  for (std::size_t i = 0; i < k; ++i) EXPECT_NE(grid.values[i], nodata) << i;
  EXPECT_EQ(nodata, -10001.0);
}

}  // namespace
}  // namespace gridkit
