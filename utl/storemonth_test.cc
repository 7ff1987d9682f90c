#include "utl/storemonth.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/run_program.h"
#include "utl/fatal.h"
#include "utl/fields.h"
#include "utl/freeline.h"
#include "utl/gridread.h"
#include "utl/records.h"

namespace utl {
namespace {

namespace fs = std::filesystem;
using testsupport::slurp;
using testsupport::spit;
using testsupport::TempDir;

std::string stop_text(const std::function<void()>& write) {
  try {
    write();
  } catch (const Fatal& fatal) {
    return fatal.text();
  }
  return "";
}

// Names of the files in `dir`.
std::vector<std::string> listing(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A grid of mostly zeros with values of every kind, the way recharge grids look.
std::vector<double> sample_grid(int nrow, int ncol, unsigned seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0);
  std::vector<double> grid(static_cast<std::size_t>(nrow * ncol), 0.0);
  for (double& v : grid) {
    switch (random() % 8) {
      case 0:
        v = uniform(random) * 1e4;
        break;
      case 1:
        v = uniform(random) * 1e-5;
        break;
      case 2:
        v = std::round(uniform(random) * 100);
        break;
      case 3:
        v = uniform(random) * 1e300;
        break;
      case 4:
        v = -0.0;
        break;
      default:
        break;
    }
  }
  return grid;
}

TEST(Storemonth, AllZeroGridOrZeroMultiplierWritesNothingAndSaysSo) {
  TempDir dir;
  spit(dir / "1995.03.rch", "older");
  std::vector<double> grid(12, 0.0);
  grid[5] = -0.0;
  EXPECT_EQ(storemonth(grid, 1.0, 3, 4, 1995, 3, dir.path().string(), "rch", 0), std::nullopt);
  EXPECT_EQ(storemonth(grid, 1.0, 3, 4, 1995, 3, dir.path().string(), "rch", 1), std::nullopt);
  grid[7] = 2.5;
  EXPECT_EQ(storemonth(grid, 0.0, 3, 4, 1995, 3, dir.path().string(), "rch", 0), std::nullopt);
  EXPECT_EQ(slurp(dir / "1995.03.rch"), "older");
  EXPECT_EQ(listing(dir.path()), std::vector<std::string>{"1995.03.rch"});
  // A single negative cell, however small, is written: the test is on absolute values. The
  // name returned is the file written.
  grid[7] = -1e-300;
  const std::optional<std::string> written =
      storemonth(grid, 1.0, 3, 4, 1995, 3, dir.path().string() + "  ", "rch  ", 0);
  ASSERT_TRUE(written.has_value());
  EXPECT_EQ(*written, dir.path().string() + "/1995.03.rch");
  EXPECT_NE(slurp(*written), "older");
  EXPECT_EQ(storemonth(grid, 2.0, 3, 4, 1995, -1, dir.path().string(), "are", 1),
            dir.path().string() + "/1995.are");
  EXPECT_EQ(listing(dir.path()), (std::vector<std::string>{"1995.03.rch", "1995.are"}));
  // A cell that is no number is not a zero: the writer stops rather than pass the month over.
  grid[1] = std::nan("");
  EXPECT_NE(stop_text([&] {
              storemonth(grid, 1.0, 3, 4, 1995, 4, dir.path().string(), "rch", 0);
            }).find("Value overflows at row 1 column 2 of file"),
            std::string::npos);
}

TEST(Storemonth, BinaryGridIsOneLittleEndianRecord) {
  TempDir dir;
  std::vector<double> grid = sample_grid(165, 326, 7);
  grid[0] = 1.0 / 3.0;
  storemonth(grid, 2.0, 165, 326, 1950, -1, padded(dir.path().string(), 256), "are", 1);
  const std::string bytes = slurp(dir / "1950.are");
  ASSERT_EQ(bytes.size(), 430328u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\xF0\x90\x06\x00", 4));
  EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\xF0\x90\x06\x00", 4));
  RecordReader reader(bytes);
  std::string_view data;
  ASSERT_EQ(reader.next(data), RecordReader::Status::kRecord);
  EXPECT_EQ(reader.next(data), RecordReader::Status::kEnd);
  for (std::size_t i = 0; i < grid.size(); ++i) {
    const double written = get_f64le(bytes.data() + 4 + 8 * i);
    ASSERT_EQ(std::signbit(written), std::signbit(2.0 * grid[i])) << i;
    ASSERT_EQ(written, 2.0 * grid[i]) << i;
  }
}

TEST(Storemonth, TextRowsAreFreeFormatLinesThatReadBackExactly) {
  TempDir dir;
  const int nrow = 165;
  const int ncol = 326;
  const std::vector<double> grid = sample_grid(nrow, ncol, 11);
  storemonth(grid, 1.0, nrow, ncol, 1950, 7, dir.path().string(), "rch", 0);
  const std::string text = slurp(dir / "1950.07.rch");

  // Each row is one free-format write, item for item.
  std::string expected;
  for (int r = 0; r < nrow; ++r) {
    FreeLine line;
    for (int c = 0; c < ncol; ++c) line.real(grid[static_cast<std::size_t>(r * ncol + c)]);
    expected += line.finish();
  }
  EXPECT_EQ(text, expected);
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) ASSERT_LT(line.size(), 80u) << line;

  // Read back with each row starting on a new record: the same doubles, every bit.
  std::vector<double> back(grid.size(), 42.0);
  ASSERT_EQ(read_free_grid(text, back, nrow, ncol, 0), FreeGridStatus::kOk);
  for (std::size_t i = 0; i < grid.size(); ++i) {
    ASSERT_EQ(back[i], grid[i]) << i;
    ASSERT_EQ(std::signbit(back[i]), std::signbit(grid[i])) << i;
  }
}

TEST(Storemonth, TextValuesCarryTheMultiplier) {
  TempDir dir;
  const std::vector<double> grid{0.0, 1.5, -2.0, 0.1};
  storemonth(grid, -2.0, 2, 2, 0, 0, dir.path().string(), "dat", 0);
  EXPECT_EQ(slurp(dir / "steady.dat"), " -0. -3.\n  4. -0.2\n");
}

TEST(Storemonth, UnwritableTargetStopsAndLeavesNoFile) {
  TempDir dir;
  const std::vector<double> grid(6, 1.0);
  const std::string missing = (dir / "missing").string();
  EXPECT_EQ(stop_text([&] { storemonth(grid, 1.0, 2, 3, 1995, 3, missing, "rch", 1); }),
            " Cannot open file " + missing + "/1995.03.rch\n");
  EXPECT_EQ(listing(dir.path()), std::vector<std::string>{});
}

#ifndef _WIN32
// Runs a write of a full binary grid in a child process whose files may not exceed `limit`
// bytes; returns the child's exit status: 0 written, 3 stopped with `message`, 4 otherwise.
int write_under_limit(const fs::path& dir, long long limit, int bin, const std::string& message) {
  const pid_t pid = fork();
  if (pid == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit rl{static_cast<rlim_t>(limit), static_cast<rlim_t>(limit)};
    setrlimit(RLIMIT_FSIZE, &rl);
    const std::vector<double> grid(165 * 326, 1.25);
    try {
      storemonth(grid, 1.0, 165, 326, 1995, 3, dir.string(), "rch", bin);
    } catch (const Fatal& fatal) {
      _exit(fatal.text() == message ? 3 : 4);
    } catch (...) {
      _exit(4);
    }
    _exit(0);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

#endif

TEST(Storemonth, FailedWriteLeavesTheOlderFileAndNoTemporary) {
#ifdef _WIN32
  GTEST_SKIP() << "no file size limit on this system";
#else
  TempDir dir;
  spit(dir / "1995.03.rch", "older");
  const std::string name = (dir / "1995.03.rch").string();
  const std::string message = format_error2("Cannot write to file", name);
  EXPECT_EQ(write_under_limit(dir.path(), 100000, 1, message), 3);
  EXPECT_EQ(write_under_limit(dir.path(), 100000, 0, message), 3);
  EXPECT_EQ(slurp(dir / "1995.03.rch"), "older");
  EXPECT_EQ(listing(dir.path()), std::vector<std::string>{"1995.03.rch"});
  EXPECT_EQ(write_under_limit(dir.path(), 1000000, 1, message), 0);
  EXPECT_EQ(fs::file_size(dir / "1995.03.rch"), 430328u);
#endif
}

// The path of `program` on PATH, or empty.
std::string find_on_path(const std::string& program) {
#ifdef _WIN32
  (void)program;
  return "";  // the Fortran reader is built and run on POSIX systems only
#else
  const char* path = std::getenv("PATH");
  std::istringstream dirs(path ? path : "");
  for (std::string dir; std::getline(dirs, dir, ':');) {
    const fs::path candidate = fs::path(dir) / program;
    if (!dir.empty() && access(candidate.c_str(), X_OK) == 0) return candidate.string();
  }
  return "";
#endif
}

TEST(Storemonth, BinaryGridReadsWithAFortranUnformattedRead) {
  const std::string gfortran = find_on_path("gfortran");
  if (gfortran.empty()) GTEST_SKIP() << "gfortran is not on this machine";
  TempDir dir;
  spit(dir / "readgrid.f90",
       "program readgrid\n"
       "  double precision :: a(326, 165)\n"
       "  integer :: i, j\n"
       "  open(10, file='grid/1950.07.rch', form='unformatted', access='sequential',"
       " status='old')\n"
       "  read(10) a\n"
       "  close(10)\n"
       "  do j = 1, 165\n"
       "    do i = 1, 326\n"
       "      write(*, '(es26.17e3)') a(i, j)\n"
       "    end do\n"
       "  end do\n"
       "end program readgrid\n");
  const auto compiled =
      testsupport::run_program(gfortran, {"-o", "readgrid", "readgrid.f90"}, dir.path());
  ASSERT_EQ(compiled.exit_status, 0) << compiled.err;
  fs::create_directory(dir / "grid");
  std::vector<double> grid = sample_grid(165, 326, 3);
  for (double& v : grid) v = std::fabs(v) < 1e300 ? v : 0.5;  // within es26.17e3
  grid[1] = 7.0;
  storemonth(grid, 1.0, 165, 326, 1950, 7, (dir / "grid").string(), "rch", 1);
  const auto read = testsupport::run_program((dir / "readgrid").string(), {}, dir.path());
  ASSERT_EQ(read.exit_status, 0) << read.err;
  std::istringstream values(read.out);
  std::size_t i = 0;
  for (std::string item; values >> item; ++i) {
    ASSERT_LT(i, grid.size());
    double v = 0;
    std::from_chars(item.data(), item.data() + item.size(), v);
    ASSERT_EQ(v, grid[i]) << i << " " << item;
  }
  EXPECT_EQ(i, grid.size());
}

}  // namespace
}  // namespace utl
