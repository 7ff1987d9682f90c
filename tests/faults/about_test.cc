// --help and --version given alone: each program answers on standard output with status 0,
// touches no file and reads none; with other arguments the words are left to its run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about/version.h"
#include "tests/faults/fault_support.h"
#include "tests/support/run_program.h"

namespace {

using testsupport::ProgramResult;
using testsupport::run_program;

struct Program {
  const char* name;
  const char* exe;
  std::vector<std::string> layout;  // paths its help must name: what it reads and writes
};

const std::vector<Program>& programs() {
  static const std::vector<Program> all{
      {"corvane", CORVANE_EXE, {"PARAMETER_FILE", "FILE DIR REXT AEXT", "RETURN", "BALANCE"}},
      {"tallisk",
       TALLISK_EXE,
       {"-12p", "../data0/tallisk.12s", "../data0/tallisk.12p", "YEAR.sfi", "YEARd.sfi",
        "YEAR.htm"}},
      {"membrelv2",
       MEMBRELV2_EXE,
       {"ks/", "../data/ks/sw/membrel.par", "../static/02.ibound", "../data0/cty.flg",
        "../data/ks/sw/authacresYEAR.txt", "../data/ks/40coords.dat", "checkYEAR.out"}},
  };
  return all;
}

TEST(About, HelpGivesUsageAndLayoutWithStatusZero) {
  for (const Program& program : programs()) {
    testsupport::TempDir dir;
    const ProgramResult result = run_program(program.exe, {"--help"}, dir.path());
    EXPECT_EQ(result.exit_status, 0) << program.name;
    EXPECT_EQ(result.err, "") << program.name;
    EXPECT_EQ(result.out.rfind(std::string("Usage: ") + program.name + " ", 0), 0u) << result.out;
    for (const std::string& path : program.layout) {
      EXPECT_NE(result.out.find(path), std::string::npos) << program.name << ": " << path;
    }
    EXPECT_TRUE(faults::snapshot(dir.path()).empty()) << program.name;
  }
}

TEST(About, VersionGivesTheBuildsRelease) {
  for (const Program& program : programs()) {
    testsupport::TempDir dir;
    const ProgramResult result = run_program(program.exe, {"--version"}, dir.path());
    EXPECT_EQ(result.exit_status, 0) << program.name;
    EXPECT_EQ(result.out,
              std::string(program.name) + " " RECHARGE_VERSION " (no optional parts)\n");
    EXPECT_TRUE(faults::snapshot(dir.path()).empty()) << program.name;
  }
}

TEST(About, WordsAmongOtherArgumentsAreLeftToTheRun) {
  // The usage stops each program already gives for a wrong number of arguments.
  testsupport::TempDir dir;
  const ProgramResult corvane = run_program(CORVANE_EXE, {"--help", "params.txt"}, dir.path());
  EXPECT_EQ(corvane.exit_status, 1);
  EXPECT_EQ(corvane.out, " Usage: corvane <parameter file>\n");
  const ProgramResult membrelv2 = run_program(MEMBRELV2_EXE, {"--version", "1995"}, dir.path());
  EXPECT_EQ(membrelv2.exit_status, 1);
  EXPECT_EQ(membrelv2.err, "Usage: membrelv2 <year>\n");
  // tallisk takes a second argument after -12p only.
  const ProgramResult tallisk = run_program(TALLISK_EXE, {"-12p", "--help"}, dir.path());
  EXPECT_EQ(tallisk.exit_status, 1);
  EXPECT_EQ(tallisk.out, " Cannot open file ../data0/tallisk.12p\n");
  EXPECT_TRUE(faults::snapshot(dir.path()).empty());
}

}  // namespace
