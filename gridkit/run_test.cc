// The built gridkit run end to end: command line, standard output and error, exit status and
// the files it writes.
#include "gridkit/run.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "about/version.h"
#include "gridkit/pictures/map.h"
#include "gridkit/testing_grids.h"
#include "gridkit/testing_png.h"
#include "tests/support/run_program.h"
#include "utl/records.h"

namespace gridkit {
namespace {

using fixtures::cell;
using testsupport::ProgramResult;
using testsupport::TempDir;

ProgramResult gridkit_run(const TempDir& dir, const std::vector<std::string>& args,
                          const testsupport::RunOptions& options = {}) {
  return testsupport::run_program(PROGRAM_EXE, args, dir.path(), options);
}

// The names of the files in `dir`.
std::vector<std::string> files_in(const TempDir& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

Grid sample_grid() {
  Grid grid;
  grid.values[cell(1, 1)] = 4.0;
  grid.values[cell(2, 1)] = 8.0;
  grid.values[cell(326, 165)] = -1.0;
  return grid;
}

Ibound sample_ibound() {
  Ibound ibound;
  ibound.flags[cell(2, 1)] = 0;
  return ibound;
}

TEST(Gridkit, HelpVersionAndMisuse) {
  TempDir dir;
  ProgramResult help = gridkit_run(dir, {"--help"});
  EXPECT_EQ(help.exit_status, 0);
  EXPECT_NE(help.out.find("Usage: gridkit COMMAND [options] FILE\n"), std::string::npos);
  for (const char* command :
       {"stats FILE", "png FILE -o OUT.png", "asc FILE -o OUT.asc", "hydmod FILE -o OUT.csv"}) {
    EXPECT_NE(help.out.find(command), std::string::npos) << command;
  }
  EXPECT_EQ(help.err, "");

  ProgramResult version = gridkit_run(dir, {"--version"});
  EXPECT_EQ(version.exit_status, 0);
  // The release of the build, and whether the netcdf command is built in.
  EXPECT_EQ(version.out, std::string(kVersion) + "\n");
  EXPECT_EQ(version.out.rfind("gridkit " RECHARGE_VERSION " (built with", 0), 0u) << version.out;

  ProgramResult bare = gridkit_run(dir, {});
  EXPECT_EQ(bare.exit_status, 1);
  EXPECT_EQ(bare.out, "");
  EXPECT_EQ(bare.err, help.out);

  struct Misuse {
    std::vector<std::string> args;
    std::string err;
  };
  const Misuse misuses[] = {
      {{"draw", "g"}, "gridkit: unknown command 'draw'; try gridkit --help\n"},
      {{"stats"}, "gridkit: stats needs a file to read\n"},
      {{"stats", "a", "b"}, "gridkit: more than one input file: a and b\n"},
      {{"stats", "g", "--format=ascii"},
       "gridkit: unknown grid form 'ascii' (text, binary, fixed, free or flags)\n"},
      {{"stats", "g", "-o", "x"}, "gridkit: stats takes no output file\n"},
      {{"png", "g"}, "gridkit: png needs an output file: -o OUT\n"},
      {{"png", "g", "-o", "x", "--scale", "0"},
       "gridkit: --scale takes a whole number of pixels from 1 to 12, not '0'\n"},
      {{"asc", "g", "-o", "x", "--scale", "2"}, "gridkit: asc takes no --scale\n"},
      {{"hydmod", "h", "-o", "x", "--ibound", "i"}, "gridkit: hydmod takes no --ibound\n"},
  };
  for (const Misuse& misuse : misuses) {
    ProgramResult result = gridkit_run(dir, misuse.args);
    EXPECT_EQ(result.exit_status, 1) << misuse.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, misuse.err);
  }
}

TEST(Gridkit, StatsOfATextGridWithIbound) {
  TempDir dir;
  testsupport::spit(dir / "1995.03.rch", fixtures::free_grid(sample_grid()));
  testsupport::spit(dir / "ibound.dat", fixtures::flag_grid(sample_ibound()));
  ProgramResult result = gridkit_run(dir, {"stats", "1995.03.rch", "--ibound", "ibound.dat"});
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out,
            "file: 1995.03.rch\nformat: text\nminimum: -1\nmaximum: 8\nsum: 11\n"
            "nonzero cells: 3\nactive cells: 53789\nsum over active cells: 3\n"
            "sum over inactive cells: 8\n");
}

TEST(Gridkit, StatsOfEveryFormAgree) {
  TempDir dir;
  const Grid grid = sample_grid();
  testsupport::spit(dir / "g.bin", fixtures::binary_grid(grid));
  testsupport::spit(dir / "g.rcs", fixtures::fixed_grid(grid));
  testsupport::spit(dir / "g.dat", fixtures::free_grid(grid, "acres\n"));
  for (const char* name : {"g.bin", "g.rcs", "g.dat"}) {
    ProgramResult result = gridkit_run(dir, {"stats", name});
    EXPECT_EQ(result.exit_status, 0) << name << result.err;
    EXPECT_NE(result.out.find("minimum: -1\nmaximum: 8\nsum: 11\nnonzero cells: 3\n"),
              std::string::npos)
        << name << result.out;
  }
  // A named form is taken as given.
  EXPECT_EQ(gridkit_run(dir, {"stats", "--format", "binary", "g.bin"}).exit_status, 0);
  ProgramResult wrong = gridkit_run(dir, {"stats", "--format", "binary", "g.dat"});
  EXPECT_EQ(wrong.exit_status, 1);
  EXPECT_EQ(wrong.err.substr(0, 15), "gridkit: g.dat:");
}

TEST(Gridkit, PngMapOfAGrid) {
  TempDir dir;
  testsupport::spit(dir / "g.bin", fixtures::binary_grid(sample_grid()));
  testsupport::spit(dir / "ibound.dat", fixtures::flag_grid(sample_ibound()));
  ProgramResult result =
      gridkit_run(dir, {"png", "g.bin", "-o", "map.png", "--ibound", "ibound.dat", "--scale=2"});
  EXPECT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
  const fixtures::DecodedPng png = fixtures::decode_png(testsupport::slurp(dir / "map.png"));
  const MapLayout layout = map_layout(2);
  ASSERT_EQ(png.width, layout.width);
  ASSERT_EQ(png.height, layout.height);
  EXPECT_EQ(png.at(layout.cell_x(1), layout.cell_y(1)), ramp_colour(1.0));  // 4, the largest
  EXPECT_EQ(png.at(layout.cell_x(2), layout.cell_y(1)), kInactiveColour);
  EXPECT_EQ(png.at(layout.cell_x(326) + 1, layout.cell_y(165) + 1), ramp_colour(0.0));
  EXPECT_EQ(png.at(layout.cell_x(3), layout.cell_y(1)), kZeroColour);
  EXPECT_EQ(files_in(dir), (std::vector<std::string>{"g.bin", "ibound.dat", "map.png"}));
}

TEST(Gridkit, AscOfAGrid) {
  TempDir dir;
  testsupport::spit(dir / "g.rcs", fixtures::fixed_grid(sample_grid()));
  testsupport::spit(dir / "ibound.dat", fixtures::flag_grid(sample_ibound()));
  ProgramResult result =
      gridkit_run(dir, {"asc", "--ibound", "ibound.dat", "g.rcs", "-o", "g.asc"});
  EXPECT_EQ(result.exit_status, 0) << result.err;
  const std::string asc = testsupport::slurp(dir / "g.asc");
  EXPECT_EQ(asc.substr(0, asc.find("4 -9999 0 ")),
            "ncols 326\nnrows 165\nxllcorner 266023\nyllcorner 14092806\ncellsize 5280\n"
            "NODATA_value -9999\n");
  EXPECT_EQ(asc.substr(asc.size() - 6), " 0 -1\n");
}

TEST(Gridkit, HydmodAsCsv) {
  TempDir dir;
  std::string file, data;
  utl::put_i32le(data, -1);
  utl::put_i32le(data, 0);
  utl::append_record(file, data);
  data.clear();
  utl::put_i32le(data, 0);
  data += "GAGE A              ";
  utl::append_record(file, data);
  for (double t : {0.0, 1.0}) {
    data.clear();
    utl::put_f64le(data, t);
    utl::put_f64le(data, 43560.0 * (t + 1));
    utl::append_record(file, data);
  }
  testsupport::spit(dir / "run.hyd", file);
  ProgramResult result = gridkit_run(dir, {"hydmod", "run.hyd", "--output", "run.csv"});
  EXPECT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(testsupport::slurp(dir / "run.csv"), "time,GAGE A\n0,43560\n1,87120\n");
}

TEST(Gridkit, FailuresGoToStandardErrorAndLeaveNoFile) {
  TempDir dir;
  ProgramResult missing = gridkit_run(dir, {"stats", "missing.rch"});
  EXPECT_EQ(missing.exit_status, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err, "gridkit: cannot read missing.rch\n");

  // The toolkit reader's own message, on standard error.
  testsupport::spit(dir / "short.rch", " 1.5 2.5\n");
  ProgramResult short_grid = gridkit_run(dir, {"png", "short.rch", "-o", "map.png"});
  EXPECT_EQ(short_grid.exit_status, 1);
  EXPECT_EQ(short_grid.out, "");
  EXPECT_EQ(short_grid.err, "gridkit: Error reading file short.rch\n");

  testsupport::spit(dir / "g.bin", fixtures::binary_grid(sample_grid()));
  ProgramResult no_dir = gridkit_run(dir, {"asc", "g.bin", "-o", "nodir/g.asc"});
  EXPECT_EQ(no_dir.exit_status, 1);
  EXPECT_EQ(no_dir.err, "gridkit: cannot create nodir/g.asc\n");

  SKIP_WITHOUT_FILE_SIZE_LIMIT();
  // A write that fails part way keeps the earlier picture whole and leaves no temporary file.
  testsupport::spit(dir / "map.png", "earlier picture");
  testsupport::RunOptions limited;
  limited.file_size_limit = 1000;
  ProgramResult full = gridkit_run(dir, {"png", "g.bin", "-o", "map.png"}, limited);
  EXPECT_EQ(full.exit_status, 1);
  EXPECT_EQ(full.err, "gridkit: cannot write map.png\n");
  EXPECT_EQ(testsupport::slurp(dir / "map.png"), "earlier picture");
  EXPECT_EQ(files_in(dir), (std::vector<std::string>{"g.bin", "map.png", "short.rch"}));
}

TEST(Gridkit, RunInProcessWritesToTheGivenStreams) {
  std::ostringstream out, err;
  EXPECT_EQ(run({"--version"}, out, err), 0);
  EXPECT_EQ(out.str(), std::string(kVersion) + "\n");
  EXPECT_EQ(run({"stats", "/no/such/file"}, out, err), 1);
  EXPECT_EQ(err.str(), "gridkit: cannot read /no/such/file\n");
}

}  // namespace
}  // namespace gridkit
