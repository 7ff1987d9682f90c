// Grid forms told from the content of files written in each of them.
#include "gridkit/readers/detect.h"

#include <gtest/gtest.h>

#include "gridkit/common.h"
#include "gridkit/grid.h"
#include "gridkit/testing_grids.h"

namespace gridkit {
namespace {

using fixtures::cell;
using fixtures::sample_grid;

std::string failure_of(std::string_view contents) {
  try {
    detect_format(contents);
  } catch (const Failure& failure) {
    return failure.what();
  }
  return "no failure";
}

TEST(DetectFormat, TellsEveryFormFromItsContent) {
  const Grid grid = sample_grid();
  EXPECT_EQ(detect_format(fixtures::binary_grid(grid)), GridFormat::kBinary);
  EXPECT_EQ(detect_format(fixtures::fixed_grid(grid)), GridFormat::kFixed);
  EXPECT_EQ(detect_format(fixtures::free_grid(grid)), GridFormat::kText);
  EXPECT_EQ(detect_format(fixtures::free_grid(grid, "Acres of area north\n")), GridFormat::kFree);
  Ibound ibound;
  ibound.flags[cell(3, 3)] = -1;
  ibound.flags[cell(4, 3)] = 0;
  EXPECT_EQ(detect_format(fixtures::flag_grid(ibound)), GridFormat::kFlags);
}

TEST(DetectFormat, LineEndsOfOtherSystemsAndNumericHeaders) {
  std::string fixed = fixtures::fixed_grid(sample_grid());
  std::string crlf;
  for (char c : fixed) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(detect_format(crlf), GridFormat::kFixed);
  // A header of numbers is a header when the values after it, not with it, fill the grid.
  EXPECT_EQ(detect_format(fixtures::free_grid(sample_grid(), "326 165\n")), GridFormat::kFree);
  // Repeat forms count in full.
  std::string repeated;
  for (int row = 1; row <= kNrow; ++row) repeated += "326*0.0\n";
  EXPECT_EQ(detect_format(repeated), GridFormat::kText);
  EXPECT_EQ(detect_format("header\n" + repeated), GridFormat::kFree);
}

TEST(DetectFormat, RejectsEmptyFilesAndForeignBinaryData) {
  EXPECT_EQ(failure_of(""), "the file is empty");
  std::string other;
  utl::append_record(other, std::string(16, '\0'));
  EXPECT_EQ(failure_of(other), "binary data that is not one record of 326 by 165 reals");
}

// A grid whose count of values is wrong, or whose form could be either, is refused: read as
// the other form, every cell would be shifted.
TEST(DetectFormat, RefusesAGridOfTheWrongCountOrAnAmbiguousForm) {
  Grid grid;
  for (std::size_t k = 0; k < grid.values.size(); ++k) grid.values[k] = static_cast<double>(k % 7);
  const std::string text = fixtures::free_grid(grid);
  const std::string first_line = text.substr(0, text.find('\n') + 1);
  // The first line again at the end: as many values after the first line as the grid has.
  EXPECT_EQ(failure_of(text + first_line).rfind("ambiguous: a text grid of ", 0), 0u)
      << failure_of(text + first_line);
  EXPECT_EQ(failure_of(text + " 1. 2.\n"),
            "a text grid of 53792 values, not the 53790 of 326 by 165");
  EXPECT_EQ(failure_of(fixtures::free_grid(grid, "header\n") + " 1.\n"),
            "a free-format grid after a header line, of 53791 values, not the 53790 of 326 by 165");
  // Too few values are left to the reader, whose message names the file.
  EXPECT_EQ(detect_format(text.substr(0, text.size() / 2)), GridFormat::kText);
}

TEST(FormatNames, RoundTrip) {
  for (GridFormat format : {GridFormat::kText, GridFormat::kBinary, GridFormat::kFixed,
                            GridFormat::kFree, GridFormat::kFlags}) {
    EXPECT_EQ(parse_format(format_name(format)), format);
  }
  EXPECT_EQ(parse_format("TEXT"), std::nullopt);
}

}  // namespace
}  // namespace gridkit
