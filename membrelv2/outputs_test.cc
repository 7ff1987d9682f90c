#include "membrelv2/outputs.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <csignal>
#include <filesystem>
#include <memory>
#include <string>

#include "membrelv2/stop.h"
#include "tests/support/run_program.h"
#include "tests/support/stop_text.h"

namespace membrelv2 {
namespace {

class Outputs : public ::testing::Test {
 protected:
  std::unique_ptr<Tables> owned = std::make_unique<Tables>();
  Tables& t = *owned;
};

TEST_F(Outputs, MonthGridTakesCountyFactorAndCountyOneWhereNone) {
  t.monfac[1][7] = 0.5f;
  t.monfac[3][7] = 0.3f;
  t.icty[cell_index(10, 20)] = 3;
  t.swret[cell_index(10, 20)] = 45;
  t.swret[cell_index(1, 1)] = 10;  // county 0: factors of county 1
  t.swret[cell_index(2, 1)] = -4;  // no return flow: nothing
  t.icty[cell_index(2, 1)] = 3;
  static float work[kNcell];
  work[cell_index(5, 5)] = 99;  // rebuilt for each month
  const float total = month_grid(t, 7, work);
  EXPECT_EQ(work[cell_index(10, 20)], 0.3f * 45);
  EXPECT_EQ(work[cell_index(1, 1)], 5.0f);
  EXPECT_EQ(work[cell_index(2, 1)], 0.0f);
  EXPECT_EQ(work[cell_index(5, 5)], 0.0f);
  EXPECT_EQ(total, 5.0f + 0.3f * 45);  // row 1 comes first
  EXPECT_EQ(month_grid(t, 5, work), 0.0f);
}

TEST_F(Outputs, PlotLinesOfActivePositiveCellsInRowOrder) {
  t.ibound[cell_index(10, 20)] = 1;
  t.ibound[cell_index(1, 1)] = -1;
  t.ibound[cell_index(3, 1)] = 1;
  t.swret[cell_index(10, 20)] = 33.75f;
  t.swret[cell_index(1, 1)] = 2;
  t.swret[cell_index(3, 1)] = -2;  // not positive
  t.swret[cell_index(4, 1)] = 7;   // inactive
  EXPECT_EQ(plot_text(t, t.swret),
            " 268663. 14961366. 2. 1 1\n"
            " 316183. 14861046. 33.75 20 10\n");
}

TEST(MonthFile, TwoDigitMonthInName) {
  EXPECT_EQ(month_file("1995", 5), "ks/1995.05.rcs");
  EXPECT_EQ(month_file("1995", 10), "ks/1995.10.rcs");
  EXPECT_EQ(month_file("95  ", 7), "ks/95  .07.rcs");
}

int files_in(const std::filesystem::path& dir) {
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) ++files;
  return files;
}

TEST(WriteWhole, ReplacesTargetAndLeavesNoTemporaryFile) {
  testsupport::TempDir dir;
  const std::string target = (dir / "grid.rcs").string();
  testsupport::spit(target, "old");
  write_whole(target, "new\n");
  EXPECT_EQ(testsupport::slurp(target), "new\n");
  EXPECT_EQ(files_in(dir.path()), 1);
}

TEST(WriteWhole, MissingDirectoryStopsNamingTarget) {
  testsupport::TempDir dir;
  const std::string target = (dir / "ks" / "1995.asw").string();
  try {
    write_whole(target, "x");
    ADD_FAILURE() << "no stop";
  } catch (const Stop& failure) {
    EXPECT_EQ(std::string(failure.what()),
              "cannot create output file " + target + ": No such file or directory");
  }
}

TEST(WriteWhole, TemporaryNameDoesNotGrowWithTheTarget) {
#ifdef _WIN32
  GTEST_SKIP() << "no paths of MAX_PATH characters or more in membrelv2's Windows calls";
#endif
  testsupport::TempDir dir;
  const std::string longest = (dir / std::string(250, 'k')).string();
  write_whole(longest, "grid\n");
  EXPECT_EQ(testsupport::slurp(longest), "grid\n");
  const std::string too_long = (dir / std::string(256, 'k')).string();
  EXPECT_EQ(testsupport::stop_text([&] { write_whole(too_long, "x"); }, "no stop"),
            "cannot create output file " + too_long + ": File name too long");
  EXPECT_EQ(files_in(dir.path()), 1);
}

#ifndef _WIN32  // the stopping signals and processes of POSIX systems
TEST(Listing, StoppingSignalRemovesItsTemporaryFile) {
  testsupport::TempDir dir;
  const std::string path = (dir / "check1995.out").string();
  testsupport::spit(path, "older");
  const pid_t pid = ::fork();
  if (pid == 0) {
    Listing listing(path);
    listing.write("half");
    std::raise(SIGTERM);
    _exit(0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
  EXPECT_EQ(testsupport::slurp(path), "older");
  EXPECT_EQ(files_in(dir.path()), 1);
}
#endif

}  // namespace
}  // namespace membrelv2
