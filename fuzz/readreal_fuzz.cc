// links: utl
// Free-format real grid reader on arbitrary files. Byte 0 picks the grid's shape: 1 to 4 rows
// of 1 to 8 columns, after 0 to 1 header records; the rest is the file. A fatal stop is an
// expected outcome; the cells beyond the grid must stay untouched, whatever the repeat counts.
// A file of one plain decimal must read as the correctly rounded value, the one strtod gives.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/scratch_file.h"
#include "utl/fatal.h"
#include "utl/gridread.h"

namespace {

// The text of a file that holds one plain decimal (an optional minus sign, digits, at most one
// decimal point) and nothing else but a line end; empty for any other file.
std::string plain_decimal(std::string_view file) {
  if (!file.empty() && file.back() == '\n') file.remove_suffix(1);
  bool digit = false;
  bool point = false;
  for (std::size_t i = file.starts_with('-') ? 1 : 0; i < file.size(); ++i) {
    if (file[i] >= '0' && file[i] <= '9') {
      digit = true;
    } else if (file[i] == '.' && !point) {
      point = true;
    } else {
      return {};
    }
  }
  return digit ? std::string(file) : std::string();
}

}  // namespace

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
  if (cells == 1 && nskip == 0) {
    const std::string value = plain_decimal({reinterpret_cast<const char*>(data) + 1, size - 1});
    if (!value.empty() && grid[0] != std::strtod(value.c_str(), nullptr)) std::abort();
  }
  return 0;
}
