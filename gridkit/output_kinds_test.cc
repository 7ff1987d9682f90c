// gridkit against outputs that are not plain files and against lost writes: a device or a named
// pipe under an output's name is written in place and never replaced, a file size limit is a
// full disk, and a standard output that took nothing is a failure.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <string>

#include "gridkit/exports/netcdf_file.h"
#include "gridkit/testing_grids.h"
#include "tests/support/pipes_and_devices.h"
#include "tests/support/run_program.h"

namespace gridkit {
namespace {

using testsupport::ProgramResult;
using testsupport::TempDir;

#ifndef _WIN32

ProgramResult gridkit_run(const TempDir& dir, const std::vector<std::string>& args,
                          const testsupport::RunOptions& options = {}) {
  return testsupport::run_program(PROGRAM_EXE, args, dir.path(), options);
}

// A grid with a few distinct values, as a binary file `name` in `dir`.
void put_grid(const TempDir& dir, const std::string& name) {
  Grid grid;
  grid.values[fixtures::cell(1, 1)] = 4.0;
  grid.values[fixtures::cell(2, 1)] = 8.0;
  testsupport::spit(dir / name, fixtures::binary_grid(grid));
}

using testsupport::make_null_device;
using testsupport::PipeReader;

TEST(GridkitOutputKinds, ADeviceIsWrittenInPlaceNeverReplaced) {
  TempDir dir;
  put_grid(dir, "g.bin");
  if (!make_null_device(dir / "null")) GTEST_SKIP() << "cannot make a device here (not root)";
  for (const char* command : {"png", "asc"}) {
    const ProgramResult result = gridkit_run(dir, {command, "g.bin", "-o", "null"});
    EXPECT_EQ(result.exit_status, 0) << command << ": " << result.err;
    EXPECT_TRUE(std::filesystem::is_character_file(dir / "null")) << command;
  }
}

TEST(GridkitOutputKinds, ANamedPipeReceivesTheFileAndStaysAPipe) {
  TempDir dir;
  put_grid(dir, "g.bin");
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  PipeReader reader(dir / "pipe");
  ASSERT_TRUE(reader.ok());
  const ProgramResult result = gridkit_run(dir, {"png", "g.bin", "-o", "pipe"});
  EXPECT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(reader.rest().substr(0, 4), "\x89PNG");
  EXPECT_TRUE(std::filesystem::is_fifo(dir / "pipe"));
}

// The NetCDF library writes by name and seeks: a device cannot take it, and is left alone.
TEST(GridkitOutputKinds, ADeviceIsRefusedWhereAFileMustBeSought) {
  TempDir dir;
  if (!make_null_device(dir / "null")) GTEST_SKIP() << "cannot make a device here (not root)";
  testsupport::spit(dir / "run" / "1950.01.rch", "1.\n");
  const ProgramResult result = gridkit_run(dir, {"netcdf", "run", "-o", "null"});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_TRUE(std::filesystem::is_character_file(dir / "null"));
}

TEST(GridkitOutputKinds, AFileSizeLimitIsAFullDiskNotAKill) {
  TempDir dir;
  put_grid(dir, "g.bin");
  testsupport::RunOptions limited;
  limited.file_size_limit = 1000;
  limited.default_file_size_signal = true;
  const ProgramResult result = gridkit_run(dir, {"asc", "g.bin", "-o", "g.asc"}, limited);
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err, "gridkit: cannot write g.asc\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "g.asc"));
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    ++files;
  }
  EXPECT_EQ(files, 1u);  // the grid alone: no temporary file left
}

// A disk that fills as the NetCDF library closes the file: the library's message, status 1, the
// older file whole and no temporary file, and no crash in the library's exit-time clean-up.
TEST(GridkitOutputKinds, NetcdfDiskFullAtTheCloseIsAFailureNotACrash) {
  if (!netcdf_built_in()) GTEST_SKIP() << "built without the NetCDF library";
  TempDir dir;
  for (int month = 1; month <= 12; ++month) {
    Grid grid;
    for (std::size_t k = 0; k < grid.values.size(); ++k) {
      grid.values[k] = static_cast<double>((k * 7919 + static_cast<std::size_t>(month)) % 1000);
    }
    const std::string name =
        "1950." + std::string(month < 10 ? "0" : "") + std::to_string(month) + ".rch";
    testsupport::spit(dir / "run" / name, fixtures::binary_grid(grid));
  }
  testsupport::spit(dir / "run.nc", "an older file");
  testsupport::RunOptions full;
  full.file_size_limit = 20000;
  full.default_file_size_signal = true;
  const ProgramResult result = gridkit_run(dir, {"netcdf", "run", "rch", "-o", "run.nc"}, full);
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err.rfind("gridkit: cannot write run.nc", 0), 0u) << result.err;
  EXPECT_EQ(testsupport::slurp(dir / "run.nc"), "an older file");
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    EXPECT_NE(entry.path().filename().string().rfind(".tmp", 0), 0u) << entry.path();
  }
}

TEST(GridkitOutputKinds, LostStandardOutputIsAFailure) {
  TempDir dir;
  put_grid(dir, "g.bin");
  testsupport::RunOptions full;
  full.stdout_file = "/dev/full";
  const ProgramResult stats = gridkit_run(dir, {"stats", "g.bin"}, full);
  EXPECT_EQ(stats.exit_status, 1);
  EXPECT_EQ(stats.err, "gridkit: cannot write standard output\n");
  // diff answers like cmp: trouble, not "the grids differ".
  const ProgramResult diff = gridkit_run(dir, {"diff", "g.bin", "g.bin"}, full);
  EXPECT_EQ(diff.exit_status, 2);
}

#else

TEST(GridkitOutputKinds, NeedsPosixDevicesPipesAndLimits) {
  GTEST_SKIP() << "devices, named pipes and file size limits are POSIX features";
}

#endif

}  // namespace
}  // namespace gridkit
