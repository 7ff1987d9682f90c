// corvane, tallisk and membrelv2 against outputs that are not plain files and against lost
// writes: a device or a named pipe under an output's name is written in place and never
// replaced; a file size limit (ulimit -f) is a full disk, with the program's message and
// nothing left, not a silent kill; a standard output that took nothing is a failure.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <string>

#include "tests/faults/fault_support.h"
#include "tests/support/pipes_and_devices.h"
#include "tests/support/run_program.h"
#include "utl/records.h"

namespace {

namespace fs = std::filesystem;
using testsupport::spit;

#ifndef _WIN32

using testsupport::make_null_device;
using testsupport::PipeReader;

// Whether `dir` holds a hidden temporary file of a run.
bool holds_temporary(const fs::path& dir) {
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    if (entry.path().filename().string().rfind(".tmp", 0) == 0) return true;
  }
  return false;
}

constexpr const char* kCorvaneParams =
    "FILE out rch are\nTRANSIENT 1950 1950\nIBOUND *\n"
    "AREA A * 266123 14963906 40\nRETURN ret.txt\nBALANCE BALNAME\n";

// A small corvane run whose balance goes to `balance`.
void put_corvane_run(const fs::path& work, const std::string& balance) {
  std::string params = kCorvaneParams;
  params.replace(params.find("BALNAME"), 7, balance);
  spit(work / "params.txt", params);
  spit(work / "ret.txt", "YrMo A\n195001 10\n195002 3\n");
  fs::create_directories(work / "out");
}

TEST(DeviceOutputs, CorvaneBalanceIntoADeviceOrAPipe) {
  testsupport::TempDir dir;
  const fs::path work = dir / "work";
  put_corvane_run(work, "pipe");
  ASSERT_EQ(::mkfifo((work / "pipe").c_str(), 0600), 0);
  PipeReader reader(work / "pipe");
  ASSERT_TRUE(reader.ok());
  const auto piped = testsupport::run_program(CORVANE_EXE, {"params.txt"}, work);
  EXPECT_EQ(piped.exit_status, 0) << piped.out;
  EXPECT_EQ(reader.rest().rfind("year,month,", 0), 0u);
  EXPECT_TRUE(fs::is_fifo(work / "pipe"));

  put_corvane_run(work, "null");
  if (!make_null_device(work / "null")) GTEST_SKIP() << "cannot make a device here (not root)";
  const auto nulled = testsupport::run_program(CORVANE_EXE, {"params.txt"}, work);
  EXPECT_EQ(nulled.exit_status, 0) << nulled.out;
  EXPECT_TRUE(fs::is_character_file(work / "null"));
}

// The grids still replace what an earlier run left, and a link to a device is written through.
TEST(DeviceOutputs, CorvaneGridOverALinkToADevice) {
  testsupport::TempDir dir;
  const fs::path work = dir / "work";
  put_corvane_run(work, "b.csv");
  if (!make_null_device(work / "null")) GTEST_SKIP() << "cannot make a device here (not root)";
  fs::create_symlink("../null", work / "out" / "1950.01.rch");
  const auto result = testsupport::run_program(CORVANE_EXE, {"params.txt"}, work);
  EXPECT_EQ(result.exit_status, 0) << result.out;
  EXPECT_TRUE(fs::is_symlink(work / "out" / "1950.01.rch"));
  EXPECT_TRUE(fs::is_character_file(work / "null"));
  EXPECT_TRUE(fs::is_regular_file(work / "out" / "1950.02.rch"));
}

// A run file with item A at `rate` over 26 time records.
std::string run_file(double rate) {
  std::string file;
  std::string count;
  utl::put_i32le(count, 1);
  utl::put_i32le(count, 0);
  utl::append_record(file, count);
  utl::append_record(file, std::string(4, '\0') + "A                   ");
  for (int t = 0; t < 26; ++t) {
    std::string values;
    utl::put_f64le(values, t);
    utl::put_f64le(values, rate);
    utl::append_record(file, values);
  }
  return file;
}

TEST(DeviceOutputs, TalliskPageIntoANamedPipe) {
  testsupport::TempDir dir;
  const fs::path work = dir / "work";
  spit(dir / "data0" / "tallisk.12s", "*Main +A\n");
  int rate = 0;
  for (const char* suffix : {".sfi", "a.sfi", "b.sfi", "c.sfi", "d.sfi"}) {
    spit(work / (std::string("1995") + suffix), run_file(rate++));
  }
  ASSERT_EQ(::mkfifo((work / "1995.htm").c_str(), 0600), 0);
  PipeReader reader(work / "1995.htm");
  ASSERT_TRUE(reader.ok());
  const auto result = testsupport::run_program(TALLISK_EXE, {"1995"}, work);
  EXPECT_EQ(result.exit_status, 0) << result.out;
  EXPECT_NE(reader.rest().find("<html"), std::string::npos);
  EXPECT_TRUE(fs::is_fifo(work / "1995.htm"));
}

TEST(DeviceOutputs, FileSizeLimitWithItsSignalIsAFullDisk) {
  testsupport::TempDir dir;
  const fs::path work = dir / "work";
  put_corvane_run(work, "b.csv");
  testsupport::RunOptions limited;
  limited.file_size_limit = 1000;  // a text grid takes some 60 kB
  limited.default_file_size_signal = true;
  const auto result = testsupport::run_program(CORVANE_EXE, {"params.txt"}, work, limited);
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.out, " Cannot write to file out/1950.01.rch\n");
  EXPECT_FALSE(holds_temporary(work));
  EXPECT_FALSE(fs::exists(work / "out" / "1950.01.rch"));
}

TEST(DeviceOutputs, MembrelFileSizeLimitWithItsSignalLeavesNothing) {
  testsupport::TempDir dir;
  const fs::path work = faults::copy_membrelv2_example(testsupport::source_dir(), dir.path());
  testsupport::RunOptions limited;
  limited.file_size_limit = 1000;
  limited.default_file_size_signal = true;
  // Progress lines go to /dev/null, which has no size, so the limit meets the program's files.
  const auto result = testsupport::run_program(
      "/bin/sh", {"-c", "exec \"$0\" 1995 >/dev/null", MEMBRELV2_EXE}, work, limited);
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err.rfind("membrelv2: cannot write output file ks/", 0), 0u) << result.err;
  EXPECT_FALSE(holds_temporary(work));
}

TEST(DeviceOutputs, MembrelListingIntoADevice) {
  testsupport::TempDir dir;
  const fs::path work = faults::copy_membrelv2_example(testsupport::source_dir(), dir.path());
  if (!make_null_device(work / "ks" / "check1995.out")) {
    GTEST_SKIP() << "cannot make a device here (not root)";
  }
  ASSERT_EQ(::mkfifo((work / "ks" / "1995.asw").c_str(), 0600), 0);
  PipeReader reader(work / "ks" / "1995.asw");
  ASSERT_TRUE(reader.ok());
  // The acreage grid (some 320 kB) overfills the pipe's buffer: read it as it comes.
  std::string grid;
  testsupport::RunningProgram run(MEMBRELV2_EXE, {"1995"}, work);
  while (run.running()) grid += reader.rest();
  const auto result = run.finish();
  grid += reader.rest();
  EXPECT_EQ(result.exit_status, 0) << result.err;
  EXPECT_TRUE(fs::is_character_file(work / "ks" / "check1995.out"));
  EXPECT_TRUE(fs::is_fifo(work / "ks" / "1995.asw"));
  EXPECT_EQ(grid.size(), 165u * 1957u);
}

TEST(DeviceOutputs, CorvaneLostStandardOutputIsAFailure) {
  testsupport::TempDir dir;
  const fs::path work = dir / "work";
  put_corvane_run(work, "b.csv");
  // An area outside the grid makes corvane warn on standard output.
  std::string params = testsupport::slurp(work / "params.txt");
  params.replace(params.find("AREA A * 266123"), 15, "AREA A * 1");
  spit(work / "params.txt", params);
  testsupport::RunOptions full;
  full.stdout_file = "/dev/full";
  const auto result = testsupport::run_program(CORVANE_EXE, {"params.txt"}, work, full);
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err, " Cannot write standard output\n");
}

#else

TEST(DeviceOutputs, NeedsPosixDevicesPipesAndLimits) {
  GTEST_SKIP() << "devices, named pipes and file size limits are POSIX features";
}

#endif

}  // namespace
