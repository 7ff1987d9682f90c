// Test helpers for outputs that are not plain files: a device node and the reading end of a
// named pipe, both made in a test's scratch folder (POSIX systems only).
#pragma once

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace testsupport {

// A device of the kind of /dev/null (character device 1,3), made at `path`.
inline bool make_null_device(const std::filesystem::path& path) {
  return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
}

// The reading end of a named pipe, opened without waiting so a writer can open the other end;
// rest() takes what the writer left once it has closed.
class PipeReader {
 public:
  explicit PipeReader(const std::filesystem::path& path)
      : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK)) {}
  ~PipeReader() {
    if (fd_ >= 0) ::close(fd_);
  }
  PipeReader(const PipeReader&) = delete;
  PipeReader& operator=(const PipeReader&) = delete;
  bool ok() const { return fd_ >= 0; }
  std::string rest() {
    std::string bytes;
    char buffer[4096];
    for (ssize_t got; (got = ::read(fd_, buffer, sizeof buffer)) > 0;) bytes.append(buffer, got);
    return bytes;
  }

 private:
  int fd_;
};

}  // namespace testsupport
#endif
