// Esri ASCII grids: header, row order, no-data cells.
#include "gridkit/asc.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <vector>

#include "gridkit/testing_grids.h"

namespace gridkit {
namespace {

using testing::cell;

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

}  // namespace
}  // namespace gridkit
