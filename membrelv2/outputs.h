// Outputs of membrelv2: the plot files, the six monthly recharge grids, the acreage grid and
// the totals of the check listing.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "membrelv2/diversions.h"
#include "membrelv2/tables.h"

namespace membrelv2 {

// A listing gathered line by line and put in place whole by close(): its temporary file beside
// it is created at once, so a listing that cannot be created (no ks/, or a directory in its
// place) stops the run before any product is written. A listing never closed leaves an older
// one as it was.
class Listing {
 public:
  // Stops the run when the file cannot be created.
  explicit Listing(std::string path);
  // Removes the temporary file unless close() renamed it.
  ~Listing();
  Listing(const Listing&) = delete;
  Listing& operator=(const Listing&) = delete;

  // Appends `text` to the listing.
  void write(std::string_view text);
  // Writes the listing and renames it over its file; stops the run when that fails.
  void close();

 private:
  std::string path_;
  std::string temp_;
  std::string text_;
  int fd_ = -1;
};

// Writes `content` as the whole file `path`: to a temporary file beside it, renamed over it
// once complete. Stops the run when that fails; no temporary file is left behind.
void write_whole(const std::string& path, std::string_view content);

// Lines of a plot file: the centre of each active cell whose value in `grid` is positive, its
// value, row and column, row by row from the north.
std::string plot_text(const Tables& tables, const float* grid);

// Fills `work` with the recharge of month `month` (5 to 10), each cell with return flow taking
// its county's factor (county 1 where it has none); returns the month's total.
float month_grid(const Tables& tables, int month, float* work);

// Name of the recharge grid of month `month`, for example ks/1995.05.rcs.
std::string month_file(const std::string& year, int month);

// Writes the plot files, the monthly grids and the acreage grid, with their lines of the check
// listing and its two summary lines; progress lines go to `out`.
void writeoutputs(const Tables& tables, const DiversionTotals& diversions,
                  const Distribution& distribution, Listing& check, std::FILE* out);

}  // namespace membrelv2
