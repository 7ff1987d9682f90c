// File operations beneath the safe output, on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "utl/file_ops.h"

namespace utl::file_ops {

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

bool may_replace(const char* path, int& error) {
  struct stat info {};
  if (::lstat(path, &info) != 0) {
    if (errno == ENOENT) return true;  // a new file; its directory is checked by creation
    error = errno;
    return false;
  }
  if (S_ISLNK(info.st_mode)) return true;
  if (S_ISDIR(info.st_mode)) {
    error = EISDIR;
    return false;
  }
  // By the effective user, as opening the file for writing would check: read-only files, a
  // read-only file system and the immutable attribute all refuse.
  if (::faccessat(AT_FDCWD, path, W_OK, AT_EACCESS) != 0) {
    error = errno;
    return false;
  }
  return true;
}

}  // namespace utl::file_ops
