// tallisk against faults of its files: each ends with its message on standard output, exit
// status 1, and the working directory exactly as it was (no partial page, older pages intact).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/faults/fault_support.h"
#include "tests/support/run_program.h"
#include "utl/records.h"

namespace {

namespace fs = std::filesystem;
using testsupport::spit;

constexpr const char* kSuffixes[] = {".sfi", "a.sfi", "b.sfi", "c.sfi", "d.sfi"};

// A run file with items A and B, both at `rate` over 26 time records.
std::string run_file(double rate) {
  std::string file;
  std::string count;
  utl::put_i32le(count, 2);
  utl::put_i32le(count, 0);
  utl::append_record(file, count);
  utl::append_record(file, std::string(4, '\0') + "A                   B                   ");
  for (int t = 0; t < 26; ++t) {
    std::string values;
    utl::put_f64le(values, t);
    utl::put_f64le(values, rate);
    utl::put_f64le(values, rate);
    utl::append_record(file, values);
  }
  return file;
}

class TalliskFaults : public ::testing::Test {
 protected:
  TalliskFaults() {
    spit(dir_ / "data0" / "tallisk.12s", "*Main +A\nTrib +B -A\n");
    for (int r = 0; r < 5; ++r) spit(work_ / (std::string("1995") + kSuffixes[r]), run_file(r));
    // Pages of earlier runs, which a failing run must leave as they are.
    spit(work_ / "1995.htm", "<html>the page of an earlier run</html>\n");
    spit(work_ / "1994.htm", "<html>another year</html>\n");
  }

  // Runs tallisk for 1995 and checks the failure: `message`, status 1, nothing changed.
  void expect_stop(const std::string& message, const testsupport::RunOptions& options = {}) {
    const auto before = faults::snapshot(work_);
    const auto result = testsupport::run_program(TALLISK_EXE, {"1995"}, work_, options);
    EXPECT_EQ(result.out, message);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(faults::snapshot(work_), before);
  }

  testsupport::TempDir dir_;
  fs::path work_ = dir_ / "work";
};

TEST_F(TalliskFaults, TheSetUpRunsCleanly) {
  const auto result = testsupport::run_program(TALLISK_EXE, {"1995"}, work_);
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(testsupport::slurp(work_ / "1995.htm").find("<td align=left>Main</td>"),
            std::string::npos);
}

TEST_F(TalliskFaults, DiskFullWhileWritingThePage) {
  SKIP_WITHOUT_FILE_SIZE_LIMIT();
  testsupport::RunOptions full;
  full.file_size_limit = 300;  // the page needs about 1500 bytes
  expect_stop(" Cannot write to file 1995.htm\n", full);
}

TEST_F(TalliskFaults, WorkingDirectoryNotWritable) {
  faults::Unwritable locked(work_);
  if (!locked.ok()) GTEST_SKIP() << "cannot make a directory unwritable here";
  expect_stop(" Cannot open file 1995.htm\n");
}

TEST_F(TalliskFaults, ProtectedPageIsRefusedBeforeWriting) {
  faults::Unwritable locked(work_ / "1995.htm");
  if (!locked.ok()) GTEST_SKIP() << "cannot protect a file here";
  expect_stop(" Cannot open file 1995.htm\n");
}

TEST_F(TalliskFaults, EndlessInputsStop) {
#ifdef _WIN32
  GTEST_SKIP() << "no /dev/zero here";
#endif
  fs::remove(work_ / "1995a.sfi");
  fs::create_symlink("/dev/zero", work_ / "1995a.sfi");
  expect_stop(" Cannot read count 1995a.sfi\n");
  fs::remove(dir_ / "data0" / "tallisk.12s");
  fs::create_symlink("/dev/zero", dir_ / "data0" / "tallisk.12s");
  expect_stop(" Error reading file ../data0/tallisk.12s\n");
}

TEST_F(TalliskFaults, PageNameTakenByADirectory) {
  fs::remove(work_ / "1995.htm");
  fs::create_directory(work_ / "1995.htm");
  spit(work_ / "1995.htm" / "kept", "a file of someone else's\n");
  expect_stop(" Cannot open file 1995.htm\n");
}

TEST_F(TalliskFaults, RunFileMissing) {
  fs::remove(work_ / "1995c.sfi");
  expect_stop(" Cannot open file 1995c.sfi\n");
}

TEST_F(TalliskFaults, RunFileIsADirectory) {
  fs::remove(work_ / "1995b.sfi");
  fs::create_directory(work_ / "1995b.sfi");
  expect_stop(" Cannot open file 1995b.sfi\n");
}

TEST_F(TalliskFaults, RunFileCutShort) {
  const std::string whole = run_file(3);
  spit(work_ / "1995d.sfi", whole.substr(0, whole.size() / 2));
  expect_stop(" Error reading file 1995d.sfi\n");
}

TEST_F(TalliskFaults, RunFileOfAFailedModelRun) {
  // Not a number as run c's value of item B at time 10: a failure, not a page of stars.
  std::string file = run_file(3);
  file.replace(file.size() - 16 * 32 + 4 + 16, 8, "\0\0\0\0\0\0\xf8\x7f", 8);
  spit(work_ / "1995c.sfi", file);
  expect_stop(" Error reading file 1995c.sfi\n");
}

TEST_F(TalliskFaults, AccountingPointListMissingOrADirectory) {
  fs::remove(dir_ / "data0" / "tallisk.12s");
  expect_stop(" Cannot open file ../data0/tallisk.12s\n");
  fs::create_directory(dir_ / "data0" / "tallisk.12s");
  expect_stop(" Cannot open file ../data0/tallisk.12s\n");
}

}  // namespace
