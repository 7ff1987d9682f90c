// Plot files, monthly recharge grids, acreage grid and check listing totals.
#include "membrelv2/outputs.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "membrelv2/file_ops.h"
#include "membrelv2/freeline.h"
#include "membrelv2/signal_cleanup.h"
#include "membrelv2/stop.h"

namespace membrelv2 {
namespace {

[[noreturn]] void cannot_create(const std::string& path, int error) {
  stop("cannot create output file " + path + ": " + std::strerror(error));
}

[[noreturn]] void cannot_write(const std::string& path, int error) {
  stop("cannot write output file " + path + ": " + std::strerror(error));
}

// Writes all of `content` to `fd`; returns 0 or the error number.
int write_all(int fd, std::string_view content) {
  while (!content.empty()) {
    const long long got = file_ops::write_some(fd, content);
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
// file cannot be created. A device or a named pipe under `path` is opened as it stands
// instead, with `temp` left empty.
static int create_temp(const std::string& path, std::string& temp) {
  bool in_place = false;
  const int refused = file_ops::refusal_of(path, in_place);
  if (refused != 0) cannot_create(path, refused);
  if (in_place) {
    temp.clear();
    const int fd = file_ops::open_in_place(path);
    if (fd < 0) cannot_create(path, errno);
    return fd;
  }
  static unsigned long count = 0;
  const std::string directory = file_ops::directory_of(path);
  for (int attempt = 0;; ++attempt) {
    const long pid = file_ops::process_id();
    temp = directory + ".tmp" + std::to_string(pid) + "." + std::to_string(++count);
    if (!hold_for_cleanup(temp.c_str())) cannot_create(path, ENAMETOOLONG);
    const int fd = file_ops::create_new(temp);
    if (fd >= 0) return fd;
    const int error = errno;
    release_from_cleanup(temp.c_str());
    if (error != EEXIST || attempt == 99) cannot_create(path, error);
  }
}

// Closes the temporary file `fd` unless it is -1 and removes it.
static void discard_temp(int fd, const std::string& temp) {
  if (fd >= 0) file_ops::close_fd(fd);
  if (temp.empty()) return;  // a device written in place
  file_ops::remove_quietly(temp.c_str());
  release_from_cleanup(temp.c_str());
}

// Writes `content` to the temporary file `fd` and renames it over `path`. Stops the run when
// that fails, with the temporary file removed.
static void finish_temp(int fd, const std::string& temp, const std::string& path,
                        std::string_view content) {
  int error = write_all(fd, content);
  if (file_ops::close_fd(fd) != 0 && error == 0) error = errno;
  if (temp.empty()) {  // a device written in place
    if (error != 0) cannot_write(path, error);
    return;
  }
  if (error == 0 && !file_ops::rename_over(temp, path)) {
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

namespace {

// Stops the run when `value`, a sum of the run, overflowed: no listing or grid takes it.
void check_finite(float value, const std::string& what) {
  if (!std::isfinite(value)) stop(what + " overflows: " + format_real(value));
}

// Stops the run when a cell of `grid` is no finite number, before its plot file is written.
void check_finite_cells(const float* grid, const std::string& what) {
  for (int row = 1; row <= kNrow; ++row) {
    for (int column = 1; column <= kNcol; ++column) {
      const float value = grid[cell_index(column, row)];
      // The cell's name is made only for the message, not for each of the grid's cells.
      if (!std::isfinite(value)) {
        check_finite(value,
                     what + " at row " + std::to_string(row) + " column " + std::to_string(column));
      }
    }
  }
}

// The grid `values` as the file `name`, with a warning for the cells too wide for one decimal.
void write_grid(const std::string& name, const float* values, std::string& grid) {
  grid.clear();
  WideCells wide;
  append_grid(grid, values, &wide);
  write_whole(name, grid);
  if (wide.count > 0) {
    std::fprintf(stderr,
                 "membrelv2: warning: %s row %d column %d: %s too wide for one decimal, written "
                 "as \"%s\" (%d cell%s)\n",
                 name.c_str(), wide.row, wide.column, format_real(wide.value).c_str(),
                 wide.written.c_str(), wide.count, wide.count == 1 ? "" : "s");
  }
}

}  // namespace

void writeoutputs(const Tables& tables, const DiversionTotals& diversions,
                  const Distribution& distribution, Listing& check, std::FILE* out) {
  const std::string& year = tables.year;
  std::fputs(FreeLine().text("..writing plot files for returns and acreage").str().c_str(), out);
  check_finite_cells(tables.swret, "return flow");
  check_finite_cells(tables.acres, "acreage");
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
    // Every cell of a finite total of cells of one sign is finite too; one of mixed signs
    // that overflowed gives no number.
    check_finite(total, "recharge of month " + std::to_string(month));
    check_finite_cells(work.get(), "recharge of month " + std::to_string(month));
    write_grid(name, work.get(), grid);
    check.write(FreeLine().integer(month).real(total).str());
    annual += total;
  }
  check_finite(annual, "recharge of the year");

  float total_acres = 0;
  for (int at = 0; at < kNcell; ++at) total_acres += tables.acres[at];
  check_finite(total_acres, "total acreage");
  write_grid("ks/" + year + ".asw", tables.acres, grid);
  check_finite(diversions.unauthorized_return, "unauthorized return flow");
  check_finite(diversions.unauthorized_acres, "unauthorized acreage");
  check_finite(diversions.diversion, "total diversion");
  check_finite(distribution.lost_return, "lost return flow");
  check_finite(distribution.lost_acres, "lost acreage");

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
