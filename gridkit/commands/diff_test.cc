// gridkit diff and check run as built: their exit statuses, the pairing of directories, the
// tolerance, and the listing of stale and missing grids.
#include "gridkit/commands/diff.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <new>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <utility>

#include "gridkit/common.h"
#include "gridkit/testing_grids.h"
#include "tests/support/run_program.h"

namespace gridkit {
namespace {

using fixtures::cell;
using testsupport::ProgramResult;
using testsupport::slurp;
using testsupport::spit;
using testsupport::TempDir;

ProgramResult gridkit_run(const TempDir& dir, const std::vector<std::string>& args) {
  return testsupport::run_program(PROGRAM_EXE, args, dir.path());
}

bool has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

Grid month_grid(double value) {
  Grid grid;
  grid.values[cell(3, 2)] = value;
  grid.values[cell(4, 2)] = 0.1;
  return grid;
}

TEST(GridkitDiff, ExitStatusesOfAPair) {
  TempDir dir;
  spit(dir / "a.rch", fixtures::free_grid(month_grid(1.5)));
  spit(dir / "a.bin", fixtures::binary_grid(month_grid(1.5)));
  spit(dir / "b.bin", fixtures::binary_grid(month_grid(1.75)));

  // Text against binary: the same values.
  ProgramResult same = gridkit_run(dir, {"diff", "a.rch", "a.bin"});
  EXPECT_EQ(same.exit_status, 0) << same.err;
  EXPECT_EQ(same.out,
            "A: a.rch (text)\nB: a.bin (binary)\nsum of A: 1.6\nsum of B: 1.6\n"
            "sum of B - A: 0\nlargest difference: 0\ndiffering cells: 0\nidentical: yes\n");

  ProgramResult differs = gridkit_run(dir, {"diff", "a.bin", "b.bin", "--csv", "cells.csv"});
  EXPECT_EQ(differs.exit_status, 1) << differs.err;
  EXPECT_TRUE(has(differs.out,
                  "sum of B - A: 0.25\nlargest difference: 0.25 at column 3, row 2\n"
                  "differing cells: 1\nidentical: no\n"))
      << differs.out;
  EXPECT_EQ(slurp(dir / "cells.csv"), "file,column,row,a,b,b_minus_a\na.bin,3,2,1.5,1.75,0.25\n");

  // Within the tolerance the pair counts as equal, though not identical.
  ProgramResult tolerated = gridkit_run(dir, {"diff", "--abs-tol", "0.25", "a.bin", "b.bin"});
  EXPECT_EQ(tolerated.exit_status, 0);
  EXPECT_TRUE(has(tolerated.out, "differing cells: 0\nidentical: no\n")) << tolerated.out;
  // Relative to the larger value in either order: 0.25 <= 0.15 * 1.75, not 0.14 * 1.75.
  EXPECT_EQ(gridkit_run(dir, {"diff", "--rel-tol=0.15", "a.bin", "b.bin"}).exit_status, 0);
  EXPECT_EQ(gridkit_run(dir, {"diff", "--rel-tol=0.15", "b.bin", "a.bin"}).exit_status, 0);
  EXPECT_EQ(gridkit_run(dir, {"diff", "--rel-tol=0.14", "a.bin", "b.bin"}).exit_status, 1);

  // Trouble: a missing or unreadable file, or a misuse; no output file is left.
  spit(dir / "short.rch", " 1 2\n");
  const std::vector<std::vector<std::string>> troubles = {
      {"diff", "a.bin", "missing.rch", "--csv", "t.csv"},
      {"diff", "a.bin", "short.rch", "--png", "t.png"},
      {"diff", "a.bin"},
      {"diff", "--abs-tol", "-1", "a.bin", "b.bin"},
      {"diff", "--sort", "a.bin", "b.bin"}};
  for (const auto& args : troubles) {
    ProgramResult trouble = gridkit_run(dir, args);
    EXPECT_EQ(trouble.exit_status, 2) << args[1];
    EXPECT_TRUE(trouble.err.starts_with("gridkit: ")) << trouble.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "t.csv"));
  EXPECT_FALSE(std::filesystem::exists(dir / "t.png"));

  ProgramResult map = gridkit_run(dir, {"diff", "a.rch", "b.bin", "--png", "d.png"});
  EXPECT_EQ(map.exit_status, 1);
  EXPECT_EQ(slurp(dir / "d.png").substr(1, 3), "PNG");
}

TEST(GridkitDiff, DirectoriesArePairedByName) {
  TempDir dir;
  spit(dir / "a/1998.04.rch", fixtures::free_grid(month_grid(1.5)));
  spit(dir / "b/1998.04.rch", fixtures::binary_grid(month_grid(1.5)));
  spit(dir / "a/1998.are", fixtures::free_grid(month_grid(2.0)));
  spit(dir / "b/1998.are", fixtures::free_grid(month_grid(2.0)));
  spit(dir / "a/1998.04.rch.png", "a picture, not compared");
  spit(dir / "b/.notes", "hidden, not compared");
  ProgramResult same = gridkit_run(dir, {"diff", "a", "b"});
  EXPECT_EQ(same.exit_status, 0) << same.err;
  EXPECT_TRUE(has(same.out, "A: a/1998.04.rch (text)\nB: b/1998.04.rch (binary)\n"));
  EXPECT_TRUE(has(same.out, "\nA: a/1998.are (text)\nB: b/1998.are (text)\n"));
  EXPECT_TRUE(
      same.out.ends_with("\nsummary: 2 pairs, 2 equal, 0 differ, 0 only in A, 0 only in B\n"));

  // A file on one side only is listed and makes the directories differ.
  spit(dir / "a/1998.05.rch", fixtures::free_grid(month_grid(1.0)));
  spit(dir / "b/1998.10.rch", fixtures::free_grid(month_grid(1.0)));
  ProgramResult one_sided = gridkit_run(dir, {"diff", "a", "b"});
  EXPECT_EQ(one_sided.exit_status, 1);
  EXPECT_TRUE(has(one_sided.out, "\nonly in a: 1998.05.rch\n")) << one_sided.out;
  EXPECT_TRUE(has(one_sided.out, "\nonly in b: 1998.10.rch\n"));
  EXPECT_TRUE(has(one_sided.out, "summary: 2 pairs, 2 equal, 0 differ, 1 only in A, 1 only in B"));

  // An unreadable grid is trouble, and the other pairs are still compared.
  spit(dir / "b/1998.are", "acres\n");
  ProgramResult trouble = gridkit_run(dir, {"diff", "a", "b"});
  EXPECT_EQ(trouble.exit_status, 2);
  EXPECT_EQ(trouble.err, "gridkit: Error reading file b/1998.are\n");
  EXPECT_TRUE(has(trouble.out, "1 pairs, 1 equal, 0 differ, 1 only in A, 1 only in B, 1 "));

  // A directory beside a file stands for the file of that name in it.
  EXPECT_EQ(gridkit_run(dir, {"diff", "a", "b/1998.04.rch"}).exit_status, 0);
}

// The documented regression check may never pass a run that blew up to infinity.
TEST(GridkitDiff, AnInfiniteCellAlwaysDiffers) {
  TempDir dir;
  const double inf = std::numeric_limits<double>::infinity();
  spit(dir / "one.bin", fixtures::binary_grid(month_grid(1.0)));
  spit(dir / "plus.bin", fixtures::binary_grid(month_grid(inf)));
  spit(dir / "minus.bin", fixtures::binary_grid(month_grid(-inf)));
  for (const auto& [a, b] :
       {std::pair{"one.bin", "plus.bin"}, std::pair{"plus.bin", "minus.bin"}}) {
    const ProgramResult result = gridkit_run(dir, {"diff", "--rel-tol", "1e-12", a, b});
    EXPECT_EQ(result.exit_status, 1) << a << " " << b;
    EXPECT_TRUE(has(result.out, "differing cells: 1\n")) << result.out;
  }
  EXPECT_EQ(gridkit_run(dir, {"diff", "--rel-tol", "1e-12", "plus.bin", "plus.bin"}).exit_status,
            0);
}

// Comparing nothing is no "identical"; a grid of the run's form is never passed over unsaid.
TEST(GridkitDiff, DirectoriesWithoutGridsAreTrouble) {
  TempDir dir;
  for (const char* side : {"a", "b"}) {
    spit(dir / side / "1998.04.asc", fixtures::free_grid(month_grid(1.5)));
    spit(dir / side / "1998.csv", "year,month\n");
    spit(dir / side / "1998.04.asc.png", "a picture of a grid");
  }
  ProgramResult nothing = gridkit_run(dir, {"diff", "a", "b"});
  EXPECT_EQ(nothing.exit_status, 2);
  EXPECT_TRUE(has(nothing.err, "gridkit: passed over a/1998.04.asc: a picture, export or listing"))
      << nothing.err;
  EXPECT_TRUE(has(nothing.err, "gridkit: passed over b/1998.csv: "));
  EXPECT_FALSE(has(nothing.err, "1998.04.asc.png"));
  EXPECT_TRUE(has(nothing.err, "gridkit: no grid files to compare in a or b\n"));

  std::filesystem::create_directories(dir / "empty_a");
  std::filesystem::create_directories(dir / "empty_b");
  EXPECT_EQ(gridkit_run(dir, {"diff", "empty_a", "empty_b"}).exit_status, 2);
}

// A stream that runs out of memory at its first write.
class StarvedBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type) override { throw std::bad_alloc(); }
  std::streamsize xsputn(const char*, std::streamsize) override { throw std::bad_alloc(); }
};

// Out of memory, diff says so in its one documented line, as trouble.
TEST(GridkitDiff, OutOfMemoryIsItsOwnLine) {
  TempDir dir;
  spit(dir / "a.bin", fixtures::binary_grid(month_grid(1.5)));
  StarvedBuffer starved;
  std::ostream out(&starved);
  out.exceptions(std::ios::badbit);
  std::ostringstream err;
  const std::string a = (dir / "a.bin").string();
  EXPECT_EQ(run_diff({"diff", a, a}, out, err), kExitTrouble);
  EXPECT_EQ(err.str(), "gridkit: out of memory\n");
}

// A run's balance naming `files`, one month each, and its directory grids/.
void write_run(const TempDir& dir, const std::vector<std::string>& files) {
  std::string balance =
      "year,month,return_flow,active_cells,inactive_cells,no_acreage,recharge_file\n";
  for (const std::string& file : files) {
    const std::string name = file.substr(file.rfind('/') + 1);
    balance += name.substr(0, 4) + "," + std::to_string(std::stoi(name.substr(5, 2))) +
               ",1,1,0,0," + (file.find(',') != std::string::npos ? '"' + file + '"' : file) + "\n";
  }
  balance += "1999,9,1,0,0,1,\n";  // a month whose grid was all 0: no file
  spit(dir / "balance.csv", balance);
}

TEST(GridkitCheck, ListsStaleAndMissingGrids) {
  TempDir dir;
  write_run(dir, {"grids/1998.04.rch", "grids/1998.05.rch", "grids/1999.04.rch"});
  for (const char* name : {"1998.04.rch", "1998.05.rch", "1998.are", "1999.04.rch", "1999.are",
                           "1998.04.rch.png", "1998.asc", "1998.05.rch.tmp12.ab0", "notes"}) {
    spit(dir / "grids" / name, "grid");
  }
  ProgramResult clean = gridkit_run(dir, {"check", "grids", "--balance", "balance.csv"});
  EXPECT_EQ(clean.exit_status, 0) << clean.err;
  EXPECT_EQ(clean.out,
            "summary: 5 grid files in grids, 0 stale; 3 recharge files named by the balance, 0 "
            "missing\n");

  // Grids of an earlier run: a month and a year the balance does not name; and one missing.
  spit(dir / "grids/1999.09.rch", "grid");
  spit(dir / "grids/1997.are", "grid");
  std::filesystem::remove(dir / "grids/1998.05.rch");
  ProgramResult stale = gridkit_run(dir, {"check", "grids", "--balance=balance.csv"});
  EXPECT_EQ(stale.exit_status, 1);
  EXPECT_EQ(stale.out,
            "stale: grids/1997.are\nstale: grids/1999.09.rch\nmissing: grids/1998.05.rch\n"
            "summary: 6 grid files in grids, 2 stale; 3 recharge files named by the balance, 1 "
            "missing\n");

  // Names with a comma are quoted in the balance; files are matched by name alone.
  TempDir quoted;
  write_run(quoted, {"/elsewhere/a,b/1998.04.rch"});
  spit(quoted / "1998.04.rch", "grid");
  spit(quoted / "1998.are", "grid");
  EXPECT_EQ(gridkit_run(quoted, {"check", ".", "--balance", "balance.csv"}).exit_status, 0);

  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"check", "nodir", "--balance", "balance.csv"},
                                             {"check", "grids", "--balance", "grids/notes"},
                                             {"check", "grids", "--balance", "missing.csv"},
                                             {"check", "grids"}}) {
    ProgramResult trouble = gridkit_run(dir, args);
    EXPECT_EQ(trouble.exit_status, 2) << args[1] << args.back();
    EXPECT_EQ(trouble.out, "");
  }
}

// A balance line that is no month of a run is trouble, named by its line, never read past.
TEST(GridkitCheck, MalformedBalanceLinesAreTrouble) {
  TempDir dir;
  spit(dir / "grids/1998.04.rch", "grid");
  const std::string header =
      "year,month,return_flow,active_cells,inactive_cells,no_acreage,recharge_file\n";
  const std::string good = "1998,4,1,1,0,0,grids/1998.04.rch\n";
  const std::pair<std::string, std::string> cases[] = {
      {good + "1998,xx,1,1,0,0,\n", "line 3 is not a month"},
      {good + "-5,4,1,1,0,0,\n", "line 3 is not a month"},
      {good + "1998,13,1,1,0,0,\n", "line 3 is not a month"},
      {good + "1998,5,one,1,0,0,\n", "line 3 is not a month"},
      {"\"1998,4,1,1,0,0,a\n1998,5,1,1,0,0,b\n", "line 2 opens a quote never closed"},
      // A quoted name over two lines: the next record's line is still counted right.
      {"1998,4,1,1,0,0,\"a\nb\"\n1998,xx,1,1,0,0,\n", "line 4 is not a month"}};
  for (const auto& [body, message] : cases) {
    spit(dir / "balance.csv", header + body);
    const ProgramResult result = gridkit_run(dir, {"check", "grids", "--balance", "balance.csv"});
    EXPECT_EQ(result.exit_status, 2) << body;
    EXPECT_TRUE(has(result.err, "balance.csv: " + message)) << result.err;
  }
}

TEST(GridkitCheck, ASecondDirectoryIsNamedEvenAfterTheEndOfOptions) {
  TempDir dir;
  for (const auto& args :
       {std::vector<std::string>{"check", "a", "b", "--balance", "x.csv"},
        std::vector<std::string>{"check", "a", "--balance", "x.csv", "--", "b"}}) {
    const ProgramResult result = gridkit_run(dir, args);
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_TRUE(has(result.err, "check takes one directory, not a and b")) << result.err;
  }
}

}  // namespace
}  // namespace gridkit
