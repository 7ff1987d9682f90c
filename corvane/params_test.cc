// Parameter-file commands, their checks and limits, the point-area cell rule.
#include "corvane/params.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "tests/support/run_program.h"
#include "tests/support/stop_text.h"
#include "utl/fatal.h"
#include "utl/fields.h"

namespace corvane {
namespace {

using testsupport::spit;
using testsupport::TempDir;

// The diagnostic text of the fatal stop that `action` makes, or "(no stop)".
template <class Action>
std::string stop_of(Action action) {
  return testsupport::stop_text(action, "(no stop)");
}

// Runs the command records one after another on `params`; returns the stop text, if any.
std::string commands(Params& params, std::initializer_list<std::string> records,
                     std::string* warnings = nullptr) {
  std::ostringstream out;
  std::string text = stop_of([&] {
    for (const std::string& record : records) do_command(record, params, out);
  });
  if (warnings != nullptr) *warnings = out.str();
  return text;
}

std::string commands(std::initializer_list<std::string> records) {
  Params params;
  return commands(params, records);
}

std::string area_file(const TempDir& dir, const std::string& name, const std::string& rows) {
  spit(dir / name, "acreage of " + name + "\n" + rows);
  return (dir / name).string();
}

TEST(ParamCommand, KeywordsAnyCaseAndQuoted) {
  Params params;
  EXPECT_EQ(commands(params, {"file out rch are", "Transient 1950 1950", "\"ibound\" *"}),
            "(no stop)");
  EXPECT_EQ(utl::trimmed(params.dir), "out");
  EXPECT_EQ(params.first_year, 1950);
  EXPECT_EQ(params.last_year, 1950);
}

TEST(ParamCommand, UnknownWordIsCutTo16AndUpperCased) {
  EXPECT_EQ(commands({"recharge-everything-now x"}), " Unknown parameter RECHARGE-EVERYTH\n");
  // A '#' after blanks does not make a comment.
  EXPECT_EQ(commands({" #x"}), " Unknown parameter #X\n");
  EXPECT_EQ(commands({"FILES out rch are"}), " Unknown parameter FILES\n");
}

TEST(ParamCommand, UnclosedQuoteFirstIsInvalidCommand) {
  EXPECT_EQ(commands({"\"FILE out rch are"}), " Invalid command \"FILE out rch are\n");
}

TEST(FileCommand, MissingFieldsInOrder) {
  EXPECT_EQ(commands({"FILE"}), " Invalid FILE directory\n");
  EXPECT_EQ(commands({"FILE out"}), " Invalid FILE recharge extension\n");
  EXPECT_EQ(commands({"FILE out rch"}), " Invalid FILE area/rate extension\n");
  EXPECT_EQ(commands({"FILE out rch are text"}), " Unknown FILE option TEXT\n");
  EXPECT_EQ(commands({"FILE out rch are binary-grids-please"}),
            " Unknown FILE option BINARY-GRIDS-PLE\n");
}

TEST(FileCommand, BinaryOptionAnyCaseAndSticky) {
  Params params;
  EXPECT_EQ(commands(params, {"FILE out rch are"}), "(no stop)");
  EXPECT_FALSE(params.binary);
  EXPECT_EQ(commands(params, {"FILE out rch are bIn"}), "(no stop)");
  EXPECT_TRUE(params.binary);
  EXPECT_EQ(commands(params, {"FILE other r a"}), "(no stop)");
  EXPECT_TRUE(params.binary);
  EXPECT_EQ(utl::trimmed(params.dir), "other");
  EXPECT_EQ(utl::trimmed(params.rech_ext), "r");
  EXPECT_EQ(utl::trimmed(params.area_ext), "a");
}

TEST(FileCommand, DirectoryAndExtensionsKeptWhole) {
  // Cutting these to 16 characters would send the grids to another directory.
  Params params;
  EXPECT_EQ(commands(params, {"FILE out/scenario_2024 recharge_monthly \"area grid.txt\""}),
            "(no stop)");
  EXPECT_EQ(utl::trimmed(params.dir), "out/scenario_2024");
  EXPECT_EQ(utl::trimmed(params.rech_ext), "recharge_monthly");
  EXPECT_EQ(utl::trimmed(params.area_ext), "area grid.txt");
}

TEST(TransientCommand, Checks) {
  EXPECT_EQ(commands({"TRANSIENT"}), " Invalid TRANSIENT start year\n");
  EXPECT_EQ(commands({"TRANSIENT 1950.5 1960"}), " Invalid TRANSIENT start year\n");
  EXPECT_EQ(commands({"TRANSIENT 1950"}), " Invalid TRANSIENT end year\n");
  EXPECT_EQ(commands({"TRANSIENT 1950 x"}), " Invalid TRANSIENT end year\n");
  EXPECT_EQ(commands({"TRANSIENT 1951 1950"}), " Invalid TRANSIENT period\n");
  Params params;
  EXPECT_EQ(commands(params, {"TRANSIENT 1930 1935", "TRANSIENT 1960 2030"}), "(no stop)");
  EXPECT_TRUE(params.transient);
  EXPECT_EQ(params.first_year, 1960);
  EXPECT_EQ(params.last_year, 2030);
}

TEST(IboundCommand, NameMissingAndReplacement) {
  EXPECT_EQ(commands({"IBOUND"}), " Invalid IBOUND file name IBOUND\n");
  TempDir dir;
  std::string rows(2 * kNcol, ' ');
  rows[1] = '0';  // cell (1, 1) inactive
  std::string text;
  for (int r = 0; r < kNrow; ++r) text += rows + "\n";
  spit(dir / "ibound.txt", text);
  Params params;
  EXPECT_EQ(commands(params, {"IBOUND " + (dir / "ibound.txt").string()}), "(no stop)");
  EXPECT_EQ(params.ibound[0], 0);
  EXPECT_EQ(params.ibound[1], 0);  // a blank field reads as 0
  EXPECT_EQ(commands(params, {"IBOUND *"}), "(no stop)");
  EXPECT_EQ(std::count(params.ibound.begin(), params.ibound.end(), 1), kNcell);
}

TEST(AreaCommand, GridFileLoadsOnlyNonzeroCells) {
  TempDir dir;
  // Row 1: a null value, a repeat and a slash; the new grid starts at 0, so they leave 0.
  std::string rows = "1,,2*3.5 /\n";
  for (int r = 2; r <= kNrow; ++r) rows += r == 3 ? "4*0 7.25d0 321*0\n" : "326*0\n";
  Params params;
  EXPECT_EQ(commands(params, {"AREA north " + area_file(dir, "north.txt", rows)}), "(no stop)");
  ASSERT_EQ(params.narea, 1);
  const AreaCells& cells = params.acres[0];
  EXPECT_EQ(cells.cell, (std::vector<std::int32_t>{0, 2, 3, 2 * kNcol + 4}));
  EXPECT_EQ(cells.acres, (std::vector<double>{1.0, 3.5, 3.5, 7.25}));
  EXPECT_EQ(params.areaname[0], std::string("NORTH").append(27, ' '));
  // The next area starts at 0 again: null values over the first area's cells leave nothing.
  std::string nulls = ",,,5 /\n";
  for (int r = 2; r <= kNrow; ++r) nulls += "/\n";
  EXPECT_EQ(commands(params, {"AREA south " + area_file(dir, "south.txt", nulls)}), "(no stop)");
  EXPECT_EQ(params.acres[1].cell, (std::vector<std::int32_t>{3}));
  EXPECT_EQ(params.acres[1].acres, (std::vector<double>{5.0}));
}

TEST(AreaCommand, NameCutTo32UpperCase) {
  Params params;
  EXPECT_EQ(commands(params, {"AREA \"Lower Republican river ditch company\" * 266023 14092806 5"}),
            "(no stop)");
  EXPECT_EQ(params.areaname[0], "LOWER REPUBLICAN RIVER DITCH COM");
}

TEST(AreaCommand, MessagesInOrder) {
  EXPECT_EQ(commands({"AREA"}), " Invalid AREA name AREA\n");
  EXPECT_EQ(commands({"AREA \"open"}), " Invalid AREA name AREA \"open\n");
  EXPECT_EQ(commands({"AREA a1"}), " Invalid AREA file AREA a1\n");
  EXPECT_EQ(commands({"AREA a1 *"}), " Invalid AREA X coordinate\n");
  EXPECT_EQ(commands({"AREA a1 * 300000"}), " Invalid AREA Y coordinate\n");
  EXPECT_EQ(commands({"AREA a1 * 300000 14500000"}), " Invalid AREA acres\n");
  EXPECT_EQ(commands({"AREA a1 * 300000 14500000 lots"}), " Invalid AREA acres\n");
  EXPECT_EQ(commands({"AREA a1 * x 14500000 5"}), " Invalid AREA X coordinate\n");
  EXPECT_EQ(commands({"AREA a1 /no/such/grid"}), " Error opening file /no/such/grid\n");
}

TEST(AreaCommand, OrderAgainstReturnAndCapacity) {
  EXPECT_EQ(commands({"RETURN table.txt"}), " Specify AREAs before RETURNs\n");
  Params params;
  params.returns = true;
  params.narea = 1;
  // The phase check comes before the name check.
  EXPECT_EQ(commands(params, {"AREA"}), " Specify AREAs before RETURNs\n");
  Params full;
  std::ostringstream out;
  for (int n = 1; n <= kMaxArea; ++n) {
    do_command("AREA a" + std::to_string(n) + " * 300000 14500000 1", full, out);
  }
  EXPECT_EQ(full.narea, kMaxArea);
  EXPECT_EQ(commands(full, {"AREA more"}), " Too many AREAs\n");
}

TEST(AreaCommand, PointOutsideWarnsAndKeepsItsColumn) {
  Params params;
  std::string warnings;
  EXPECT_EQ(commands(params, {"AREA far * 266022.9 14500000 oops   "}, &warnings), "(no stop)");
  EXPECT_EQ(warnings, " AREA outside domain AREA far * 266022.9 14500000 oops\n");
  EXPECT_EQ(params.narea, 1);
  EXPECT_TRUE(params.acres[0].cell.empty());
  // A long record is laid out exactly as a fatal message would be.
  const std::string record = "AREA " + std::string(70, 'x') + " * 1 1 1";
  EXPECT_EQ(commands(params, {record}, &warnings), "(no stop)");
  EXPECT_EQ(warnings, stop_of([&] { utl::error("AREA outside domain " + record); }));
  EXPECT_NE(warnings.find(record + "\n"), std::string::npos);
}

TEST(PointCell, EdgesAndBoundaries) {
  EXPECT_EQ(point_cell(266023, 14092806), cell_index(1, 165));
  EXPECT_EQ(point_cell(266023 + 5280, 14092806 + 5280), cell_index(2, 164));
  EXPECT_EQ(point_cell(266023 + 5279.99, 14092806 + 5279.99), cell_index(1, 165));
  // The east and north edges fall in the edge cells.
  EXPECT_EQ(point_cell(1987303, 14964006), cell_index(326, 1));
  EXPECT_EQ(point_cell(1987302.5, 14964005.5), cell_index(326, 1));
  EXPECT_EQ(point_cell(1987303.01, 14500000), -1);
  EXPECT_EQ(point_cell(300000, 14092805.99), -1);
  EXPECT_EQ(point_cell(300000, 14964006.01), -1);
}

TEST(AreaCommand, PointStoresAcresInItsCell) {
  Params params;
  EXPECT_EQ(commands(params, {"AREA p * 1987303 14964006 12.5d0 extra fields",
                              "AREA zero * 300000 14500000 0"}),
            "(no stop)");
  EXPECT_EQ(params.acres[0].cell, (std::vector<std::int32_t>{kNcol - 1}));
  EXPECT_EQ(params.acres[0].acres, (std::vector<double>{12.5}));
  EXPECT_TRUE(params.acres[1].cell.empty());
}

TEST(ReturnCommand, NameMissing) {
  Params params;
  EXPECT_EQ(commands(params, {"AREA a * 300000 14500000 1", "RETURN"}),
            " Invalid RETURNs file RETURN\n");
  EXPECT_TRUE(params.returns);
}

TEST(BalanceCommand, NameMissingQuotedAndLastWins) {
  EXPECT_EQ(commands({"BALANCE"}), " Invalid BALANCE file name BALANCE\n");
  EXPECT_EQ(commands({"balance \"water balance.csv"}),
            " Invalid BALANCE file name balance \"water balance.csv\n");
  Params params;
  EXPECT_FALSE(params.balance);
  EXPECT_EQ(commands(params, {"Balance first.csv extra", "BALANCE \"water balance.csv\""}),
            "(no stop)");
  EXPECT_TRUE(params.balance);
  EXPECT_EQ(params.balance_file, "water balance.csv");
  // A blank name is no name.
  EXPECT_EQ(commands({"BALANCE \" \" b.csv"}), " Invalid BALANCE file name BALANCE \" \" b.csv\n");
}

TEST(ParamFile, FinalChecksInOrder) {
  Params params;
  EXPECT_EQ(stop_of([&] { final_checks(params); }), " No FILE specified\n");
  params.dir = "out";
  EXPECT_EQ(stop_of([&] { final_checks(params); }), " No AREAs specified\n");
  params.narea = 1;
  EXPECT_EQ(stop_of([&] { final_checks(params); }), " No RETURNs specified\n");
  params.returns = true;
  EXPECT_EQ(stop_of([&] { final_checks(params); }), " No TRANSIENT specified\n");
  params.transient = true;
  EXPECT_EQ(stop_of([&] { final_checks(params); }), "(no stop)");
}

TEST(ParamFile, CommentsBlankRecordsAndMissingFile) {
  EXPECT_EQ(stop_of([] {
              std::ostringstream out;
              read_params("/no/such/params", out);
            }),
            " Error opening parameter file\n");
  TempDir dir;
  spit(dir / "p.txt", "# only comments\n\n   \t\n#FILE out rch are\n");
  EXPECT_EQ(stop_of([&] {
              std::ostringstream out;
              read_params((dir / "p.txt").string(), out);
            }),
            " No FILE specified\n");
  // A tab between fields is cleaned into a blank.
  spit(dir / "q.txt", "FILE\tout\trch\tare\r\n");
  EXPECT_EQ(stop_of([&] {
              std::ostringstream out;
              read_params((dir / "q.txt").string(), out);
            }),
            " No AREAs specified\n");
}

}  // namespace
}  // namespace corvane
