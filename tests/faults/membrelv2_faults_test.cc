// membrelv2 against faults of its files: each ends with its diagnostic on standard error and
// exit status 1. Every file under ks/ is afterwards either as an earlier run left it or whole as
// this run wrote it: nothing half-written, nothing older lost.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "tests/faults/fault_support.h"
#include "tests/support/run_program.h"

namespace {

namespace fs = std::filesystem;
using testsupport::spit;

// The two listings, which a run that fails after creating them leaves as far as it got.
const char* const kListings[] = {"ks/output1995.dat", "ks/check1995.out"};

// The outputs of a run of 1995.
const char* const kOutputs[] = {"output1995.dat",      "check1995.out", "swretgrid1995.dat",
                                "swacresgrid1995.dat", "1995.05.rcs",   "1995.06.rcs",
                                "1995.07.rcs",         "1995.08.rcs",   "1995.09.rcs",
                                "1995.10.rcs",         "1995.asw"};

class Membrelv2Faults : public ::testing::Test {
 protected:
  Membrelv2Faults() {
    faults::copy_membrelv2_example(testsupport::source_dir(), dir_.path());
    // What the run writes when nothing goes wrong.
    const auto clean = testsupport::run_program(MEMBRELV2_EXE, {"1995"}, work_);
    EXPECT_EQ(clean.exit_status, 0) << clean.err;
    complete_ = faults::snapshot(work_);
    // Outputs of an earlier run, which a failing run must not lose or leave half-written.
    for (const char* name : kOutputs) spit(work_ / "ks" / name, std::string("earlier ") + name);
    spit(work_ / "ks" / "1994.asw", "another year\n");
  }

  // With a small file size limit the progress lines on standard output, which the test
  // captures in a file, would hit the limit before the program's own files: they then go to
  // /dev/null, which has no size.
  testsupport::ProgramResult membrelv2(const testsupport::RunOptions& options = {}) {
    if (options.file_size_limit >= 0 && options.file_size_limit < 100000) {
      return testsupport::run_program(
          "/bin/sh", {"-c", "exec \"$0\" 1995 >/dev/null", MEMBRELV2_EXE}, work_, options);
    }
    return testsupport::run_program(MEMBRELV2_EXE, {"1995"}, work_, options);
  }

  // Runs membrelv2 and checks the failure: a diagnostic beginning with `diagnostic`, status 1,
  // and every file either as it was or as a complete run writes it (the listings are checked
  // only with `listings_too`).
  void expect_stop(const std::string& diagnostic, const testsupport::RunOptions& options = {},
                   bool listings_too = false) {
    auto before = faults::snapshot(work_);
    auto result = membrelv2(options);
    // The warnings for grids written before the failure come first.
    while (result.err.starts_with("membrelv2: warning: ")) {
      result.err.erase(0, result.err.find('\n') + 1);
    }
    EXPECT_EQ(result.err.rfind("membrelv2: " + diagnostic, 0), 0u) << result.err;
    EXPECT_EQ(result.err.back(), '\n');
    EXPECT_EQ(result.exit_status, 1);
    auto after = faults::snapshot(work_);
    if (!listings_too) {
      for (const char* listing : kListings) before.erase(listing), after.erase(listing);
    }
    for (const auto& [name, bytes] : before) {
      EXPECT_EQ(after.count(name), 1u) << name << " was removed";
    }
    for (const auto& [name, bytes] : after) {
      const auto old = before.find(name);
      const auto whole = complete_.find(name);
      const bool kept = old != before.end() && old->second == bytes;
      const bool written = whole != complete_.end() && whole->second == bytes;
      EXPECT_TRUE(kept || written) << name << " is neither its older self nor whole";
    }
  }

  // The listings after a failure: the exceptions whole, the first `lines` lines of the check.
  void expect_listings_up_to(std::size_t lines) {
    EXPECT_EQ(testsupport::slurp(work_ / kListings[0]), complete_.at(kListings[0]));
    const std::string& check = complete_.at(kListings[1]);
    std::size_t end = 0;
    for (std::size_t n = 0; n < lines; ++n) end = check.find('\n', end) + 1;
    EXPECT_EQ(testsupport::slurp(work_ / kListings[1]), check.substr(0, end));
  }

  testsupport::TempDir dir_;
  fs::path work_ = dir_ / "work";
  std::map<std::string, std::string> complete_;
};

TEST_F(Membrelv2Faults, TheSetUpRunsCleanly) {
  for (const char* name : kOutputs) {
    EXPECT_EQ(complete_.count(std::string("ks/") + name), 1u) << name;
  }
}

TEST_F(Membrelv2Faults, OutputDirectoryMissing) {
  fs::remove_all(work_ / "ks");
  expect_stop("cannot create output file ks/output1995.dat: ");
  EXPECT_FALSE(fs::exists(work_ / "ks"));
}

TEST_F(Membrelv2Faults, OutputDirectoryIsARegularFile) {
  fs::remove_all(work_ / "ks");
  spit(work_ / "ks", "a file where the directory should be\n");
  expect_stop("cannot create output file ks/output1995.dat: ");
}

TEST_F(Membrelv2Faults, OutputDirectoryNotWritable) {
  faults::Unwritable locked(work_ / "ks");
  if (!locked.ok()) GTEST_SKIP() << "cannot make a directory unwritable here";
  expect_stop("cannot create output file ks/");
}

TEST_F(Membrelv2Faults, ProtectedOutputsAreRefusedBeforeWriting) {
  fs::remove(work_ / "ks" / "1995.asw");
  fs::create_directory(work_ / "ks" / "1995.asw");
  expect_stop("cannot create output file ks/1995.asw: Is a directory");
  fs::remove(work_ / "ks" / "1995.asw");
  faults::Unwritable locked(work_ / "ks" / "check1995.out");
  if (!locked.ok()) GTEST_SKIP() << "cannot protect a file here";
  expect_stop("cannot create output file ks/check1995.out: ", {}, true);
}

TEST_F(Membrelv2Faults, DiskFullWhileWritingTheGrids) {
  SKIP_WITHOUT_FILE_SIZE_LIMIT();
  // Small enough for the listings and plot files, too small for a monthly grid.
  const std::size_t smallest_grid = complete_.at("ks/1995.05.rcs").size();
  testsupport::RunOptions full;
  full.file_size_limit = static_cast<long long>(smallest_grid / 2);
  expect_stop("cannot write output file ks/1995.05.rcs: ", full);
  expect_listings_up_to(1);
}

TEST_F(Membrelv2Faults, DiskFullAtThePlotFiles) {
  SKIP_WITHOUT_FILE_SIZE_LIMIT();
  // Room for the listings, not for the plot of the return flows.
  ASSERT_LT(complete_.at("ks/check1995.out").size(), 1000u);
  ASSERT_GT(complete_.at("ks/swretgrid1995.dat").size(), 1000u);
  testsupport::RunOptions full;
  full.file_size_limit = 1000;
  expect_stop("cannot write output file ks/swretgrid1995.dat: ", full);
}

// A failed product leaves both listings whole as far as the run got, not older ones beside new
// grids they do not describe: at the plot files the check listing holds no line yet, at the
// acreage grid every month's two lines.
TEST_F(Membrelv2Faults, ListingsSurviveAFailedRun) {
  SKIP_WITHOUT_FILE_SIZE_LIMIT();
  testsupport::RunOptions full;
  full.file_size_limit = 1000;
  expect_stop("cannot write output file ks/swretgrid1995.dat: ", full);
  expect_listings_up_to(0);

  fs::remove(work_ / "ks" / "1995.asw");
  fs::create_directory(work_ / "ks" / "1995.asw");
  expect_stop("cannot create output file ks/1995.asw: Is a directory");
  expect_listings_up_to(12);
}

// A listing that cannot be created stops the run before any plot file or grid is touched.
TEST_F(Membrelv2Faults, ListingNameTakenByADirectory) {
  fs::remove(work_ / kListings[1]);
  fs::create_directory(work_ / kListings[1]);
  const auto before = faults::snapshot(work_);
  expect_stop("cannot create output file ks/check1995.out: Is a directory\n", {}, true);
  EXPECT_EQ(faults::snapshot(work_), before);
}

TEST_F(Membrelv2Faults, InputMissing) {
  fs::remove(dir_ / "data" / "ks" / "sw" / "membrel1995.txt");
  expect_stop("cannot open input file ../data/ks/sw/membrel1995.txt: ");
  fs::remove(dir_ / "static" / "02.ibound");
  expect_stop("cannot open input file ../static/02.ibound: ");
}

TEST_F(Membrelv2Faults, InputIsADirectory) {
  fs::remove(dir_ / "data" / "ks" / "40coords.dat");
  fs::create_directory(dir_ / "data" / "ks" / "40coords.dat");
  expect_stop("cannot read input file ../data/ks/40coords.dat");
}

#ifndef _WIN32  // no endless device to read there
TEST_F(Membrelv2Faults, EndlessInputStopsAtTheLineLimit) {
  const fs::path ibound = dir_ / "static" / "02.ibound";
  fs::remove(ibound);
  fs::create_symlink("/dev/zero", ibound);
  expect_stop("cannot read input file ../static/02.ibound: a line longer than 16 MiB");
}
#endif

TEST_F(Membrelv2Faults, InputCutShort) {
  const fs::path ibound = dir_ / "static" / "02.ibound";
  const std::string whole = testsupport::slurp(ibound);
  spit(ibound, whole.substr(0, whole.size() / 2));
  expect_stop("../static/02.ibound");
}

}  // namespace
