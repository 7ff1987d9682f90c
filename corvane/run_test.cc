// End to end: the built corvane on parameter files, checked by standard output, exit status and
// the grids it writes, by value and by byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>

#include "tests/support/run_program.h"
#include "utl/grid_geometry.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ProgramResult;
using testsupport::RunOptions;
using testsupport::slurp;
using testsupport::spit;
using testsupport::TempDir;

using utl::kNcell;
using utl::kNcol;
using utl::kNrow;
constexpr std::size_t kBinarySize = 430328;

std::size_t cell_of(int col, int row) {
  return static_cast<std::size_t>(utl::cell_index(col, row));
}

std::string number(double value) {
  char buffer[64];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// A free-format acreage grid file: a header line, then each row with runs of zeros written
// in the repeat form.
std::string acreage_grid(const std::map<std::size_t, double>& cells) {
  std::string text = "acres per cell\n";
  for (int row = 1; row <= kNrow; ++row) {
    int zeros = 0;
    for (int col = 1; col <= kNcol; ++col) {
      auto found = cells.find(cell_of(col, row));
      if (found == cells.end()) {
        ++zeros;
        continue;
      }
      if (zeros > 0) text += std::to_string(zeros) + "*0 ";
      zeros = 0;
      text += number(found->second) + " ";
    }
    if (zeros > 0) text += std::to_string(zeros) + "*0";
    text += "\n";
  }
  return text;
}

// An IBOUND file with every cell active but `inactive`.
std::string ibound_grid(const std::vector<std::size_t>& inactive) {
  std::string cells(kNcell, '1');
  for (std::size_t c : inactive) cells[c] = '0';
  std::string text;
  for (int row = 0; row < kNrow; ++row) {
    for (int col = 0; col < kNcol; ++col) {
      text += ' ';
      text += cells[static_cast<std::size_t>(row * kNcol + col)];
    }
    text += '\n';
  }
  return text;
}

// The values of a text grid, in the order written.
std::vector<double> text_values(const std::string& text) {
  std::vector<double> values;
  std::istringstream in(text);
  std::string item;
  while (in >> item) values.push_back(std::strtod(item.c_str(), nullptr));
  return values;
}

std::uint32_t u32le(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

double f64le(const std::string& bytes, std::size_t at) {
  std::uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = bits << 8 | static_cast<unsigned char>(bytes[at + i]);
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

// The values of a binary grid after checking its framing: one record of 53,790 doubles.
std::vector<double> binary_values(const std::string& bytes) {
  EXPECT_EQ(bytes.size(), kBinarySize);
  if (bytes.size() != kBinarySize) return {};
  EXPECT_EQ(u32le(bytes, 0), 430320u);
  EXPECT_EQ(u32le(bytes, kBinarySize - 4), 430320u);
  std::vector<double> values(kNcell);
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = f64le(bytes, 4 + 8 * i);
  return values;
}

// A working directory with the inputs of one run.
class Basin {
 public:
  void file(const std::string& name, const std::string& text) { spit(dir_ / name, text); }
  ProgramResult run(const RunOptions& options = {}) {
    return testsupport::run_program(PROGRAM_EXE, {"params.txt"}, dir_.path(), options);
  }
  fs::path operator/(const std::string& name) const { return dir_ / name; }
  const fs::path& path() const { return dir_.path(); }
  bool exists(const std::string& name) const { return fs::exists(dir_ / name); }
  // Names of the files in `sub`, sorted.
  std::vector<std::string> listing(const std::string& sub) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_ / sub)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // The worked example: area A1 with 100 acres in cell (10, 20) and 300 in (11, 20); point
  // area A2 with 50 acres in (11, 20); March 1950 flows 40 and 5.
  void worked_example(const std::string& file_command) {
    file("a1.txt", acreage_grid({{cell_of(10, 20), 100}, {cell_of(11, 20), 300}}));
    // The point (x, y) lies inside cell (11, 20).
    file("table.txt", "YRMO A1 A2\n# March 1950\n195003 40 5\n");
    file("params.txt", file_command + "\nTRANSIENT 1950 1950\nAREA a1 a1.txt\n" + "AREA A2 * " +
                           number(266023 + 10 * 5280 + 100) + " " +
                           number(14092806 + 145 * 5280 + 100) + " 50\nRETURN table.txt\n");
    fs::create_directory(dir_ / "out");
  }

 private:
  TempDir dir_;
};

TEST(Corvane, ArgumentCount) {
  TempDir dir;
  for (const auto& args : {std::vector<std::string>{}, std::vector<std::string>{"a", "b"}}) {
    ProgramResult result = testsupport::run_program(PROGRAM_EXE, args, dir.path());
    EXPECT_EQ(result.out, " Usage: corvane <parameter file>\n");
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.err, "");
  }
  ProgramResult result = testsupport::run_program(PROGRAM_EXE, {"missing.txt"}, dir.path());
  EXPECT_EQ(result.out, " Error opening parameter file\n");
  EXPECT_EQ(result.exit_status, 1);
}

struct StopCase {
  const char* params;
  const char* out;
};

// Every stop of the parameter file, in the order in which its checks are met. Inputs: a1.txt
// (an acreage grid) and table.txt (a table for the one area A1).
const StopCase kStops[] = {
    {"", " No FILE specified\n"},
    {"# comments only\n\n", " No FILE specified\n"},
    {"\"FILE out rch are\n", " Invalid command \"FILE out rch are\n"},
    {"  #FILE out rch are\n", " Unknown parameter #FILE\n"},
    {"transients 1950 1950\n", " Unknown parameter TRANSIENTS\n"},
    {"FILE\n", " Invalid FILE directory\n"},
    {"FILE out\n", " Invalid FILE recharge extension\n"},
    {"FILE out rch\n", " Invalid FILE area/rate extension\n"},
    {"FILE out rch are TEXT\n", " Unknown FILE option TEXT\n"},
    {"TRANSIENT\n", " Invalid TRANSIENT start year\n"},
    {"TRANSIENT 1950\n", " Invalid TRANSIENT end year\n"},
    {"TRANSIENT 1951 1950\n", " Invalid TRANSIENT period\n"},
    {"IBOUND   \n", " Invalid IBOUND file name IBOUND\n"},
    {"IBOUND nothere.txt\n", " Error opening file nothere.txt\n"},
    {"RETURN table.txt\n", " Specify AREAs before RETURNs\n"},
    {"AREA a1 a1.txt\nRETURN table.txt\nAREA a2 a1.txt\n", " Specify AREAs before RETURNs\n"},
    {"AREA\n", " Invalid AREA name AREA\n"},
    {"AREA a1\n", " Invalid AREA file AREA a1\n"},
    {"AREA a1 *\n", " Invalid AREA X coordinate\n"},
    {"AREA a1 * 300000 north\n", " Invalid AREA Y coordinate\n"},
    {"AREA a1 * 300000 14500000\n", " Invalid AREA acres\n"},
    {"AREA a1 nothere.txt\n", " Error opening file nothere.txt\n"},
    {"AREA a1 a1.txt\nRETURN\n", " Invalid RETURNs file RETURN\n"},
    {"AREA a1 a1.txt\nRETURN nothere.txt\n", " Cannot open file nothere.txt\n"},
    {"FILE out rch are\n", " No AREAs specified\n"},
    {"FILE out rch are\nAREA a1 a1.txt\n", " No RETURNs specified\n"},
    {"FILE out rch are\nAREA a1 a1.txt\nRETURN table.txt\n", " No TRANSIENT specified\n"},
    // The first failing check wins, wherever the later ones would fail.
    {"TRANSIENT 1950\nFILE\n", " Invalid TRANSIENT end year\n"},
    {"AREA a1 * 1 1\nAREA a2 * 300000 14500000\n",
     " AREA outside domain AREA a1 * 1 1\n Invalid AREA acres\n"},
};

TEST(Corvane, EveryStopWithItsMessageAndStatus1) {
  for (const StopCase& c : kStops) {
    Basin basin;
    basin.file("a1.txt", acreage_grid({{cell_of(1, 1), 1.0}}));
    basin.file("table.txt", "YRMO A1\n195003 40\n");
    basin.file("params.txt", c.params);
    ProgramResult result = basin.run();
    EXPECT_EQ(result.out, c.out) << "parameters:\n" << c.params;
    EXPECT_EQ(result.exit_status, 1) << c.params;
  }
}

TEST(Corvane, TooManyAreas) {
  Basin basin;
  std::string params = "FILE out rch are\n";
  for (int n = 1; n <= 257; ++n) params += "AREA a" + std::to_string(n) + " * 300000 14500000 1\n";
  basin.file("params.txt", params);
  ProgramResult result = basin.run();
  EXPECT_EQ(result.out, " Too many AREAs\n");
  EXPECT_EQ(result.exit_status, 1);
}

TEST(Corvane, WorkedExampleAsText) {
  Basin basin;
  basin.worked_example("file out rch are");
  ProgramResult result = basin.run();
  ASSERT_EQ(result.out, "");
  ASSERT_EQ(result.exit_status, 0);
  EXPECT_EQ(basin.listing("out"), (std::vector<std::string>{"1950.03.rch", "1950.are"}));
  std::vector<double> expected(kNcell, 0.0);
  expected[cell_of(10, 20)] = 10;
  expected[cell_of(11, 20)] = 35;
  const std::string rch = slurp(basin / "out/1950.03.rch");
  EXPECT_EQ(text_values(rch), expected);
  expected[cell_of(10, 20)] = 100;
  expected[cell_of(11, 20)] = 350;
  EXPECT_EQ(text_values(slurp(basin / "out/1950.are")), expected);
  // Each of the 165 rows starts on a new line, and every line stays under 80 characters.
  std::istringstream lines(rch);
  std::string line;
  std::size_t before = 0;
  int rows = 0;
  while (std::getline(lines, line)) {
    EXPECT_LT(line.size(), 80u);
    if (before % kNcol == 0) ++rows;
    const std::size_t after = before + text_values(line).size();
    ASSERT_EQ(before / kNcol, (after - 1) / kNcol) << "a line holds values of two rows";
    before = after;
  }
  EXPECT_EQ(rows, kNrow);
}

TEST(Corvane, WorkedExampleAsBinaryRecords) {
  Basin basin;
  basin.worked_example("FILE out rch are BIN");
  ProgramResult result = basin.run();
  ASSERT_EQ(result.out, "");
  ASSERT_EQ(result.exit_status, 0);
  std::vector<double> expected(kNcell, 0.0);
  expected[cell_of(10, 20)] = 10;
  expected[cell_of(11, 20)] = 35;
  EXPECT_EQ(binary_values(slurp(basin / "out/1950.03.rch")), expected);
  expected[cell_of(10, 20)] = 100;
  expected[cell_of(11, 20)] = 350;
  EXPECT_EQ(binary_values(slurp(basin / "out/1950.are")), expected);
}

TEST(Corvane, InactiveCellLosesItsShare) {
  Basin basin;
  basin.worked_example("FILE out rch are BIN");
  basin.file("ibound.txt", ibound_grid({cell_of(10, 20)}));
  basin.file("params.txt", slurp(basin / "params.txt") + "IBOUND ibound.txt\n");
  ProgramResult result = basin.run();
  ASSERT_EQ(result.exit_status, 0) << result.out;
  std::vector<double> expected(kNcell, 0.0);
  expected[cell_of(11, 20)] = 35;
  EXPECT_EQ(binary_values(slurp(basin / "out/1950.03.rch")), expected);
  expected[cell_of(11, 20)] = 350;
  EXPECT_EQ(binary_values(slurp(basin / "out/1950.are")), expected);
}

// Reads one of our binary grids with a Fortran unformatted sequential READ and writes the values
// back as a raw stream, which must equal the record's data byte for byte.
TEST(Corvane, BinaryGridReadsInFortran) {
  if (std::system("command -v gfortran >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "gfortran is not installed";
  }
  Basin basin;
  basin.worked_example("FILE out rch are BIN");
  ASSERT_EQ(basin.run().exit_status, 0);
  basin.file("reader.f90", R"(program reader
  implicit none
  double precision :: grid(326, 165)
  integer :: ios
  open(10, file='out/1950.03.rch', form='unformatted', access='sequential', status='old')
  read(10) grid
  read(10, iostat=ios)
  close(10)
  if (ios >= 0) stop 'more than one record'
  open(11, file='back.raw', form='unformatted', access='stream', status='replace')
  write(11) grid
  close(11)
  print '(2F8.2)', grid(10, 20), grid(11, 20)
end program reader
)");
  const std::string build = "cd '" + basin.operator/("").string() +
                            "' && gfortran -o reader reader.f90 && ./reader > printed.txt";
  ASSERT_EQ(std::system(build.c_str()), 0);
  EXPECT_EQ(slurp(basin / "printed.txt"), "   10.00   35.00\n");
  const std::string bytes = slurp(basin / "out/1950.03.rch");
  EXPECT_EQ(slurp(basin / "back.raw"), bytes.substr(4, bytes.size() - 8));
}

TEST(Corvane, FileNamesOfMonthsAndYears) {
  Basin basin;
  basin.file("a1.txt", acreage_grid({{cell_of(1, 1), 1}}));
  basin.file("table.txt", "YRMO A1\n195001 1\n195010 2\n195012 3\n195103 4\n");
  // Directory and extensions longer than 16 characters are used whole.
  basin.file("params.txt",
             "FILE out/scenario_2024 recharge_monthly \"area grid.txt\"\nTRANSIENT 1950 1951\n"
             "AREA A1 a1.txt\nRETURN table.txt\n");
  fs::create_directories(basin / "out/scenario_2024");
  ProgramResult result = basin.run();
  ASSERT_EQ(result.out, "");
  ASSERT_EQ(result.exit_status, 0);
  EXPECT_EQ(basin.listing("out/scenario_2024"),
            (std::vector<std::string>{"1950.01.recharge_monthly", "1950.10.recharge_monthly",
                                      "1950.12.recharge_monthly", "1950.area grid.txt",
                                      "1951.03.recharge_monthly", "1951.area grid.txt"}));
}

TEST(Corvane, FilesOfOneYearBeforeTheNext) {
  // The area grids of this run go to a directory that does not exist, so the run stops at the
  // first one: 1950's months are written, nothing of 1951.
  Basin basin;
  basin.file("a1.txt", acreage_grid({{cell_of(1, 1), 1}}));
  basin.file("table.txt", "YRMO A1\n195001 1\n195002 2\n195101 4\n");
  basin.file("params.txt",
             "FILE out rch none/are\nTRANSIENT 1950 1951\nAREA A1 a1.txt\nRETURN table.txt\n");
  fs::create_directory(basin / "out");
  ProgramResult result = basin.run();
  EXPECT_EQ(result.out, " Cannot open file out/1950.none/are\n");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(basin.listing("out"), (std::vector<std::string>{"1950.01.rch", "1950.02.rch"}));
}

TEST(Corvane, NothingWrittenWithoutReturnsOrShares) {
  Basin basin;
  basin.file("a1.txt", acreage_grid({{cell_of(1, 1), 1}, {cell_of(2, 1), 3}}));
  basin.file("a2.txt", acreage_grid({{cell_of(5, 5), 2}}));
  basin.file("ibound.txt", ibound_grid({cell_of(5, 5)}));
  // January: flows of opposite sign add to 0. February: only A2 has flow, all on an inactive
  // cell. 1951: no flow at all. A3 lies outside the grid and has no acreage anywhere.
  basin.file("table.txt",
             "YRMO A1 A2 A3\n195001 5 -5 0\n195002 0 7 0\n195003 0 0 9\n195101 0 0 0\n");
  basin.file("params.txt",
             "FILE out rch are\nIBOUND ibound.txt\nTRANSIENT 1938 1951\nAREA A1 a1.txt\n"
             "AREA A2 a2.txt\nAREA A3 * 100 100\nRETURN table.txt\n");
  fs::create_directory(basin / "out");
  basin.file("out/1950.02.rch", "older grid\n");
  ProgramResult result = basin.run();
  EXPECT_EQ(result.out, " AREA outside domain AREA A3 * 100 100\n");
  ASSERT_EQ(result.exit_status, 0);
  // A1 had flow in January (its acres count in the area grid); A2's flow fell on an inactive cell.
  EXPECT_EQ(basin.listing("out"), (std::vector<std::string>{"1950.02.rch", "1950.are"}));
  EXPECT_EQ(slurp(basin / "out/1950.02.rch"), "older grid\n");
  std::vector<double> expected(kNcell, 0.0);
  expected[cell_of(1, 1)] = 1;
  expected[cell_of(2, 1)] = 3;
  EXPECT_EQ(text_values(slurp(basin / "out/1950.are")), expected);
}

TEST(Corvane, RunWithoutTableYearsWritesNothing) {
  Basin basin;
  basin.worked_example("FILE out rch are");
  basin.file("params.txt", slurp(basin / "params.txt") + "TRANSIENT 2021 2100\n");
  ProgramResult result = basin.run();
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_TRUE(basin.listing("out").empty());
}

TEST(Corvane, TwoPointAreasInOneCellAndNegativeAcres) {
  // Two point areas in one cell, one of them on the north-east corner of the grid.
  Basin basin;
  basin.file("table.txt", "YRMO P1 P2 P3\n200007 6 0.5 2\n");
  basin.file("params.txt",
             "FILE out rch are\nTRANSIENT 2000 2000\nAREA p1 * 1987303 14964006 7\n"
             "AREA p2 * 1987000 14963000 1e3\nAREA p3 * 266023 14092806 -2\nRETURN table.txt\n");
  fs::create_directory(basin / "out");
  ProgramResult result = basin.run();
  ASSERT_EQ(result.out, "");
  ASSERT_EQ(result.exit_status, 0);
  std::vector<double> expected(kNcell, 0.0);
  expected[cell_of(326, 1)] = 6.5;
  expected[cell_of(1, 165)] = 2;
  EXPECT_EQ(text_values(slurp(basin / "out/2000.07.rch")), expected);
  expected[cell_of(326, 1)] = 1007;
  expected[cell_of(1, 165)] = -2;
  EXPECT_EQ(text_values(slurp(basin / "out/2000.are")), expected);
}

TEST(Corvane, WriteFailureLeavesNoPartialFile) {
  SKIP_WITHOUT_FILE_SIZE_LIMIT();
  Basin basin;
  basin.worked_example("FILE out rch are BIN");
  basin.file("out/1950.03.rch", "older grid\n");
  RunOptions options;
  options.file_size_limit = 100000;
  ProgramResult result = basin.run(options);
  EXPECT_EQ(result.out, " Cannot write to file out/1950.03.rch\n");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(basin.listing("out"), std::vector<std::string>{"1950.03.rch"});
  EXPECT_EQ(slurp(basin / "out/1950.03.rch"), "older grid\n");
}

// Names in a parameter file go to the system as they stand: a '\\' separates folders on Windows,
// and on POSIX systems it is a character of the name like any other; '/' separates on both.
TEST(Corvane, BackslashInANameSeparatesFoldersOnWindowsOnly) {
  Basin basin;
  basin.worked_example("FILE out\\grids rch are");
  basin.file("params.txt", slurp(basin / "params.txt") + "BALANCE out\\sums.csv\n");
#ifdef _WIN32
  const std::string grids = "out/grids", balance = "out/sums.csv";
#else
  const std::string grids = "out\\grids", balance = "out\\sums.csv";
#endif
  fs::create_directories(basin / grids);
  const ProgramResult result = basin.run();
  EXPECT_EQ(result.out, "");
  ASSERT_EQ(result.exit_status, 0);
  EXPECT_EQ(basin.listing(grids), (std::vector<std::string>{"1950.03.rch", "1950.are"}));
  EXPECT_TRUE(basin.exists(balance));
}

TEST(Corvane, MissingOutputDirectory) {
  Basin basin;
  basin.worked_example("FILE results rch are");
  ProgramResult result = basin.run();
  EXPECT_EQ(result.out, " Cannot open file results/1950.03.rch\n");
  EXPECT_EQ(result.exit_status, 1);
}

TEST(Corvane, ExampleBasinTextAndBinaryAgree) {
  Basin basin;
  fs::copy(testsupport::source_dir() / "examples/corvane", basin.path(),
           fs::copy_options::recursive);
  fs::create_directories(basin / "grids/text");
  fs::create_directories(basin / "grids/binary");
  for (const std::string params : {"params.txt", "params-bin.txt"}) {
    ProgramResult result =
        testsupport::run_program(PROGRAM_EXE, {params}, basin.path(), RunOptions{});
    EXPECT_EQ(result.out, "") << params;
    ASSERT_EQ(result.exit_status, 0) << params;
  }
  std::vector<std::string> expected;
  for (const char* year : {"1998", "1999"}) {
    for (const char* month : {"04", "05", "06", "07", "08", "09", "10"}) {
      expected.push_back(std::string(year) + "." + month + ".rch");
    }
    expected.push_back(std::string(year) + ".are");
  }
  std::sort(expected.begin(), expected.end());
  ASSERT_EQ(basin.listing("grids/text"), expected);
  ASSERT_EQ(basin.listing("grids/binary"), expected);
  // Text values carry every digit, so both forms hold the same doubles.
  for (const std::string& name : expected) {
    const std::vector<double> text = text_values(slurp(basin / ("grids/text/" + name)));
    EXPECT_EQ(text, binary_values(slurp(basin / ("grids/binary/" + name)))) << name;
  }
}

// The rows of a balance CSV (no quoted fields), after checking its header.
std::vector<std::vector<std::string>> balance_rows(const std::string& text) {
  std::istringstream lines(text);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "year,month,return_flow,active_cells,inactive_cells,no_acreage,recharge_file");
  std::vector<std::vector<std::string>> rows;
  while (std::getline(lines, line)) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos;
         start = comma + 1) {
      fields.push_back(line.substr(start, comma - start));
    }
    fields.push_back(line.substr(start));
    EXPECT_EQ(fields.size(), 7u) << line;
    rows.push_back(fields);
  }
  return rows;
}

// Every file under `dir`, with its contents.
std::map<std::string, std::string> tree(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    if (entry.is_regular_file()) {
      files[fs::relative(entry.path(), dir).string()] = slurp(entry.path());
    }
  }
  return files;
}

TEST(CorvaneBalance, RowsOfMonthsWithReturnsAndTheSameGridsAsWithout) {
  // The worked example with cell (10, 20) inactive, an area A3 whose acreage lies on that cell
  // only, and a point area A4 outside the grid, which has no acreage.
  const auto inputs = [](Basin& basin, const std::string& balance) {
    basin.worked_example("FILE out rch are");
    basin.file("ibound.txt", ibound_grid({cell_of(10, 20)}));
    basin.file("a3.txt", acreage_grid({{cell_of(10, 20), 8}}));
    basin.file("table.txt",
               "YRMO A1 A2 A3 A4\n195003 40 5 0 3\n195004 0 0 7 0\n195005 0 0 0 2\n"
               "195006 1 0 0 -1\n");
    std::string params = slurp(basin / "params.txt");
    params.replace(params.find("RETURN"), 0,
                   "IBOUND ibound.txt\nAREA A3 a3.txt\nAREA A4 * 100 100\n" + balance);
    basin.file("params.txt", params);
  };
  Basin plain;
  inputs(plain, "");
  ProgramResult without = plain.run();
  ASSERT_EQ(without.exit_status, 0) << without.out;
  Basin asked;
  inputs(asked, "BALANCE balance.csv\n");
  ProgramResult with = asked.run();
  ASSERT_EQ(with.exit_status, 0) << with.out;
  EXPECT_EQ(with.out, without.out);
  EXPECT_EQ(with.out, " AREA outside domain AREA A4 * 100 100\n");
  EXPECT_EQ(tree(asked / "out"), tree(plain / "out"));
  EXPECT_FALSE(plain.exists("balance.csv"));
  // March: A1's quarter on the inactive cell is lost, A4 has no acreage. April: A3's flow all
  // falls on the inactive cell, so the grid is all 0 and has no file. June adds up to 0.
  EXPECT_EQ(slurp(asked / "balance.csv"),
            "year,month,return_flow,active_cells,inactive_cells,no_acreage,recharge_file\n"
            "1950,3,48,35,10,3,out/1950.03.rch\n"
            "1950,4,7,0,7,0,\n"
            "1950,5,2,0,0,2,\n");
  EXPECT_EQ(asked.listing("out"), (std::vector<std::string>{"1950.03.rch", "1950.are"}));
}

TEST(CorvaneBalance, MissingNameStopsBeforeAnyOutput) {
  Basin basin;
  basin.worked_example("FILE out rch are");
  basin.file("params.txt", "BALANCE   \n" + slurp(basin / "params.txt"));
  ProgramResult result = basin.run();
  EXPECT_EQ(result.out, " Invalid BALANCE file name BALANCE\n");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_TRUE(basin.listing("out").empty());
}

TEST(CorvaneBalance, ExampleBasinBalancesToTheGrids) {
  Basin basin;
  fs::copy(testsupport::source_dir() / "examples/corvane", basin.path(),
           fs::copy_options::recursive);
  fs::create_directories(basin / "grids/text");
  // A second BALANCE replaces whatever name the example's parameter file gives.
  basin.file("params.txt", slurp(basin / "params.txt") + "BALANCE \"check balance.csv\"\n");
  ProgramResult result = basin.run();
  EXPECT_EQ(result.out, "");
  ASSERT_EQ(result.exit_status, 0);
  EXPECT_FALSE(basin.exists("balance.csv"));
  const std::vector<std::vector<std::string>> rows =
      balance_rows(slurp(basin / "check balance.csv"));
  ASSERT_EQ(rows.size(), 14u);
  double lost = 0.0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::vector<std::string>& row = rows[i];
    ASSERT_EQ(row.size(), 7u);
    const int year = 1998 + static_cast<int>(i / 7);
    const int month = 4 + static_cast<int>(i % 7);
    EXPECT_EQ(row[0], std::to_string(year));
    EXPECT_EQ(row[1], std::to_string(month));
    const double total = std::stod(row[2]);
    const double active = std::stod(row[3]);
    const double inactive = std::stod(row[4]);
    const double no_acreage = std::stod(row[5]);
    EXPECT_NEAR(active + inactive + no_acreage, total, 1e-9) << row[0] << "." << row[1];
    // The active part is what the grid file holds.
    const std::string name = "grids/text/" + row[0] + (month < 10 ? ".0" : ".") + row[1] + ".rch";
    EXPECT_EQ(row[6], name);
    double grid_sum = 0.0;
    for (double value : text_values(slurp(basin / name))) grid_sum += value;
    EXPECT_NEAR(active, grid_sum, 1e-9) << name;
    lost += inactive;
  }
  // The basin has irrigated acreage outside the active cells, so some return flow is lost.
  EXPECT_GT(lost, 0.0);
}

TEST(CorvaneBalance, FailedRunLeavesNoBalance) {
  // The grids cannot be written: the run stops before the balance, and an older one stays.
  Basin basin;
  basin.worked_example("FILE results rch are");
  basin.file("params.txt", slurp(basin / "params.txt") + "BALANCE balance.csv\n");
  basin.file("balance.csv", "older balance\n");
  ProgramResult result = basin.run();
  EXPECT_EQ(result.out, " Cannot open file results/1950.03.rch\n");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(slurp(basin / "balance.csv"), "older balance\n");

  // The balance itself cannot be created, or not written whole: the grids stay, no balance.
  Basin nodir;
  nodir.worked_example("FILE out rch are");
  nodir.file("params.txt", slurp(nodir / "params.txt") + "BALANCE sums/balance.csv\n");
  result = nodir.run();
  EXPECT_EQ(result.out, " Cannot open file sums/balance.csv\n");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(nodir.listing("out"), (std::vector<std::string>{"1950.03.rch", "1950.are"}));

  Basin full;
  full.worked_example("FILE out rch are");
  // No year of the table: no grids, a balance of its header only, which exceeds the limit.
  full.file("params.txt", slurp(full / "params.txt") + "TRANSIENT 2030 2030\nBALANCE b.csv\n");
  SKIP_WITHOUT_FILE_SIZE_LIMIT();
  RunOptions options;
  options.file_size_limit = 40;
  result = full.run(options);
  EXPECT_EQ(result.out, " Cannot write to file b.csv\n");
  EXPECT_EQ(result.exit_status, 1);
  for (const std::string& name : full.listing("")) {
    EXPECT_EQ(name.find("b.csv"), std::string::npos) << name;
  }
}

}  // namespace
