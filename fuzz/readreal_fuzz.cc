// links: utl
// Free-format real grid reader on arbitrary files. Byte 0 picks the grid's shape: 1 to 4 rows
// of 1 to 8 columns, after 0 to 1 header records; the rest is the file. A fatal stop is an
// expected outcome; the cells beyond the grid must stay untouched, whatever the repeat counts.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "scratch_file.h"
#include "utl/fatal.h"
#include "utl/gridread.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const int ncol = 1 + data[0] % 8;
  const int nrow = 1 + (data[0] >> 3) % 4;
  const int nskip = (data[0] >> 5) % 2;
  const std::string path = fuzzing::write_scratch("grid.txt", data + 1, size - 1);

  constexpr double kGuard = -4242.0;
  constexpr std::size_t kGuardCells = 16;
  const std::size_t cells = static_cast<std::size_t>(nrow) * static_cast<std::size_t>(ncol);
  std::vector<double> grid(cells + kGuardCells, kGuard);
  try {
    utl::readreal(path, {grid.data(), cells}, nrow, ncol, nskip);
  } catch (const utl::Fatal&) {
    return 0;
  }
  for (std::size_t i = cells; i < grid.size(); ++i) {
    if (grid[i] != kGuard) std::abort();
  }
  // A value that reads is a finite number (an untouched cell keeps the caller's value).
  for (std::size_t i = 0; i < cells; ++i) {
    if (!std::isfinite(grid[i])) std::abort();
  }
  return 0;
}
