// corvane stopped by a signal in the middle of the full-capacity benchmark basin (256 areas):
// the temporary file it was writing goes, it ends by that signal (status 128 + signal), the
// grids it finished are whole and the older files it had not reached are as they were.
#ifndef _WIN32  // the stopping signals and processes of POSIX systems
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "tests/faults/fault_support.h"
#include "tests/support/run_program.h"

namespace {

namespace fs = std::filesystem;

// A temporary file of a grid being written, or an empty path.
fs::path temporary_in(const fs::path& dir) {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(dir, error)) {
    if (entry.path().filename().string().starts_with(".tmp")) return entry.path();
  }
  return {};
}

std::size_t grids_in(const fs::path& dir) {
  std::size_t n = 0;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(dir, error))
    n += entry.path().extension() == ".rch";
  return n;
}

class CorvaneSignals : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    basin_ = new testsupport::TempDir;
    const std::string command =
        "/usr/bin/python3 '" + (testsupport::source_dir() / "bench" / "corvane_basin.py").string() +
        "' full '" + basin_->path().string() + "' > /dev/null";
    generated_ = std::system(command.c_str()) == 0;
  }
  static void TearDownTestSuite() { delete basin_; }

  void SetUp() override {
    if (!generated_) GTEST_SKIP() << "cannot generate the benchmark basin";
    // Ten years of the full basin, text grids into out/.
    std::string params = testsupport::slurp(basin_->path() / "text.par");
    params.replace(params.find("FILE out_text"), 13, "FILE out");
    params.replace(params.find("TRANSIENT 1940 2020"), 19, "TRANSIENT 1940 1949");
    testsupport::spit(work() / "signals.par", params);
  }

  static fs::path work() { return basin_->path(); }

  static testsupport::TempDir* basin_;
  static bool generated_;
};

testsupport::TempDir* CorvaneSignals::basin_ = nullptr;
bool CorvaneSignals::generated_ = false;

TEST_F(CorvaneSignals, TemporaryFileGoesAndTheRunEndsByTheSignal) {
  const fs::path out = work() / "out";
  fs::create_directories(out);
  ASSERT_EQ(testsupport::run_program(CORVANE_EXE, {"signals.par"}, work()).exit_status, 0);
  const auto complete = faults::snapshot(out);
  ASSERT_EQ(complete.size(), 80u);  // 7 months with returns and an area grid, for 10 years

  for (const int signal_number : {SIGTERM, SIGINT, SIGHUP}) {
    fs::remove_all(out);
    testsupport::spit(out / "1949.12.rch", "an earlier December\n");
    testsupport::spit(out / "1930.are", "an earlier area grid\n");
    testsupport::RunningProgram run(CORVANE_EXE, {"signals.par"}, work());
    // Caught in the act: a few grids finished and the next one's temporary file there while the
    // run is held still; the signal is delivered as it goes on.
    bool caught = false;
    while (!caught && run.running()) {
      if (grids_in(out) < 4 || temporary_in(out).empty()) {
        std::this_thread::yield();
        continue;
      }
      if (!run.hold()) break;
      caught = !temporary_in(out).empty();
      if (caught) run.signal(signal_number);
      run.resume();
    }
    const auto result = run.finish();
    ASSERT_TRUE(caught) << "the run ended before a grid was caught being written";
    EXPECT_EQ(result.exit_status, 128 + signal_number);
    EXPECT_EQ(result.out, "");
    auto left = faults::snapshot(out);
    EXPECT_EQ(left["1949.12.rch"], "an earlier December\n");
    EXPECT_EQ(left["1930.are"], "an earlier area grid\n");
    left.erase("1949.12.rch"), left.erase("1930.are");
    EXPECT_GE(left.size(), 3u);
    for (const auto& [name, bytes] : left) {
      EXPECT_TRUE(complete.contains(name) && complete.at(name) == bytes) << name << " not whole";
    }
  }
}

}  // namespace

#endif
