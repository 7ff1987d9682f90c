// Reading input files on Windows: binary mode, so a CR before each LF stays for the readers to
// handle as they do on POSIX, and a Ctrl-Z is a byte like any other.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "utl/input_ops.h"
#include "utl/win32_path.h"

namespace utl::input_ops {
namespace {

// The C library here counts in unsigned int: large reads go in pieces.
unsigned piece(std::size_t size) {
  return static_cast<unsigned>(size < (1u << 30) ? size : 1u << 30);
}

}  // namespace

int open_read(const char* path) {
  return ::_wopen(wide_path(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

bool describe(int fd, Kind& kind) {
  struct _stat64 info {};
  if (::_fstat64(fd, &info) != 0) return false;
  kind.directory = (info.st_mode & _S_IFMT) == _S_IFDIR;
  kind.regular = (info.st_mode & _S_IFMT) == _S_IFREG;
  kind.size = kind.regular && info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
  return true;
}

long long read_some(int fd, char* buffer, std::size_t size) {
  return ::_read(fd, buffer, piece(size));
}

long long read_some_at(int fd, char* buffer, std::size_t size, std::uint64_t offset) {
  if (::_lseeki64(fd, static_cast<long long>(offset), SEEK_SET) < 0) return -1;
  return ::_read(fd, buffer, piece(size));
}

void close_input(int fd) noexcept { ::_close(fd); }

}  // namespace utl::input_ops
