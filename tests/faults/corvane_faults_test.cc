// corvane against faults of its files: each ends with its message on standard output and exit
// status 1. A grid file appears whole or not at all; grids of earlier runs stay as they were,
// and a run stopped on its inputs writes nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/faults/fault_support.h"
#include "tests/support/run_program.h"

namespace {

namespace fs = std::filesystem;
using testsupport::spit;

constexpr int kNcol = 326;
constexpr int kNrow = 165;

// An acreage grid with 1 to 9 acres in every cell of the northern half, a varied value in each,
// so that its recharge grid is a large text file.
std::string busy_acreage() {
  std::string text = "acres of area B\n";
  for (int r = 1; r <= kNrow; ++r) {
    for (int c = 1; c <= kNcol; ++c) {
      text += r <= 80 ? std::to_string(1 + (r * 7 + c * 3) % 9) + ".37 " : "0 ";
    }
    text += '\n';
  }
  return text;
}

class CorvaneFaults : public ::testing::Test {
 protected:
  CorvaneFaults() {
    // January: area A alone, one cell, so a small grid; February: area B, a large one.
    spit(work_ / "params.txt",
         "FILE out rch are\nTRANSIENT 1950 1950\nIBOUND *\n"
         "AREA A * 266123 14963906 40\nAREA B b.grid\nRETURN ret.txt\n");
    spit(work_ / "b.grid", busy_acreage());
    spit(work_ / "ret.txt", "YrMo A B\n195001 10 0\n195002 0 1234.5\n");
    // Grids of an earlier run, which a failing run must leave as they are.
    spit(work_ / "out" / "1950.02.rch", "an earlier February\n");
    spit(work_ / "out" / "1950.are", "an earlier area grid\n");
    spit(work_ / "out" / "1949.12.rch", "an earlier December\n");
  }

  testsupport::ProgramResult corvane(const testsupport::RunOptions& options = {}) {
    return testsupport::run_program(CORVANE_EXE, {"params.txt"}, work_, options);
  }

  // Runs corvane and checks the failure: `message`, status 1, nothing changed.
  void expect_stop(const std::string& message) {
    const auto before = faults::snapshot(work_);
    const auto result = corvane();
    EXPECT_EQ(result.out, message);
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(faults::snapshot(work_), before);
  }

  testsupport::TempDir dir_;
  fs::path work_ = dir_ / "work";
};

TEST_F(CorvaneFaults, TheSetUpRunsCleanly) {
  const auto result = corvane();
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.exit_status, 0);
  const auto files = faults::snapshot(work_ / "out");
  EXPECT_EQ(files.size(), 4u);  // January, February, the area grid and the older December
  EXPECT_GT(files.at("1950.02.rch").size(), 2 * files.at("1950.01.rch").size());
}

TEST_F(CorvaneFaults, DiskFullAtTheSecondGrid) {
  SKIP_WITHOUT_FILE_SIZE_LIMIT();
  // The same run without the fault, for the grid that does get written.
  testsupport::TempDir clean;
  fs::copy(work_, clean.path() / "work", fs::copy_options::recursive);
  ASSERT_EQ(
      testsupport::run_program(CORVANE_EXE, {"params.txt"}, clean.path() / "work").exit_status, 0);
  const std::string january = testsupport::slurp(clean.path() / "work" / "out" / "1950.01.rch");
  const std::string february = testsupport::slurp(clean.path() / "work" / "out" / "1950.02.rch");
  ASSERT_LT(january.size() + 1000, february.size());

  testsupport::RunOptions full;
  full.file_size_limit = static_cast<long long>(january.size() + 1000);
  auto expected = faults::snapshot(work_);
  expected["out/1950.01.rch"] = january;  // written whole before the disk filled
  const auto result = corvane(full);
  EXPECT_EQ(result.out, " Cannot write to file out/1950.02.rch\n");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(faults::snapshot(work_), expected);
}

TEST_F(CorvaneFaults, DiskFullInBinaryGrids) {
  SKIP_WITHOUT_FILE_SIZE_LIMIT();
  spit(work_ / "params.txt",
       "FILE out rch are BIN\nTRANSIENT 1950 1950\nIBOUND *\n"
       "AREA A * 266123 14963906 40\nAREA B b.grid\nRETURN ret.txt\n");
  testsupport::RunOptions full;
  full.file_size_limit = 100000;  // a binary grid has 430328 bytes
  const auto before = faults::snapshot(work_);
  const auto result = corvane(full);
  EXPECT_EQ(result.out, " Cannot write to file out/1950.01.rch\n");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(faults::snapshot(work_), before);
}

TEST_F(CorvaneFaults, OutputDirectoryMissing) {
  fs::remove_all(work_ / "out");
  expect_stop(" Cannot open file out/1950.01.rch\n");
}

TEST_F(CorvaneFaults, OutputDirectoryIsARegularFile) {
  fs::remove_all(work_ / "out");
  spit(work_ / "out", "a file where the directory should be\n");
  expect_stop(" Cannot open file out/1950.01.rch\n");
}

TEST_F(CorvaneFaults, OutputDirectoryNotWritable) {
  faults::Unwritable locked(work_ / "out");
  if (!locked.ok()) GTEST_SKIP() << "cannot make a directory unwritable here";
  expect_stop(" Cannot open file out/1950.01.rch\n");
}

TEST_F(CorvaneFaults, GridNameTakenByADirectory) {
  fs::remove(work_ / "out" / "1950.02.rch");
  spit(work_ / "out" / "1950.02.rch" / "kept", "a file of someone else's\n");
  auto expected = faults::snapshot(work_);
  const auto result = corvane();
  EXPECT_EQ(result.out, " Cannot open file out/1950.02.rch\n");
  EXPECT_EQ(result.exit_status, 1);
  const auto after = faults::snapshot(work_);
  EXPECT_EQ(after.at("out/1950.02.rch/kept"), "a file of someone else's\n");
  EXPECT_EQ(after.at("out/1950.are"), "an earlier area grid\n");
  EXPECT_EQ(after.size(), expected.size() + 1);  // January only was added
}

TEST_F(CorvaneFaults, InputsMissing) {
  fs::rename(work_ / "ret.txt", work_ / "ret.old");
  expect_stop(" Cannot open file ret.txt\n");
  fs::rename(work_ / "b.grid", work_ / "b.old");
  expect_stop(" Error opening file b.grid\n");
  spit(work_ / "params.txt", "IBOUND gone.ib\n");
  expect_stop(" Error opening file gone.ib\n");
  fs::remove(work_ / "params.txt");
  expect_stop(" Error opening parameter file\n");
}

TEST_F(CorvaneFaults, InputsThatAreDirectories) {
  fs::remove(work_ / "ret.txt");
  fs::create_directory(work_ / "ret.txt");
  expect_stop(" Cannot open file ret.txt\n");
  fs::remove(work_ / "b.grid");
  fs::create_directory(work_ / "b.grid");
  expect_stop(" Error opening file b.grid\n");
  spit(work_ / "params.txt", "IBOUND out\n");
  expect_stop(" Error opening file out\n");
  fs::remove(work_ / "params.txt");
  fs::create_directory(work_ / "params.txt");
  expect_stop(" Error opening parameter file\n");
}

TEST_F(CorvaneFaults, AcreageGridCutShort) {
  const std::string whole = busy_acreage();
  spit(work_ / "b.grid", whole.substr(0, whole.size() / 2));
  expect_stop(" Error reading file b.grid\n");
}

TEST_F(CorvaneFaults, ProtectedGridIsRefusedBeforeWriting) {
  // Read-only for an ordinary user; for the superuser, who may write a read-only file as any
  // plain open would, only the immutable attribute protects it.
  faults::Unwritable locked(work_ / "out" / "1950.02.rch");
  if (!locked.ok()) GTEST_SKIP() << "cannot protect a file here";
  auto expected = faults::snapshot(work_);
  const auto result = corvane();
  EXPECT_EQ(result.out, " Cannot open file out/1950.02.rch\n");
  EXPECT_EQ(result.exit_status, 1);
  auto after = faults::snapshot(work_);
  EXPECT_EQ(after.erase("out/1950.01.rch"), 1u);  // January, written before it
  EXPECT_EQ(after, expected);
}

TEST_F(CorvaneFaults, LongGridNamesUpToTheFileSystemsLimit) {
  // 1950.01. and a 240-character extension: 248 bytes, within the 255 of one name.
  const std::string ext(240, 'e');
  spit(work_ / "params.txt", "FILE out " + ext +
                                 " are\nTRANSIENT 1950 1950\nIBOUND *\n"
                                 "AREA A * 266123 14963906 40\nAREA B b.grid\nRETURN ret.txt\n");
  auto result = corvane();
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.exit_status, 0);
  auto files = faults::snapshot(work_ / "out");
  EXPECT_EQ(files.size(), 5u);  // the two grids, the area grid rewritten, the older two
  EXPECT_GT(files.at("1950.02." + ext).size(), 100000u);

  // Ten more: 258 bytes, which no file system here takes. Refused, nothing written.
  fs::remove_all(work_ / "out");
  fs::create_directory(work_ / "out");
  spit(work_ / "params.txt", "FILE out " + ext +
                                 "eeeeeeeeee are\nTRANSIENT 1950 1950\nIBOUND *\n"
                                 "AREA A * 266123 14963906 40\nRETURN ret.txt\n");
  spit(work_ / "ret.txt", "YrMo A\n195001 10\n");
  // A message of 80 characters or more starts on a line of its own, as every long one does.
  expect_stop("\n Cannot open file out/1950.01." + ext + "eeeeeeeeee\n");
}

TEST_F(CorvaneFaults, EndlessOrHugeInputsStopWithBoundedMemory) {
#ifdef _WIN32
  GTEST_SKIP() << "no /dev/zero, peak memory or memory limit here";
#endif
  // Far more than the 16 MiB a line may hold: what is read stays small whatever the input.
  constexpr long kMemoryBoundKb = 100 * 1024;
  auto result = testsupport::run_program(CORVANE_EXE, {"/dev/zero"}, work_);
  EXPECT_EQ(result.out, " Error reading file /dev/zero\n");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_LT(result.peak_memory_kb, kMemoryBoundKb);

  // A return-flow table whose first data line holds 200 MB.
  {
    std::FILE* table = std::fopen((work_ / "ret.txt").string().c_str(), "wb");
    ASSERT_NE(table, nullptr);
    std::fputs("YrMo A B\n195001 ", table);
    const std::string digits(1 << 20, '1');
    for (int mb = 0; mb < 200; ++mb) std::fwrite(digits.data(), 1, digits.size(), table);
    std::fputs(" 0\n", table);
    ASSERT_EQ(std::fclose(table), 0);
  }
  const auto before = faults::snapshot(work_ / "out");
  result = corvane();
  EXPECT_EQ(result.out, " Invalid data in file ret.txt\n");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_LT(result.peak_memory_kb, kMemoryBoundKb);
  EXPECT_EQ(faults::snapshot(work_ / "out"), before);

#ifndef __SANITIZE_ADDRESS__  // the address sanitizer needs far more address space than this
  // A table the size of that file cannot be held in 100 MB: the last line of defence.
  testsupport::RunOptions small;
  small.memory_limit = 100 << 20;
  result = corvane(small);
  EXPECT_EQ(result.out, " Out of memory\n");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(faults::snapshot(work_ / "out"), before);
#endif

  // The same endless device as an acreage grid.
  spit(work_ / "params.txt", "FILE out rch are\nTRANSIENT 1950 1950\nAREA B /dev/zero\n");
  result = corvane();
  EXPECT_EQ(result.out, " Error reading file /dev/zero\n");
  EXPECT_EQ(result.exit_status, 1);
}

}  // namespace
