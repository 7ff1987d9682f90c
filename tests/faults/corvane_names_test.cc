// corvane against names in its parameter file that would send an output where the user did not
// mean: a name longer than its field, and a water balance named after a file the run reads.
// Each stops the run before anything is written, with status 1.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/faults/fault_support.h"
#include "tests/support/run_program.h"

namespace {

namespace fs = std::filesystem;
using testsupport::spit;

class CorvaneNames : public ::testing::Test {
 protected:
  CorvaneNames() {
    spit(work_ / "ret.txt", "YrMo A\n195001 10\n");
    fs::create_directories(work_ / "out");
  }

  // Writes the parameter file with `file_record` and `balance_record`, runs corvane and checks
  // that it stopped with a message containing `message` and changed nothing.
  void expect_stop(const std::string& file_record, const std::string& balance_record,
                   const std::string& message) {
    spit(work_ / "self.par", file_record + "\nTRANSIENT 1950 1950\nIBOUND *\n" +
                                 "AREA A * 266123 14963906 40\nRETURN ret.txt\n" + balance_record +
                                 "\n");
    const auto before = faults::snapshot(dir_.path());
    const auto result = testsupport::run_program(CORVANE_EXE, {"self.par"}, work_);
    EXPECT_NE(result.out.find(message), std::string::npos) << result.out;
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(faults::snapshot(dir_.path()), before);
  }

  testsupport::TempDir dir_;
  fs::path work_ = dir_ / "work";
};

TEST_F(CorvaneNames, ANameLongerThanItsFieldIsNeverCut) {
  // 262 characters: cut at 256 it would name the sibling folder "out".
  const std::string long_dir = "out/" + std::string(258, 'd');
  fs::create_directories(work_ / "out");
  expect_stop("FILE " + long_dir + " rch are", "BALANCE b.csv", "File name too long FILE out/");
  const std::string long_balance = std::string(256, 'x') + "balance.csv";
  expect_stop("FILE out rch are", "BALANCE " + long_balance, "File name too long BALANCE xxx");
  expect_stop("FILE out rch are", "BALANCE \"" + long_balance + "\"",
              "File name too long BALANCE \"xxx");
  expect_stop("FILE out rch are\nAREA B " + std::string(300, 'a'), "BALANCE b.csv",
              "File name too long AREA B aaa");
}

TEST_F(CorvaneNames, ANameOfExactlyTheFieldIsKept) {
  const std::string name = "out/" + std::string(248, 'b') + ".csv";  // 256 characters
  spit(work_ / "p.par",
       "FILE out rch are\nTRANSIENT 1950 1950\nIBOUND *\n"
       "AREA A * 266123 14963906 40\nRETURN ret.txt\nBALANCE " +
           name + "\n");
  const auto result = testsupport::run_program(CORVANE_EXE, {"p.par"}, work_);
  EXPECT_EQ(result.exit_status, 0) << result.out;
  EXPECT_TRUE(fs::exists(work_ / name));
}

TEST_F(CorvaneNames, TheBalanceMayNotReplaceAnInput) {
  const std::string message = "BALANCE file is an input of the run ";
  expect_stop("FILE out rch are", "BALANCE self.par", message + "self.par");
  expect_stop("FILE out rch are", "BALANCE ret.txt", message + "ret.txt");
  // Another spelling or a link of the same file is the same file.
  expect_stop("FILE out rch are", "BALANCE ./out/../ret.txt", message);
  std::error_code no_links;  // links may need privileges on Windows
  fs::create_symlink("ret.txt", work_ / "link.txt", no_links);
  if (!no_links) expect_stop("FILE out rch are", "BALANCE link.txt", message + "link.txt");
}

}  // namespace
