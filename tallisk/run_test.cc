// The built tallisk, run in a scratch working directory with its list under ../data0/.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tallisk/hydmod_testdata.h"
#include "tests/support/run_program.h"

namespace tallisk {
namespace {

namespace fs = std::filesystem;
using testsupport::slurp;
using testsupport::spit;

constexpr std::array<const char*, 5> kSuffixes = {".sfi", "a.sfi", "b.sfi", "c.sfi", "d.sfi"};

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class TalliskRun : public ::testing::Test {
 protected:
  TalliskRun() { fs::create_directories(work_); }

  void list(const std::string& text, const std::string& name = "tallisk.12s") {
    spit(dir_ / "data0" / name, text);
  }
  // Five run files of `year` whose items A, B and C hold the given volumes, run by run.
  void runs(const std::string& year, const std::array<std::array<double, 3>, 5>& volumes) {
    for (int r = 0; r < 5; ++r) {
      const auto& v = volumes[r];
      spit(work_ / (year + kSuffixes[r]),
           testdata::volume_file({"A", "B", "C"}, {v[0], v[1], v[2]}));
    }
  }
  void flat_runs(const std::string& year) { runs(year, {}); }
  testsupport::ProgramResult tallisk(const std::vector<std::string>& args,
                                     const testsupport::RunOptions& options = {}) {
    return testsupport::run_program(PROGRAM_EXE, args, work_, options);
  }
  std::set<std::string> work_files() {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(work_))
      names.insert(entry.path().filename().string());
    return names;
  }

  testsupport::TempDir dir_;
  fs::path work_ = dir_ / "work";
};

TEST_F(TalliskRun, WritesTheImpactPage) {
  list("*Main +A\nTrib +B -C\n\"*North Fork\" +A +B\n");
  // Run d lists its items in another order: each file is matched by label on its own.
  runs("1995", {{{1000, 500, 200}, {1123.6, 500, 200}, {1000, 506, 200}, {990, 500, 210.5}}});
  spit(work_ / "1995d.sfi", testdata::volume_file({"C", "B", "A"}, {200, 480, 1000}));
  const auto result = tallisk({"1995"});
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.out, "");
  const std::string row = "<tr align=\"right\">";
  EXPECT_EQ(slurp(work_ / "1995.htm"),
            "<html>\n<head><title>Impacts 1995</title></head>\n<body bgcolor=\"#FFFFFF\">\n"
            "<table border>\n<tr><th align=center colspan=5><font size=\"+4\">Impacts 1995 "
            "(acre-feet)</font></th></tr>\n<tr align=\"center\"><th>Location</th>"
            "<th>Colorado<br>Pumping</th><th>Kansas<br>Pumping</th><th>Nebraska<br>Pumping</th>"
            "<th>Nebraska<br>Mound</th></tr>\n" +
                row +
                "<td align=left>Main</td>\n<td>       124</td>\n<td>         0</td>\n"
                "<td>       -10</td>\n<td>         0</td>\n</tr>\n" +
                row +
                "<td align=left>rib</td>\n<td>         0</td>\n<td>         0</td>\n"
                "<td>       -11</td>\n<td>        20</td>\n</tr>\n" +
                row +
                "<td align=left>North Fork</td>\n<td>       124</td>\n<td>         0</td>\n"
                "<td>       -10</td>\n<td>        20</td>\n</tr>\n" +
                row +
                "<th align=left>Mainstem</th>\n<th>       247</th>\n<th>         0</th>\n"
                "<th>       -20</th>\n<th>        20</th>\n</tr>\n" +
                row +
                "<th align=left>Total</th>\n<th>       247</th>\n<th>        12</th>\n"
                "<th>       -31</th>\n<th>        40</th>\n</tr>\n</table>\n</body>\n</html>\n");
  EXPECT_EQ(work_files(), (std::set<std::string>{"1995.sfi", "1995a.sfi", "1995b.sfi", "1995c.sfi",
                                                 "1995d.sfi", "1995.htm"}));
}

TEST_F(TalliskRun, SumsExactImpactsAndRoundsOnlyWhenWritten) {
  list("*one +A\n*two +A\n*three +A\n");
  runs("2001", {{{0, 0, 0}, {6, 0, 0}, {0, 0, 0}, {0, 0, 0}, {-6, 0, 0}}});
  ASSERT_EQ(tallisk({"2001"}).exit_status, 0);
  const auto page = lines_of(slurp(work_ / "2001.htm"));
  ASSERT_EQ(page.size(), 21u + 6 * 3);
  for (int p = 0; p < 3; ++p) {
    EXPECT_EQ(page[7 + 6 * p], "<td>         0</td>");
    EXPECT_EQ(page[10 + 6 * p], "<td>         0</td>");
  }
  EXPECT_EQ(page[25], "<th>        18</th>");  // Mainstem, run a
  EXPECT_EQ(page[28], "<th>        18</th>");  // Mainstem, mound: base minus run d
  EXPECT_EQ(page[31], "<th>        18</th>");  // Total, run a
}

TEST_F(TalliskRun, CommandLineForms) {
  EXPECT_EQ(tallisk({}).out, " Usage: tallisk year\n");
  EXPECT_EQ(tallisk({}).exit_status, 1);
  EXPECT_EQ(tallisk({"19/5"}).out, " Usage: tallisk year\n");
  EXPECT_EQ(tallisk({"-12p", "..\\x"}).out, " Usage: tallisk year\n");
  // A separator is refused also in the part the year cuts off, and after the option.
  for (const auto& args : std::vector<std::vector<std::string>>{{"1995/x"}, {"-12p", "1995\\"}})
    EXPECT_EQ(tallisk(args).out, " Usage: tallisk year\n");
  EXPECT_EQ(tallisk({"1995"}).out, " Cannot open file ../data0/tallisk.12s\n");
  EXPECT_EQ(tallisk({"-12p", "1995"}).out, " Cannot open file ../data0/tallisk.12p\n");

  list("", "tallisk.12p");
  EXPECT_EQ(tallisk({"-12p"}).out, " Cannot open file     .sfi\n");
  flat_runs("95  ");
  auto result = tallisk({"-12pxyz", "95"});
  EXPECT_EQ(result.exit_status, 0);
  const auto page = lines_of(slurp(work_ / "95  .htm"));
  ASSERT_EQ(page.size(), 21u);
  EXPECT_EQ(page[1], "<head><title>Impacts 95  </title></head>");
  EXPECT_EQ(page[4].find("Impacts 95   (acre-feet)") != std::string::npos, true);
  EXPECT_EQ(page[13], "<th>         0</th>");

  list("");
  flat_runs("1995");
  EXPECT_EQ(tallisk({"19955"}).exit_status, 0);
  EXPECT_TRUE(fs::exists(work_ / "1995.htm"));
}

TEST_F(TalliskRun, ListLimits) {
  flat_runs("1995");
  std::string lines = "* +A\n*" + std::string(30, 'x') + " +A\n";
  for (int p = 3; p <= 32; ++p)
    lines += std::string("P").append(std::to_string(p)).append(" +A -B\n");
  list(lines);
  ASSERT_EQ(tallisk({"1995"}).out, "");
  const auto page = lines_of(slurp(work_ / "1995.htm"));
  ASSERT_EQ(page.size(), 21u + 6 * 32);
  EXPECT_EQ(page[6], "<tr align=\"right\"><td align=left></td>");
  EXPECT_EQ(page[12], "<tr align=\"right\"><td align=left>" + std::string(23, 'x') + "</td>");

  list(lines + "\n");
  EXPECT_EQ(tallisk({"1995"}).out, " Too many accounting points\n");
  list("a +A\n\nb +A\n");
  EXPECT_EQ(tallisk({"1995"}).out, " Error reading account name\n");
  list("a +A\n  \"unclosed +A\n");
  EXPECT_EQ(tallisk({"1995"}).out, " Error reading account name   \"unclosed +A\n");
  list("a\t+A\n");
  EXPECT_EQ(tallisk({"1995"}).out, "");  // the tab is part of the name: no gage entries
  list("a +A\r\nb +B\r");                // CR-LF, and a lone CR ending the last line, end a line
  EXPECT_EQ(tallisk({"1995"}).out, "");
}

TEST_F(TalliskRun, FailedRunKeepsEarlierReportAndLeavesNoTemporaryFile) {
  list("a +A\n");
  flat_runs("1995");
  spit(work_ / "1995.htm", "earlier");
  fs::remove(work_ / "1995d.sfi");
  auto result = tallisk({"1995"});
  EXPECT_EQ(result.out, " Cannot open file 1995d.sfi\n");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(slurp(work_ / "1995.htm"), "earlier");

  flat_runs("1995");
  SKIP_WITHOUT_FILE_SIZE_LIMIT();
  testsupport::RunOptions small;
  small.file_size_limit = 100;
  result = tallisk({"1995"}, small);
  EXPECT_EQ(result.out, " Cannot write to file 1995.htm\n");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(slurp(work_ / "1995.htm"), "earlier");
  EXPECT_EQ(work_files().size(), 6u);
}

TEST(TalliskExample, PageMatchesTheGeneratorsExpectation) {
  testsupport::TempDir dir;
  const fs::path example = testsupport::source_dir() / "examples" / "tallisk";
  fs::copy(example, dir.path(), fs::copy_options::recursive);
  const auto result = testsupport::run_program(PROGRAM_EXE, {"1995"}, dir / "runs");
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(lines_of(slurp(dir / "runs" / "1995.htm")),
            lines_of(slurp(example / "expected" / "1995.htm")));
}

}  // namespace
}  // namespace tallisk
