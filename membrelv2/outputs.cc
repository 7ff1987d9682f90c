// Plot files, monthly recharge grids, acreage grid and check listing totals.
#include "membrelv2/outputs.h"

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <memory>

#include "membrelv2/freeline.h"
#include "membrelv2/signal_cleanup.h"
#include "membrelv2/stop.h"

namespace membrelv2 {
namespace {

// The few system calls that differ between POSIX and Windows. On Windows files are opened in
// binary mode, so the bytes are the same on both, and the final rename replaces an existing file,
// which the C library's rename there refuses to do.
#ifdef _WIN32
int open_new(const std::string& path) {
  return ::_open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                 _S_IREAD | _S_IWRITE);
}
long long write_some(int fd, std::string_view content) {
  return ::_write(fd, content.data(),
                  static_cast<unsigned>(content.size() < (1u << 30) ? content.size() : 1u << 30));
}
int close_fd(int fd) { return ::_close(fd); }
long process_id() { return static_cast<long>(GetCurrentProcessId()); }
bool rename_over(const std::string& from, const std::string& to) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  errno = GetLastError() == ERROR_PATH_NOT_FOUND ? ENOENT : EACCES;
  return false;
}
// As on POSIX: a directory or a read-only file refuses, a link is replaced by the file.
int refusal_of(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD code = GetLastError();
    return code == ERROR_FILE_NOT_FOUND ? 0 : code == ERROR_PATH_NOT_FOUND ? ENOENT : EACCES;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EISDIR;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return 0;
  return (attributes & FILE_ATTRIBUTE_READONLY) ? EACCES : 0;
}
// Where the temporary file of `path` goes: its folder, with the separator ('/' or '\\').
std::string directory_of(const std::string& path) {
  return path.substr(0, path.find_last_of("/\\") + 1);
}
#else
int open_new(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
long long write_some(int fd, std::string_view content) {
  return ::write(fd, content.data(), content.size());
}
int close_fd(int fd) { return ::close(fd); }
long process_id() { return static_cast<long>(::getpid()); }
bool rename_over(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}
// Why the finished file may not take the name `path`, as an error number, or 0 when it may:
// nothing of that name, or a symbolic link (replaced by the file), or a file other than a
// directory that this user may write. A name the file system cannot take is refused too.
int refusal_of(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return errno == ENOENT ? 0 : errno;
  if (S_ISLNK(info.st_mode)) return 0;
  if (S_ISDIR(info.st_mode)) return EISDIR;
  return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 ? 0 : errno;
}
// Where the temporary file of `path` goes: its directory, with the separator.
std::string directory_of(const std::string& path) { return path.substr(0, path.rfind('/') + 1); }
#endif

[[noreturn]] void cannot_create(const std::string& path, int error) {
  stop("cannot create output file " + path + ": " + std::strerror(error));
}

[[noreturn]] void cannot_write(const std::string& path, int error) {
  stop("cannot write output file " + path + ": " + std::strerror(error));
}

// Writes all of `content` to `fd`; returns 0 or the error number.
int write_all(int fd, std::string_view content) {
  while (!content.empty()) {
    const long long got = write_some(fd, content);
    if (got < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    content.remove_prefix(static_cast<std::size_t>(got));
  }
  return 0;
}

}  // namespace

// Creates a new temporary file beside `path`, with a short name unique to this process whatever
// the length of `path`; O_EXCL keeps an unrelated file untouched. The name is ready for the
// signal cleanup before the file exists. Stops the run when `path` may not be replaced or the
// file cannot be created.
static int create_temp(const std::string& path, std::string& temp) {
  if (const int refused = refusal_of(path); refused != 0) cannot_create(path, refused);
  static unsigned long count = 0;
  const std::string directory = directory_of(path);
  for (int attempt = 0;; ++attempt) {
    temp = directory + ".tmp" + std::to_string(process_id()) + "." + std::to_string(++count);
    if (!hold_for_cleanup(temp.c_str())) cannot_create(path, ENAMETOOLONG);
    const int fd = open_new(temp);
    if (fd >= 0) return fd;
    const int error = errno;
    release_from_cleanup(temp.c_str());
    if (error != EEXIST || attempt == 99) cannot_create(path, error);
  }
}

// Closes the temporary file `fd` unless it is -1 and removes it.
static void discard_temp(int fd, const std::string& temp) {
  if (fd >= 0) close_fd(fd);
  std::remove(temp.c_str());
  release_from_cleanup(temp.c_str());
}

// Writes `content` to the temporary file `fd` and renames it over `path`. Stops the run when
// that fails, with the temporary file removed.
static void finish_temp(int fd, const std::string& temp, const std::string& path,
                        std::string_view content) {
  int error = write_all(fd, content);
  if (close_fd(fd) != 0 && error == 0) error = errno;
  if (error == 0 && !rename_over(temp, path)) {
    const int rename_error = errno;
    discard_temp(-1, temp);
    cannot_create(path, rename_error);
  }
  if (error != 0) {
    discard_temp(-1, temp);
    cannot_write(path, error);
  }
  release_from_cleanup(temp.c_str());
}

// create_temp refuses a directory under the listing's name now, which would otherwise refuse the
// rename only at the end of the run.
Listing::Listing(std::string path) : path_(std::move(path)) { fd_ = create_temp(path_, temp_); }

Listing::~Listing() {
  if (fd_ >= 0) discard_temp(fd_, temp_);
}

void Listing::write(std::string_view text) { text_ += text; }

void Listing::close() {
  const int fd = fd_;
  fd_ = -1;
  finish_temp(fd, temp_, path_, text_);
}

void write_whole(const std::string& path, std::string_view content) {
  std::string temp;
  const int fd = create_temp(path, temp);
  finish_temp(fd, temp, path, content);
}

std::string plot_text(const Tables& tables, const float* grid) {
  std::string text;
  for (int row = 1; row <= kNrow; ++row) {
    for (int column = 1; column <= kNcol; ++column) {
      const int at = cell_index(column, row);
      if (tables.ibound[at] == 0 || !(grid[at] > 0)) continue;
      const float x = (static_cast<float>(column) - 0.5f) * kCellWidth + kWestEdge;
      const float y = (static_cast<float>(166 - row) - 0.5f) * kCellHeight + kSouthEdge;
      text += FreeLine().real(x).real(y).real(grid[at]).integer(row).integer(column).str();
    }
  }
  return text;
}

float month_grid(const Tables& tables, int month, float* work) {
  float total = 0;
  for (int row = 1; row <= kNrow; ++row) {
    for (int column = 1; column <= kNcol; ++column) {
      const int at = cell_index(column, row);
      work[at] = 0;
      if (tables.swret[at] > 0) {
        const int county = tables.icty[at] == 0 ? 1 : tables.icty[at];
        work[at] = tables.monfac[county][month] * tables.swret[at];
        total += work[at];
      }
    }
  }
  return total;
}

std::string month_file(const std::string& year, int month) {
  static const char kMonthno[] = "010203040506070809101112";
  return "ks/" + year + "." + std::string(kMonthno + 2 * (month - 1), 2) + ".rcs";
}

void writeoutputs(const Tables& tables, const DiversionTotals& diversions,
                  const Distribution& distribution, Listing& check, std::FILE* out) {
  const std::string& year = tables.year;
  std::fputs(FreeLine().text("..writing plot files for returns and acreage").str().c_str(), out);
  write_whole("ks/swretgrid" + year + ".dat", plot_text(tables, tables.swret));
  write_whole("ks/swacresgrid" + year + ".dat", plot_text(tables, tables.acres));

  std::fputs(FreeLine().text("..writing monthly rcs files and asw file").str().c_str(), out);
  const auto work = std::make_unique<float[]>(kNcell);
  std::string grid;
  grid.reserve(kNrow * (kGridLineLength + 1));
  float annual = 0;
  for (int month = kFirstMonth; month <= kLastMonth; ++month) {
    const std::string name = month_file(year, month);
    check.write(FreeLine().text(name).str());
    const float total = month_grid(tables, month, work.get());
    grid.clear();
    append_grid(grid, work.get());
    write_whole(name, grid);
    check.write(FreeLine().integer(month).real(total).str());
    annual += total;
  }

  float total_acres = 0;
  for (int at = 0; at < kNcell; ++at) total_acres += tables.acres[at];
  grid.clear();
  append_grid(grid, tables.acres);
  write_whole("ks/" + year + ".asw", grid);

  check.write(FreeLine()
                  .real(annual)
                  .real(total_acres)
                  .real(diversions.unauthorized_return)
                  .real(diversions.unauthorized_acres)
                  .real(diversions.diversion)
                  .str());
  check.write(FreeLine().real(distribution.lost_return).real(distribution.lost_acres).str());
}

}  // namespace membrelv2
