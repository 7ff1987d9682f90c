// Plot files, monthly recharge grids, acreage grid and check listing totals.
#include "membrelv2/outputs.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "membrelv2/freeline.h"
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
    const ssize_t got = ::write(fd, content.data(), content.size());
    if (got < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    content.remove_prefix(static_cast<std::size_t>(got));
  }
  return 0;
}

}  // namespace

Listing::Listing(std::string path) : path_(std::move(path)) {
  file_ = std::fopen(path_.c_str(), "w");
  if (file_ == nullptr) cannot_create(path_, errno);
}

Listing::~Listing() {
  if (file_ != nullptr) std::fclose(file_);
}

void Listing::write(std::string_view text) {
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() || std::fflush(file_) != 0) {
    cannot_write(path_, errno);
  }
}

void Listing::close() {
  errno = 0;
  const int status = std::fclose(file_);
  file_ = nullptr;
  if (status != 0) cannot_write(path_, errno);
}

void write_whole(const std::string& path, std::string_view content) {
  // The temporary name is unique to this process; O_EXCL keeps an unrelated file untouched.
  std::string temp;
  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    temp = path + ".tmp" + std::to_string(::getpid()) + "." + std::to_string(attempt);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || attempt == 99)) cannot_create(path, errno);
  }
  int error = write_all(fd, content);
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(temp.c_str(), path.c_str()) != 0) {
    const int rename_error = errno;
    std::remove(temp.c_str());
    cannot_create(path, rename_error);
  }
  if (error != 0) {
    std::remove(temp.c_str());
    cannot_write(path, error);
  }
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
