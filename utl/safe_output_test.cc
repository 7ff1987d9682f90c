#include "utl/safe_output.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "run_program.h"

namespace utl {
namespace {

std::size_t files_in(const std::filesystem::path& dir) {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) ++n;
  return n;
}

TEST(SafeOutput, TargetAppearsOnlyOnCommit) {
  testsupport::TempDir dir;
  const auto target = dir / "grid.rch";
  {
    SafeOutput out(target.string());
    ASSERT_TRUE(out.ok());
    EXPECT_TRUE(out.write("values"));
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_TRUE(out.commit());
  }
  EXPECT_EQ(testsupport::slurp(target), "values");
  EXPECT_EQ(files_in(dir.path()), 1u);
}

TEST(SafeOutput, AbandonedOutputLeavesTheOlderFileAndNoTemporary) {
  testsupport::TempDir dir;
  const auto target = dir / "grid.rch";
  testsupport::spit(target, "older");
  {
    SafeOutput out(target.string());
    out.write("half");
  }
  EXPECT_EQ(testsupport::slurp(target), "older");
  EXPECT_EQ(files_in(dir.path()), 1u);
}

// The bytes land as written, with no CR added before a LF nor an end of file at a Ctrl-Z, and
// the commit replaces a file of the name, which a plain rename on Windows refuses to do.
TEST(SafeOutput, CommitReplacesAnOlderFileWithTheBytesAsWritten) {
  testsupport::TempDir dir;
  const auto target = dir / "grid.rch";
  testsupport::spit(target, "older, and longer than the new one");
  const std::string bytes(
      "1.5\n2.5\r\n\x1a"
      "3.5\0\n",
      15);
  {
    SafeOutput out(target.string());
    ASSERT_TRUE(out.ok());
    EXPECT_TRUE(out.write(bytes));
    EXPECT_TRUE(out.commit());
  }
  EXPECT_EQ(testsupport::slurp(target), bytes);
  EXPECT_EQ(files_in(dir.path()), 1u);
}

TEST(SafeOutput, MissingDirectoryIsNotOk) {
  testsupport::TempDir dir;
  SafeOutput out((dir / "no" / "grid.rch").string());
  EXPECT_FALSE(out.ok());
  EXPECT_FALSE(out.write("x"));
  EXPECT_FALSE(out.commit());
}

}  // namespace
}  // namespace utl
