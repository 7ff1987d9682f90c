// Grid files read back in every form, and the faults of damaged ones.
#include "gridkit/readers/gridfile.h"

#include <gtest/gtest.h>

#include <cmath>

#include "gridkit/common.h"
#include "gridkit/readers/detect.h"
#include "gridkit/testing_grids.h"
#include "tests/support/run_program.h"
#include "utl/fatal.h"

namespace gridkit {
namespace {

using fixtures::cell;
using fixtures::sample_grid;

std::string failure_of(std::string_view contents, GridFormat format) {
  try {
    parse_grid("g.dat", contents, format);
  } catch (const Failure& failure) {
    return failure.what();
  }
  return "no failure";
}

TEST(ParseGrid, BinaryRecordGivesTheValuesExactly) {
  const Grid grid = sample_grid();
  const std::string file = fixtures::binary_grid(grid);
  EXPECT_EQ(file.size(), 430328u);
  EXPECT_EQ(parse_grid("g", file, GridFormat::kBinary).values, grid.values);
  EXPECT_EQ(failure_of(file.substr(0, file.size() - 1), GridFormat::kBinary),
            "g.dat: the binary record is cut short");
  std::string small;
  utl::append_record(small, std::string(8, '\0'));
  EXPECT_EQ(failure_of(small, GridFormat::kBinary),
            "g.dat: the binary record holds 8 bytes, not the 430320 of 326 by 165 reals");
  // Exactly one record: no trailing bytes, no second grid.
  EXPECT_EQ(failure_of(file + "x", GridFormat::kBinary),
            "g.dat: 1 bytes after the binary record; a grid file holds exactly one");
  EXPECT_EQ(failure_of(file + file, GridFormat::kBinary),
            "g.dat: 430328 bytes after the binary record; a grid file holds exactly one");
}

// membrelv2's forms of a value too wide for one decimal read back as written, in row 1 too.
TEST(ParseGrid, FixedFieldsTooWideForOneDecimal) {
  std::string line = "18060." + std::string("1.81E4") + "-1.2E4";
  for (int column = 4; column <= kNcol; ++column) line += "   0.0";
  std::string file = line + "\n";
  for (int row = 2; row <= kNrow; ++row) file += line + "\n";
  EXPECT_EQ(detect_format(file), GridFormat::kFixed);
  const Grid read = parse_grid("g", file, GridFormat::kFixed);
  EXPECT_EQ(read.values[cell(1, 1)], 18060.0);
  EXPECT_EQ(read.values[cell(2, 1)], 18100.0);
  EXPECT_EQ(read.values[cell(3, 165)], -12000.0);
}

TEST(ParseGrid, FixedFieldsOfOneDecimal) {
  Grid grid = sample_grid();
  grid.values[cell(3, 1)] = 12345.6;  // too wide: written as asterisks
  const Grid read = parse_grid("g", fixtures::fixed_grid(grid), GridFormat::kFixed);
  EXPECT_EQ(read.values[cell(1, 1)], 12.5);
  EXPECT_EQ(read.values[cell(2, 1)], -3.2);  // "%6.1f" of -3.25 rounds to even
  EXPECT_EQ(read.values[cell(326, 165)], 0.1);
  EXPECT_EQ(read.values[cell(200, 100)], 0.0);
  EXPECT_TRUE(std::isnan(read.values[cell(3, 1)]));
}

TEST(ParseGrid, FixedFieldsReadAsTheFormatReadsThem) {
  // Blanks are ignored, a field without a point has one implied decimal, a short line reads as
  // padded with blanks.
  std::string file = std::string("   123") + "  1 2 " + "  -0.5" + " 1.5e1" + "\n";
  for (int row = 2; row <= kNrow; ++row) file += "\n";
  const Grid read = parse_grid("g", file, GridFormat::kFixed);
  EXPECT_EQ(read.values[cell(1, 1)], 12.3);
  EXPECT_EQ(read.values[cell(2, 1)], 1.2);
  EXPECT_EQ(read.values[cell(3, 1)], -0.5);
  EXPECT_EQ(read.values[cell(4, 1)], 15.0);
  EXPECT_EQ(read.values[cell(5, 1)], 0.0);
  EXPECT_EQ(failure_of(std::string(kNrow - 1, '\n'), GridFormat::kFixed),
            "g.dat: the file ends before row 165");
  EXPECT_EQ(failure_of("   1.0   x.0\n", GridFormat::kFixed),
            "g.dat: row 1, column 2: \"   x.0\" is not a number");
}

TEST(ReadGrid, TextFreeAndFlagGridsThroughTheToolkitReaders) {
  testsupport::TempDir dir;
  const Grid grid = sample_grid();
  testsupport::spit(dir / "text.rch", fixtures::free_grid(grid));
  testsupport::spit(dir / "free.dat", fixtures::free_grid(grid, "acres\n"));
  Ibound ibound;
  ibound.flags[cell(4, 5)] = 0;
  ibound.flags[cell(5, 5)] = -1;
  testsupport::spit(dir / "ibound.dat", fixtures::flag_grid(ibound));

  const LoadedGrid text = read_grid((dir / "text.rch").string(), std::nullopt);
  EXPECT_EQ(text.format, GridFormat::kText);
  EXPECT_EQ(text.grid.values, grid.values);
  const LoadedGrid free = read_grid((dir / "free.dat").string(), std::nullopt);
  EXPECT_EQ(free.format, GridFormat::kFree);
  EXPECT_EQ(free.grid.values, grid.values);
  const LoadedGrid flags = read_grid((dir / "ibound.dat").string(), std::nullopt);
  EXPECT_EQ(flags.format, GridFormat::kFlags);
  EXPECT_EQ(flags.grid.values[cell(4, 5)], 0.0);
  EXPECT_EQ(flags.grid.values[cell(5, 5)], -1.0);
  EXPECT_EQ(flags.grid.values[cell(6, 5)], 1.0);
  EXPECT_EQ(read_ibound((dir / "ibound.dat").string()).flags, ibound.flags);
  EXPECT_EQ(read_ibound("*").flags, Ibound{}.flags);

  // A named form overrides what the content shows: the text grid read as having a header
  // loses its first line and runs out of values.
  try {
    read_grid((dir / "text.rch").string(), GridFormat::kFree);
    ADD_FAILURE() << "no stop";
  } catch (const utl::Fatal& stop) {
    EXPECT_EQ(stop.text(), " Error reading file " + (dir / "text.rch").string() + "\n");
  }
}

TEST(ReadGrid, MissingFileIsReported) {
  try {
    read_grid("no/such/grid", std::nullopt);
    ADD_FAILURE() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_STREQ(failure.what(), "cannot read no/such/grid");
  }
}

}  // namespace
}  // namespace gridkit
