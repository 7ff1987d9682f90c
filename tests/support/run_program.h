// Test helpers: run a built program in a scratch working directory and inspect its files.
#pragma once

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// What a finished program left behind.
struct ProgramResult {
  int exit_status = -1;     // exit status, or 128 + signal number when killed by a signal
  std::string out;          // standard output
  std::string err;          // standard error
  long peak_memory_kb = 0;  // the largest resident set the process reached (POSIX systems)
};

// How long a started program may run before the test stops it and fails, naming it (Windows, where
// a program started under Wine that never ends would otherwise hold the test until CTest's limit).
constexpr unsigned long kProgramTimeLimitSeconds = 300;

struct RunOptions {
  long long file_size_limit = -1;  // RLIMIT_FSIZE in bytes (SIGXFSZ ignored); -1: no limit
  long long memory_limit = -1;     // RLIMIT_AS in bytes; -1: no limit
  // Leaves SIGXFSZ at its default action (ending the process) under the file size limit, as a
  // shell's `ulimit -f` does: the program itself must keep it from ending the run (POSIX).
  bool default_file_size_signal = false;
  // Where standard output goes instead of being captured, e.g. "/dev/full" (POSIX); the
  // result's `out` is then empty.
  std::string stdout_file;
};

// Whether run_program() can impose a file size limit here, which stands in for a full disk:
// POSIX resource limits, which Windows lacks.
bool can_limit_file_size();

// Skips the rest of the current test where no file size limit can stand in for a full disk.
#define SKIP_WITHOUT_FILE_SIZE_LIMIT()                   \
  if (!testsupport::can_limit_file_size()) {             \
    GTEST_SKIP() << "no file size limit on this system"; \
  }

// Runs `exe` with `args` in `workdir`, with empty standard input, and waits for it.
ProgramResult run_program(const std::string& exe, const std::vector<std::string>& args,
                          const std::filesystem::path& workdir, const RunOptions& options = {});

// A fresh directory under the system's temporary directory, removed with its contents.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

#ifndef _WIN32
// A program started as run_program() does, left running until finish(): a test may send it a
// signal meanwhile. Finished by the destructor (killed) if the test did not finish it. (POSIX
// systems only: the tests that use it are about signals.)
class RunningProgram {
 public:
  RunningProgram(const std::string& exe, const std::vector<std::string>& args,
                 const std::filesystem::path& workdir, const RunOptions& options = {});
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  // Sends `signal_number` to the program.
  void signal(int signal_number);
  // Whether the program has not ended yet.
  bool running();
  // Stops the program where it stands (false when it ended first); resume() lets it go on.
  bool hold();
  void resume() { signal(SIGCONT); }
  // Waits for the program's end.
  ProgramResult finish();

 private:
  int pid_ = -1;
  int status_ = -1;  // its wait status once running() saw it end
  rusage usage_{};
  TempDir capture_;  // where its standard output and error go
};
#endif

// Reads a whole file as bytes; fails the current test when it cannot be read.
std::string slurp(const std::filesystem::path& file);
// Writes `bytes` to `file`, creating parent directories.
void spit(const std::filesystem::path& file, const std::string& bytes);
// The source tree's root (from RECHARGE_SOURCE_DIR, set by CTest).
std::filesystem::path source_dir();

}  // namespace testsupport
