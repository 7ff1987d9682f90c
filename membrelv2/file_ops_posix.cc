// membrelv2's file operations and stopping signals on POSIX systems.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include "membrelv2/file_ops.h"

namespace membrelv2::file_ops {

int create_new(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

int open_in_place(const std::string& path) {
  int fd = -1;
  do {
    fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

long long write_some(int fd, std::string_view content) {
  return ::write(fd, content.data(), content.size());
}

int close_fd(int fd) { return ::close(fd); }

bool rename_over(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

void remove_quietly(const char* path) noexcept { ::unlink(path); }

long process_id() noexcept { return static_cast<long>(::getpid()); }

int refusal_of(const std::string& path, bool& in_place) {
  in_place = false;
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return errno == ENOENT ? 0 : errno;
  if (S_ISLNK(info.st_mode)) {
    struct stat pointed {};
    in_place = ::stat(path.c_str(), &pointed) == 0 && !S_ISREG(pointed.st_mode) &&
               !S_ISDIR(pointed.st_mode);
    return 0;
  }
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if (!S_ISREG(info.st_mode)) {
    in_place = true;
    return 0;
  }
  return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

std::string directory_of(const std::string& path) { return path.substr(0, path.rfind('/') + 1); }

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
    for (const int other : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) sigaddset(&action.sa_mask, other);
    action.sa_flags = SA_RESTART;
    ::sigaction(signal_number, &action, nullptr);
  }
}

void ignore_file_size_signal() noexcept { std::signal(SIGXFSZ, SIG_IGN); }

}  // namespace membrelv2::file_ops
