// The toolkit's file operations and stopping signals on Windows: binary mode throughout, so a CR
// before each LF stays for the readers to handle as they do on POSIX and a Ctrl-Z is a byte like
// any other; and a rename that replaces an existing file, which the C library's rename there
// refuses to do.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <climits>
#include <csignal>

#include "utl/file_ops.h"
#include "utl/win32_path.h"

namespace utl::file_ops {
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

int create_new(const char* path, int& error) {
  const int fd =
      ::_wopen(wide_path(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
               _S_IREAD | _S_IWRITE);
  if (fd < 0) error = errno;
  return fd;
}

bool write_all(int fd, std::string_view bytes, int& error) {
  while (!bytes.empty()) {
    // The count is an unsigned int here: large outputs go in pieces.
    const auto piece = static_cast<unsigned>(bytes.size() < (1u << 30) ? bytes.size() : 1u << 30);
    const int done = ::_write(fd, bytes.data(), piece);
    if (done <= 0) {
      error = done < 0 ? errno : EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(done));
  }
  return true;
}

bool close_checked(int fd, int& error) {
  if (::_close(fd) == 0) return true;
  error = errno;
  return false;
}

bool replace(const char* from, const char* to, int& error) {
  // Write-through: the call returns once the new name is on the disk, as rename is on POSIX
  // journalled file systems.
  if (MoveFileExW(wide_path(from).c_str(), wide_path(to).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  const DWORD code = GetLastError();
  const DWORD target = GetFileAttributesW(wide_path(to).c_str());
  const bool to_directory =
      target != INVALID_FILE_ATTRIBUTES && (target & FILE_ATTRIBUTE_DIRECTORY) != 0;
  error = to_directory ? EISDIR : errno_from_windows(code);
  return false;
}

void remove_quietly(const char* path) noexcept { ::_wunlink(wide_path(path).c_str()); }

long process_id() noexcept { return static_cast<long>(GetCurrentProcessId()); }

Placement placement_of(const char* path, int& error) {
  const std::wstring name = wide_path(path);
  if (has_overlong_name(name)) {
    error = ENAMETOOLONG;
    return Placement::kRefused;
  }
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD code = GetLastError();
    // a new file; its folder is checked later
    if (code == ERROR_FILE_NOT_FOUND) return Placement::kReplace;
    error = errno_from_windows(code);
    return Placement::kRefused;
  }
  // a link, replaced by the file
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return Placement::kReplace;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    error = EISDIR;
    return Placement::kRefused;
  }
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    error = EACCES;
    return Placement::kRefused;
  }
  return Placement::kReplace;
}

int open_in_place(const char* path, int& error) {
  const int fd = ::_wopen(wide_path(path).c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
  if (fd < 0) error = errno;
  return fd;
}

std::size_t last_separator(std::string_view path) noexcept { return path.find_last_of("/\\"); }

// Ctrl-C reaches SIGINT through the C library; there is no hang-up or broken pipe signal.
void install_stop_handler(void (*handler)(int)) noexcept {
  for (const int signal_number : {SIGINT, SIGTERM}) std::signal(signal_number, handler);
}

void ignore_file_size_signal() noexcept {}

}  // namespace utl::file_ops
