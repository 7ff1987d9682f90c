// The toolkit's file operations and stopping signals on POSIX systems.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include "utl/file_ops.h"

namespace utl::file_ops {

int open_read(const char* path) { return ::open(path, O_RDONLY | O_CLOEXEC); }

bool describe(int fd, Kind& kind) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return false;
  kind.directory = S_ISDIR(info.st_mode);
  kind.regular = S_ISREG(info.st_mode);
  kind.size = kind.regular && info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
  return true;
}

long long read_some(int fd, char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t got = ::read(fd, buffer, size);
    if (got >= 0 || errno != EINTR) return got;
  }
}

long long read_some_at(int fd, char* buffer, std::size_t size, std::uint64_t offset) {
  for (;;) {
    const ssize_t got = ::pread(fd, buffer, size, static_cast<off_t>(offset));
    if (got >= 0 || errno != EINTR) return got;
  }
}

void close_input(int fd) noexcept { ::close(fd); }

int create_new(const char* path, int& error) {
  // Read and write for everyone, less the umask: the permissions a new file of the final name
  // would get.
  const int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) error = errno;
  return fd;
}

bool write_all(int fd, std::string_view bytes, int& error) {
  while (!bytes.empty()) {
    const ssize_t done = ::write(fd, bytes.data(), bytes.size());
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) {
      error = done < 0 ? errno : EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(done));
  }
  return true;
}

bool close_checked(int fd, int& error) {
  // A failed close has closed the descriptor all the same; trying again could close another.
  if (::close(fd) == 0) return true;
  error = errno;
  return false;
}

bool replace(const char* from, const char* to, int& error) {
  if (std::rename(from, to) == 0) return true;
  error = errno;
  return false;
}

void remove_quietly(const char* path) noexcept { ::unlink(path); }

long process_id() noexcept { return static_cast<long>(::getpid()); }

Placement placement_of(const char* path, int& error) {
  struct stat info {};
  if (::lstat(path, &info) != 0) {
    if (errno == ENOENT) return Placement::kReplace;  // a new file; its directory is checked later
    error = errno;
    return Placement::kRefused;
  }
  if (S_ISLNK(info.st_mode)) {
    // The link is replaced unless it leads to a device or a pipe (/dev/stdout), which is written
    // through it as the user means.
    struct stat pointed {};
    if (::stat(path, &pointed) != 0 || S_ISREG(pointed.st_mode) || S_ISDIR(pointed.st_mode)) {
      return Placement::kReplace;
    }
    return Placement::kInPlace;
  }
  if (S_ISDIR(info.st_mode)) {
    error = EISDIR;
    return Placement::kRefused;
  }
  if (!S_ISREG(info.st_mode)) return Placement::kInPlace;
  // By the effective user, as opening the file for writing would check: read-only files, a
  // read-only file system and the immutable attribute all refuse.
  if (::faccessat(AT_FDCWD, path, W_OK, AT_EACCESS) != 0) {
    error = errno;
    return Placement::kRefused;
  }
  return Placement::kReplace;
}

int open_in_place(const char* path, int& error) {
  int fd = -1;
  do {
    fd = ::open(path, O_WRONLY | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) error = errno;
  return fd;
}

std::size_t last_separator(std::string_view path) noexcept { return path.rfind('/'); }

void install_stop_handler(void (*handler)(int)) noexcept {
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
    struct sigaction action {};
    // A signal the caller set to be ignored (nohup, a shell's background job) stays ignored.
    if (::sigaction(signal_number, nullptr, &action) != 0 || action.sa_handler == SIG_IGN) {
      continue;
    }
    action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    // One handler at a time: the others wait while it runs.
    for (const int other : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) sigaddset(&action.sa_mask, other);
    action.sa_flags = SA_RESTART;
    ::sigaction(signal_number, &action, nullptr);
  }
}

void ignore_file_size_signal() noexcept { std::signal(SIGXFSZ, SIG_IGN); }

}  // namespace utl::file_ops
