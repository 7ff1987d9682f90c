// End-to-end runs of the built membrelv2 in scratch trees of input files.
#include "membrelv2/run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "membrelv2/freeline.h"
#include "tests/support/run_program.h"

namespace membrelv2 {
namespace {

namespace fs = std::filesystem;
using testsupport::ProgramResult;
using testsupport::slurp;
using testsupport::spit;

constexpr int kCols = 326;
constexpr int kRows = 165;

// x and y of the centre of cell (column, row), as text.
std::string centre(int column, int row) {
  return std::to_string(266023 + (column - 1) * 5280 + 2640) + " " +
         std::to_string(14964006 - (row - 1) * 5280 - 2640);
}

// A complete input tree: data/, static/, data0/ and the working directory work/ with ks/.
// Tests change the members, then write() and run().
struct Tree {
  testsupport::TempDir dir;
  std::vector<int> ibound = std::vector<int>(kCols * kRows, 1);
  std::vector<int> icty = std::vector<int>(kCols * kRows, 3);
  std::string par = "2\n0.4\n0.25\n";
  std::string monthly;
  std::string authorized = "7 1 1 1 1 30\n7 1 1 1 2 10\n";
  std::string coordinates = "1 1 1 1 " + centre(10, 20) + "\n1 1 1 2 " + centre(11, 20) + "\n";
  std::string diversions = "7 0 100 35 1\n7 0 50 5 0\n";
  bool ks = true;

  Tree() {
    for (int county = 1; county <= 44; ++county) {
      monthly +=
          std::to_string(county) + " 0.1 0.2 " + (county == 3 ? "0.3" : "0.25") + " 0.2 0.1 0.1\n";
    }
  }
  static std::string grid(const std::vector<int>& values) {
    std::string text;
    char field[8];
    for (int r = 0; r < kRows; ++r) {
      for (int c = 0; c < kCols; ++c) {
        std::snprintf(field, sizeof field, "%2d", values[r * kCols + c]);
        text += field;
      }
      text += '\n';
    }
    return text;
  }
  fs::path work() const { return dir / "work"; }
  void write(const std::string& year = "1995") const {
    spit(dir / "data/ks/sw/membrel.par", par);
    spit(dir / "static/02.ibound", grid(ibound));
    spit(dir / "data0/cty.flg", "county flags\n" + grid(icty));
    spit(dir / ("data/ks/sw/monthlyfactorsbycounty" + year + ".txt"), monthly);
    spit(dir / ("data/ks/sw/authacres" + year + ".txt"), authorized);
    spit(dir / "data/ks/40coords.dat", coordinates);
    spit(dir / ("data/ks/sw/membrel" + year + ".txt"), diversions);
    fs::create_directories(work());
    if (ks) fs::create_directories(work() / "ks");
  }
  ProgramResult run(const std::vector<std::string>& args = {"1995"}) const {
    return testsupport::run_program(PROGRAM_EXE, args, work());
  }
  std::string out(const std::string& name) const { return slurp(work() / "ks" / name); }
  std::set<std::string> files() const {
    std::set<std::string> names;
    if (!fs::exists(work() / "ks")) return names;
    for (const auto& entry : fs::directory_iterator(work() / "ks")) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }
};

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Field `column` of line `row` of a grid file.
std::string field(const std::string& grid, int column, int row) {
  return grid.substr((row - 1) * 1957 + (column - 1) * 6, 6);
}

// Standard output of a run up to the coordinate line, when group 7 alone has acreage.
std::string expected_inputs_output(const std::string& year, const std::string& total) {
  std::string text = " 165 326 5280. 5280. 266023. 14092806.\n";
  text += " ..Processing year ";
  text += year;
  text += "\n ..reading ibound array\n";
  text += " ..reading county flags\n";
  text += " ..reading monthly factors by county\n";
  text += " ..reading authorized acreage by group\n";
  text += ' ';
  text += year;
  text += ' ';
  text += total;
  text += '\n';
  for (int group = 1; group <= 2905; ++group) {
    if (group == 7) continue;
    text += ' ';
    text += std::to_string(group);
    text += " 0.\n";
  }
  text += " ..reading coordinates of 40-acre tracts\n";
  return text;
}

const std::set<std::string> kAllOutputs = {
    "swretgrid1995.dat", "swacresgrid1995.dat", "1995.05.rcs",   "1995.06.rcs",
    "1995.07.rcs",       "1995.08.rcs",         "1995.09.rcs",   "1995.10.rcs",
    "1995.asw",          "check1995.out",       "output1995.dat"};

TEST(Membrelv2, WorkedExampleEndToEnd) {
  Tree tree;
  tree.write();
  const ProgramResult result = tree.run();
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, expected_inputs_output("1995", "40.") +
                            " ..reading diversion, acreage, and system type data\n"
                            " ..writing plot files for returns and acreage\n"
                            " ..writing monthly rcs files and asw file\n");
  EXPECT_EQ(tree.files(), kAllOutputs);

  const std::string july = tree.out("1995.07.rcs");
  EXPECT_EQ(field(july, 10, 20), "  10.1");  // 33.75 x 0.3
  EXPECT_EQ(field(july, 11, 20), "   3.4");  // 11.25 x 0.3 = 3.375
  EXPECT_EQ(field(july, 9, 20), "   0.0");
  EXPECT_EQ(tree.out("swretgrid1995.dat"),
            " 316183. 14861046. 33.75 20 10\n 321463. 14861046. 11.25 20 11\n");
  EXPECT_EQ(tree.out("swacresgrid1995.dat"),
            " 316183. 14861046. 30. 20 10\n 321463. 14861046. 10. 20 11\n");
  const std::string asw = tree.out("1995.asw");
  EXPECT_EQ(field(asw, 10, 20), "  30.0");
  EXPECT_EQ(field(asw, 11, 20), "  10.0");
  EXPECT_EQ(tree.out("output1995.dat"), "");

  EXPECT_EQ(tree.out("check1995.out"),
            " ks/1995.05.rcs\n 5 4.5\n"
            " ks/1995.06.rcs\n 6 9.\n"
            " ks/1995.07.rcs\n 7 13.5\n"
            " ks/1995.08.rcs\n 8 9.\n"
            " ks/1995.09.rcs\n 9 4.5\n"
            " ks/1995.10.rcs\n 10 4.5\n"
            " 45. 40. 0. 0. 150.\n"
            " 0. 0.\n");
}

TEST(Membrelv2, CellWithReturnFlowInJulyGridAndPlotFiles) {
  Tree tree;
  tree.authorized = "7 1 1 1 1 30\n";
  tree.diversions = "7 0 100 25 1\n7 0 50 5 0\n";  // 45 of return flow on 30 acres
  tree.write();
  ASSERT_EQ(tree.run().exit_status, 0);
  EXPECT_EQ(field(tree.out("1995.07.rcs"), 10, 20), "  13.5");
  EXPECT_EQ(tree.out("swretgrid1995.dat"), " 316183. 14861046. 45. 20 10\n");
  EXPECT_EQ(tree.out("swacresgrid1995.dat"), " 316183. 14861046. 30. 20 10\n");
  EXPECT_EQ(field(tree.out("1995.asw"), 10, 20), "  30.0");
  // 0.3 held in single precision, times 45.
  EXPECT_EQ(lines_of(tree.out("check1995.out"))[5], " 7 13.500001");
}

TEST(Membrelv2, EveryGridHas165LinesOf1956Characters) {
  Tree tree;
  tree.diversions = "";  // all zero
  tree.write();
  ASSERT_EQ(tree.run().exit_status, 0);
  for (const char* name : {"1995.05.rcs", "1995.06.rcs", "1995.07.rcs", "1995.08.rcs",
                           "1995.09.rcs", "1995.10.rcs", "1995.asw"}) {
    const std::vector<std::string> lines = lines_of(tree.out(name));
    ASSERT_EQ(lines.size(), 165u) << name;
    for (const std::string& line : lines) {
      ASSERT_EQ(line.size(), 1956u) << name;
      ASSERT_EQ(line.find_first_not_of(" 0."), std::string::npos) << name;
    }
  }
  EXPECT_EQ(tree.out("swretgrid1995.dat"), "");
}

TEST(Membrelv2, ExceptionKindsNumberedInAcreageFileOrder) {
  Tree tree;
  tree.ibound[(30 - 1) * kCols + (40 - 1)] = 0;
  tree.authorized =
      "7 1 1 1 1 30\n"
      "7 2 1 1 1 10\n"  // inactive cell
      "8 2 1 1 2 20\n"  // south edge
      "8 2 1 1 3 20\n"  // east edge
      "8 2 1 1 4 60\n"  // no coordinates
      "9 2 1 1 5 5\n";  // off the grid both ways, beyond 32-bit cell numbers
  tree.coordinates += "2 1 1 1 " + centre(40, 30) + "\n2 1 1 2 900000 14092806\n" +
                      "2 1 1 3 1987303 14500000\n2 1 1 5 1e30 1e30\n";
  tree.diversions = "7 0 100 35 1\n7 0 50 5 0\n8 0 40 10 0\n";
  tree.write();
  const ProgramResult result = tree.run();
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(tree.out("output1995.dat"),
            " 1 10. 30 40 sw return flow 3\n"
            " 2 20. 166 121 sw return flow 2\n"
            " 3 20. 88 327 sw return flow 1\n"
            " 4 60. 2835 -49 sw return flow 1\n"
            " 5 5. -2147483648 2147483647 sw return flow 1\n");
  // A quarter of group 7 and all of group 8 stay off the grid.
  float lost_return = 0.25f * 45;
  float lost_acres = 0.25f * 40;
  for (float share : {0.2f, 0.2f, 0.6f}) {
    lost_return += share * 16;
    lost_acres += share * 10;
  }
  const std::vector<std::string> check = lines_of(tree.out("check1995.out"));
  ASSERT_EQ(check.size(), 14u);
  EXPECT_EQ(check[13], " " + format_real(lost_return) + " " + format_real(lost_acres));
  EXPECT_EQ(check[12], " 33.75 30. 0. 0. 190.");  // county 3's factors sum to 1
  EXPECT_EQ(field(tree.out("1995.asw"), 40, 30), "   0.0");
  EXPECT_EQ(lines_of(tree.out("swretgrid1995.dat")).size(), 1u);
}

TEST(Membrelv2, GroupWithoutPositiveAuthorizationIsListedAndCounted) {
  Tree tree;
  tree.authorized += "8 1 1 1 3 10\n8 1 1 1 4 -10\n2906 1 1 1 5 0\n";
  tree.coordinates += "1 1 1 3 " + centre(12, 20) + "\n1 1 1 4 " + centre(13, 20) + "\n";
  tree.diversions += "8 0 20 6 1\n2000 0 8 4 0\n";
  tree.write();
  const ProgramResult result = tree.run();
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_NE(result.out.find("\n 8 0.\n"), std::string::npos);
  EXPECT_NE(result.out.find("\n 2905 0.\n"), std::string::npos);
  EXPECT_EQ(result.out.find("\n 2906 "), std::string::npos);
  // Group 8 nets 0 acres: its tracts take no share and are not listed; no NaN anywhere.
  EXPECT_EQ(tree.out("output1995.dat"), "");
  const std::string check = tree.out("check1995.out");
  EXPECT_EQ(lines_of(check)[12], " 45. 40. 8.2 10. 178.");  // 20 x 0.25 + 8 x 0.4, 6 + 4
  EXPECT_EQ(check.find("nan"), std::string::npos);
  EXPECT_EQ(field(tree.out("1995.asw"), 12, 20), "   0.0");
}

TEST(Membrelv2, CountyZeroTakesFactorsOfCountyOne) {
  Tree tree;
  tree.icty[(20 - 1) * kCols + (10 - 1)] = 0;
  tree.write();
  ASSERT_EQ(tree.run().exit_status, 0);
  EXPECT_EQ(field(tree.out("1995.07.rcs"), 10, 20), "   8.4");  // 0.25 x 33.75
  EXPECT_EQ(field(tree.out("1995.07.rcs"), 11, 20), "   3.4");
}

// A value too wide for one decimal keeps its six characters in a form the model reads, never
// asterisks, and the user is told where.
TEST(Membrelv2, ValueTooWideForFieldIsWidenedWithAWarningAndCountsInFull) {
  Tree tree;
  tree.diversions = "7 0 200000 35 1\n";  // 50000 of return flow: 37500 and 12500
  tree.write();
  const ProgramResult result = tree.run();
  ASSERT_EQ(result.exit_status, 0);
  EXPECT_NE(result.err.find("membrelv2: warning: ks/1995.07.rcs row 20 column 10: 11250. too wide "
                            "for one decimal, written as \"11250.\" (1 cell)\n"),
            std::string::npos)
      << result.err;
  const std::string july = tree.out("1995.07.rcs");
  EXPECT_EQ(july.find('*'), std::string::npos);
  EXPECT_EQ(field(july, 10, 20), "11250.");
  EXPECT_EQ(field(july, 11, 20), "3750.0");
  EXPECT_EQ(lines_of(tree.out("check1995.out"))[5], " 7 15000.");
}

TEST(Membrelv2, OnlyFirst500DiversionRecordsCount) {
  Tree tree;
  tree.diversions.clear();
  for (int k = 0; k < 600; ++k) tree.diversions += "7 0 1 2 0\n";
  tree.write();
  const ProgramResult result = tree.run();
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.err,
            "membrelv2: warning: ../data/ks/sw/membrel1995.txt holds more than 500 diversion "
            "records; the rest are not read\n");
  // 500 return flows of 0.4, summed in single precision, fall a little short of 200.
  EXPECT_EQ(lines_of(tree.out("check1995.out"))[12], " 199.99924 1000. 0. 0. 500.");
}

TEST(Membrelv2, WrongArgumentsGiveUsageAndStatusOne) {
  Tree tree;
  tree.write();
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{}, {"1995", "1996"}, {"19/5"}, {"..\\x"}}) {
    const ProgramResult result = tree.run(args);
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.err, "Usage: membrelv2 <year>\n");
    EXPECT_EQ(result.out, "");
  }
  EXPECT_TRUE(tree.files().empty());
}

TEST(Membrelv2, YearIsArgumentPaddedOrCutToFourCharacters) {
  Tree tree;
  tree.write("95  ");
  const ProgramResult result = tree.run({"95"});
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_NE(result.out.find(" ..Processing year 95  \n"), std::string::npos);
  EXPECT_NE(result.out.find("\n 95   40.\n"), std::string::npos);
  EXPECT_EQ(lines_of(tree.out("check95  .out"))[0], " ks/95  .05.rcs");
  EXPECT_EQ(tree.files().count("95  .asw"), 1u);

  Tree cut;
  cut.write();
  EXPECT_EQ(cut.run({"19951"}).exit_status, 0);
  EXPECT_EQ(cut.files(), kAllOutputs);
}

TEST(Membrelv2, MissingInputFileStopsNamingIt) {
  Tree tree;
  tree.write();
  fs::remove(tree.dir / "data/ks/sw/monthlyfactorsbycounty1995.txt");
  ProgramResult result = tree.run();
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err,
            "membrelv2: cannot open input file ../data/ks/sw/monthlyfactorsbycounty1995.txt: No "
            "such file or directory\n");
  EXPECT_TRUE(tree.files().empty());

  fs::remove(tree.dir / "data/ks/sw/membrel.par");
  result = tree.run();
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.out, "");  // the grid line follows the opening of the parameter file
}

TEST(Membrelv2, ValuesOutsideTheirTablesStopNamingFileAndValue) {
  struct Case {
    std::string Tree::*file;
    std::string text;
    std::string err;
  };
  const std::vector<Case> cases = {
      {&Tree::authorized, "7 1 1 1 1 30\n3001 1 1 1 2 10\n",
       "../data/ks/sw/authacres1995.txt line 2: group 3001 outside 1 to 3000"},
      {&Tree::coordinates, "1 1 1 1 5 5\n1 1 1 0 5 5\n",
       "../data/ks/40coords.dat line 2: tract 0 outside 1 to 16"},
      {&Tree::diversions, "7 0 100 35 12\n",
       "../data/ks/sw/membrel1995.txt line 1: system type 12 outside 0 to 11"},
      {&Tree::diversions, "7 0 1OO 35 1\n",
       "../data/ks/sw/membrel1995.txt line 1: \"1OO\" is not a number"},
      {&Tree::par, "13\n", "../data/ks/sw/membrel.par line 1: 13 system types, at most 12"},
  };
  for (const Case& c : cases) {
    Tree tree;
    tree.*c.file = c.text;
    tree.write();
    const ProgramResult result = tree.run();
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.err, "membrelv2: " + c.err + "\n");
    EXPECT_TRUE(tree.files().empty());
  }
  Tree county;
  county.icty[5] = 45;
  county.write();
  const ProgramResult result = county.run();
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err,
            "membrelv2: ../data0/cty.flg line 2: column 6: county 45 outside 0 to 44\n");
}

TEST(Membrelv2, MissingKsDirectoryStopsBeforeAnyOutput) {
  Tree tree;
  tree.ks = false;
  tree.write();
  const ProgramResult result = tree.run();
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err,
            "membrelv2: cannot create output file ks/output1995.dat: No such file or directory\n");
  EXPECT_TRUE(result.out.ends_with(" ..reading diversion, acreage, and system type data\n"));
  EXPECT_FALSE(fs::exists(tree.work() / "ks"));
}

TEST(Membrelv2, FailedGridWriteLeavesNoPartialOrTemporaryFile) {
  SKIP_WITHOUT_FILE_SIZE_LIMIT();
  Tree tree;
  tree.write();
  spit(tree.work() / "ks/1995.05.rcs", "earlier run\n");
  testsupport::RunOptions options;
  options.file_size_limit = 100000;  // a grid file is 322905 bytes
  const ProgramResult result =
      testsupport::run_program(PROGRAM_EXE, {"1995"}, tree.work(), options);
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err, "membrelv2: cannot write output file ks/1995.05.rcs: File too large\n");
  // The listings say how far the run got: the check listing ends with the grid that failed.
  EXPECT_EQ(tree.files(),
            (std::set<std::string>{"1995.05.rcs", "swacresgrid1995.dat", "swretgrid1995.dat",
                                   "output1995.dat", "check1995.out"}));
  EXPECT_EQ(tree.out("1995.05.rcs"), "earlier run\n");
  EXPECT_EQ(tree.out("check1995.out"), " ks/1995.05.rcs\n");
}

TEST(Membrelv2, ExampleTreeRuns) {
  testsupport::TempDir dir;
  fs::copy(testsupport::source_dir() / "examples/membrelv2", dir.path(),
           fs::copy_options::recursive);
  const ProgramResult result = testsupport::run_program(PROGRAM_EXE, {"1995"}, dir / "work");
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(result.err,
            "membrelv2: warning: ks/1995.07.rcs row 100 column 300: 18060. too wide for one "
            "decimal, written as \"18060.\" (1 cell)\n"
            "membrelv2: warning: ks/1995.08.rcs row 100 column 300: 16125. too wide for one "
            "decimal, written as \"16125.\" (1 cell)\n"
            "membrelv2: warning: ks/1995.asw row 100 column 300: 12000. too wide for one "
            "decimal, written as \"12000.\" (1 cell)\n");
  EXPECT_EQ(slurp(dir / "work/ks/output1995.dat"),
            " 1 25. 2835 -49 sw return flow 1\n"
            " 2 40. 166 121 sw return flow 2\n"
            " 3 40. 88 327 sw return flow 1\n"
            " 4 30. 81 242 sw return flow 3\n");
  // Row 100, column 300 of July, read back as the model reads it.
  const std::string july = slurp(dir / "work/ks/1995.07.rcs");
  EXPECT_EQ(july.find('*'), std::string::npos);
  EXPECT_EQ(field(july, 300, 100), "18060.");
}

}  // namespace
}  // namespace membrelv2
