#include "utl/safe_output.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <csignal>
#include <filesystem>

#include "tests/support/run_program.h"

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

#ifndef _WIN32  // the stopping signals and processes of POSIX systems
// Status of a child process that starts an output of `target` and is then sent `signal_number`,
// as the shell reports it: 128 + the signal that ended it, or its exit status.
int status_of_output_stopped_by(const std::filesystem::path& target, int signal_number,
                                bool ignored) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (ignored) std::signal(signal_number, SIG_IGN);
    SafeOutput out(target.string());
    out.write("half");
    std::raise(signal_number);
    _exit(out.commit() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

TEST(SafeOutput, StoppingSignalRemovesTheTemporaryFileAndEndsTheProcess) {
  testsupport::TempDir dir;
  const auto target = dir / "grid.rch";
  testsupport::spit(target, "older");
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
    EXPECT_EQ(status_of_output_stopped_by(target, signal_number, false), 128 + signal_number);
    EXPECT_EQ(testsupport::slurp(target), "older");
    EXPECT_EQ(files_in(dir.path()), 1u) << signal_number;
  }
  // A signal the caller had set to be ignored (nohup) stays ignored: the output is finished.
  EXPECT_EQ(status_of_output_stopped_by(target, SIGHUP, true), 0);
  EXPECT_EQ(testsupport::slurp(target), "half");
}
#endif

TEST(SafeOutput, SymbolicLinkIsReplacedByTheFile) {
#ifdef _WIN32
  GTEST_SKIP() << "no symbolic links for an ordinary user here";
#endif
  testsupport::TempDir dir;
  testsupport::spit(dir / "elsewhere", "older");
  std::filesystem::create_symlink(dir / "elsewhere", dir / "grid.rch");
  EXPECT_EQ(write_whole_file((dir / "grid.rch").string(), "new"), WholeFileStatus::kWritten);
  EXPECT_FALSE(std::filesystem::is_symlink(dir / "grid.rch"));
  EXPECT_EQ(testsupport::slurp(dir / "grid.rch"), "new");
  EXPECT_EQ(testsupport::slurp(dir / "elsewhere"), "older");
}

}  // namespace
}  // namespace utl
