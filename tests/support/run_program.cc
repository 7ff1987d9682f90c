// Runs programs under test as real processes, in their own working directory, capturing both
// output streams: fork and exec on POSIX systems, CreateProcess on Windows.
#include "tests/support/run_program.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace testsupport {

#ifdef _WIN32
namespace {

// One argument quoted as the C runtime of the started program splits its command line: in
// double quotes, with backslashes doubled only where they precede a quote.
std::wstring quoted(const std::wstring& argument) {
  std::wstring text = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    text.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    text += c;
  }
  text.append(2 * backslashes, L'\\');
  return text + L"\"";
}

// A handle the child inherits, for standard input (the null device) or an output capture.
HANDLE inheritable(const std::filesystem::path& file, bool write) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreateFileW(file.c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                     FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                     write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The console's line ends become LF, so expected messages read the same on both systems.
std::string without_cr(std::string text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n') plain += text[i];
  }
  return plain;
}

// What the system said of the last failed call, for a test's failure message.
std::string last_error_text() {
  const DWORD code = GetLastError();
  char text[512] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                 sizeof text, nullptr);
  return "error " + std::to_string(code) + ": " + text;
}

}  // namespace

bool can_limit_file_size() { return false; }

ProgramResult run_program(const std::string& exe, const std::vector<std::string>& args,
                          const std::filesystem::path& workdir, const RunOptions& options) {
  ProgramResult result;
  if (options.file_size_limit >= 0 || options.memory_limit >= 0) {
    ADD_FAILURE() << "no file size or memory limits on this system";
    return result;
  }
  TempDir capture;
  std::wstring command = quoted(std::filesystem::path(exe).wstring());
  for (const std::string& a : args) command += L" " + quoted(std::filesystem::path(a).wstring());
  HANDLE in = inheritable(L"NUL", false);
  HANDLE out = inheritable(capture / "stdout", true);
  HANDLE err = inheritable(capture / "stderr", true);
  if (in == INVALID_HANDLE_VALUE || out == INVALID_HANDLE_VALUE || err == INVALID_HANDLE_VALUE) {
    ADD_FAILURE() << "cannot open the standard streams for " << exe << " (" << last_error_text()
                  << ")";
    for (HANDLE h : {in, out, err}) {
      if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    return result;
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in, startup.hStdOutput = out, startup.hStdError = err;
  PROCESS_INFORMATION process{};
  const std::wstring directory = workdir.wstring();
  const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      directory.c_str(), &startup, &process);
  const std::string start_error = started ? "" : last_error_text();
  for (HANDLE h : {in, out, err}) CloseHandle(h);
  if (!started) {
    ADD_FAILURE() << "cannot run " << exe << " in " << workdir.string() << " (" << start_error
                  << ")";
    return result;
  }
  DWORD status = 0;
  if (WaitForSingleObject(process.hProcess, kProgramTimeLimitSeconds * 1000) == WAIT_TIMEOUT) {
    TerminateProcess(process.hProcess, 124);
    WaitForSingleObject(process.hProcess, INFINITE);
    ADD_FAILURE() << exe << " did not end within " << kProgramTimeLimitSeconds
                  << " s and was stopped";
  }
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  result.exit_status = static_cast<int>(status);
  result.out = without_cr(slurp(capture / "stdout"));
  result.err = without_cr(slurp(capture / "stderr"));
  return result;
}

#else
namespace {

std::string read_fd(int fd) {
  std::string text;
  char buffer[65536];
  for (;;) {
    ssize_t got = read(fd, buffer, sizeof buffer);
    if (got > 0) {
      text.append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0 || errno != EINTR) {
      break;
    }
  }
  close(fd);
  return text;
}

}  // namespace

RunningProgram::RunningProgram(const std::string& exe, const std::vector<std::string>& args,
                               const std::filesystem::path& workdir, const RunOptions& options) {
  // Output goes to files rather than pipes so a chatty program can never block on a full pipe.
  const std::string out_path = (capture_ / "stdout").string();
  const std::string err_path = (capture_ / "stderr").string();
  std::vector<std::string> argv_text{exe};
  argv_text.insert(argv_text.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argv_text) argv.push_back(a.data());
  argv.push_back(nullptr);

  pid_ = fork();
  if (pid_ == 0) {
    int in = open("/dev/null", O_RDONLY);
    const std::string& out_name = options.stdout_file.empty() ? out_path : options.stdout_file;
    int out = open(out_name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0) _exit(126);
    dup2(in, 0), dup2(out, 1), dup2(err, 2);
    if (chdir(workdir.c_str()) != 0) _exit(126);
    if (options.file_size_limit >= 0) {
      ::signal(SIGXFSZ, options.default_file_size_signal ? SIG_DFL : SIG_IGN);
      rlimit limit{static_cast<rlim_t>(options.file_size_limit),
                   static_cast<rlim_t>(options.file_size_limit)};
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    if (options.memory_limit >= 0) {
      rlimit limit{static_cast<rlim_t>(options.memory_limit),
                   static_cast<rlim_t>(options.memory_limit)};
      setrlimit(RLIMIT_AS, &limit);
    }
    execv(exe.c_str(), argv.data());
    _exit(127);
  }
  if (pid_ < 0) ADD_FAILURE() << "cannot start " << exe;
}

RunningProgram::~RunningProgram() {
  if (pid_ > 0) {
    signal(SIGKILL);
    finish();
  }
}

void RunningProgram::signal(int signal_number) {
  if (pid_ > 0 && status_ < 0) kill(pid_, signal_number);
}

bool RunningProgram::running() {
  if (pid_ <= 0 || status_ >= 0) return false;
  int status = 0;
  if (wait4(pid_, &status, WNOHANG, &usage_) != pid_) return true;
  status_ = status;
  return false;
}

bool RunningProgram::hold() {
  if (pid_ <= 0 || status_ >= 0) return false;
  kill(pid_, SIGSTOP);
  int status = 0;
  if (wait4(pid_, &status, WUNTRACED, &usage_) != pid_) return false;
  if (WIFSTOPPED(status)) return true;
  status_ = status;
  return false;
}

ProgramResult RunningProgram::finish() {
  ProgramResult result;
  const int pid = pid_;
  pid_ = -1;
  if (pid <= 0) return result;
  if (status_ < 0) {
    int status = 0;
    if (wait4(pid, &status, 0, &usage_) != pid) {
      ADD_FAILURE() << "cannot wait for the program";
      return result;
    }
    status_ = status;
  }
  const int status = status_;
  result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.peak_memory_kb = usage_.ru_maxrss;
  result.out = read_fd(open((capture_ / "stdout").c_str(), O_RDONLY));
  result.err = read_fd(open((capture_ / "stderr").c_str(), O_RDONLY));
  return result;
}

ProgramResult run_program(const std::string& exe, const std::vector<std::string>& args,
                          const std::filesystem::path& workdir, const RunOptions& options) {
  return RunningProgram(exe, args, workdir, options).finish();
}

bool can_limit_file_size() { return true; }
#endif

TempDir::TempDir() {
  std::random_device seed;
  std::mt19937_64 generator(seed());
  for (;;) {
    path_ = std::filesystem::temp_directory_path() /
            ("recharge-test-" + std::to_string(generator() % 1000000000ULL));
    if (std::filesystem::create_directory(path_)) break;
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Restore write permission on anything a test locked, so removal succeeds.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
  }
  std::filesystem::remove_all(path_, ignored);
}

std::string slurp(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot read " << file;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void spit(const std::filesystem::path& file, const std::string& bytes) {
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << bytes;
  ASSERT_TRUE(out.good()) << "cannot write " << file;
}

std::filesystem::path source_dir() {
  const char* dir = std::getenv("RECHARGE_SOURCE_DIR");
  return dir ? std::filesystem::path(dir) : std::filesystem::current_path();
}

}  // namespace testsupport
