// Reading input files on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "utl/input_ops.h"

namespace utl::input_ops {

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

}  // namespace utl::input_ops
