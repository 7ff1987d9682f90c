// File operations beneath the safe output, on Windows: binary mode throughout, and a rename that
// replaces an existing file, which the C library's rename there refuses to do.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <climits>

#include "utl/file_ops.h"
#include "utl/win32_path.h"

namespace utl::file_ops {

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

}  // namespace utl::file_ops
