// membrelv2's file operations and stopping signals on Windows: the wide (UTF-16) Windows and C
// library calls, given the names as UTF-8, as the toolkit's Windows layer does; binary mode
// throughout, and a rename that replaces an existing file, which the C library's rename there
// refuses to do. Names of MAX_PATH characters or more are not given the \\?\ form.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <csignal>

#include "membrelv2/file_ops.h"

namespace membrelv2::file_ops {
namespace {

// `path` in UTF-16: read as UTF-8, or in the system's code page when it is not valid UTF-8.
std::wstring widened(const char* path) {
  for (const UINT code_page : {static_cast<UINT>(CP_UTF8), static_cast<UINT>(CP_ACP)}) {
    const DWORD flags = code_page == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
    const int length = MultiByteToWideChar(code_page, flags, path, -1, nullptr, 0);
    if (length <= 0) continue;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(code_page, flags, path, -1, wide.data(), length);
    wide.pop_back();  // the terminating zero, which std::wstring keeps on its own
    return wide;
  }
  return {};
}

std::wstring widened(const std::string& path) { return widened(path.c_str()); }

// The error number of a failed Windows call on `path` that membrelv2 reports: a missing folder,
// or a refusal.
int errno_of(DWORD code) { return code == ERROR_PATH_NOT_FOUND ? ENOENT : EACCES; }

}  // namespace

int create_new(const std::string& path) {
  return ::_wopen(widened(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                  _S_IREAD | _S_IWRITE);
}

int open_in_place(const std::string& path) {
  return ::_wopen(widened(path).c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
}

long long write_some(int fd, std::string_view content) {
  // The count is an unsigned int here: large outputs go in pieces.
  return ::_write(fd, content.data(),
                  static_cast<unsigned>(content.size() < (1u << 30) ? content.size() : 1u << 30));
}

int close_fd(int fd) { return ::_close(fd); }

bool rename_over(const std::string& from, const std::string& to) {
  if (MoveFileExW(widened(from).c_str(), widened(to).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  errno = errno_of(GetLastError());
  return false;
}

void remove_quietly(const char* path) noexcept { ::_wunlink(widened(path).c_str()); }

long process_id() noexcept { return static_cast<long>(GetCurrentProcessId()); }

// As on POSIX: a directory or a read-only file refuses, a link is replaced by the file. (No
// device is written in place here.)
int refusal_of(const std::string& path, bool& in_place) {
  in_place = false;
  const DWORD attributes = GetFileAttributesW(widened(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD code = GetLastError();
    return code == ERROR_FILE_NOT_FOUND ? 0 : errno_of(code);
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EISDIR;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return 0;
  return (attributes & FILE_ATTRIBUTE_READONLY) ? EACCES : 0;
}

std::string directory_of(const std::string& path) {
  return path.substr(0, path.find_last_of("/\\") + 1);
}

// Ctrl-C reaches SIGINT through the C library; there is no hang-up or broken pipe signal.
void install_stop_handler(void (*handler)(int)) noexcept {
  for (const int signal_number : {SIGINT, SIGTERM}) std::signal(signal_number, handler);
}

void ignore_file_size_signal() noexcept {}

}  // namespace membrelv2::file_ops
