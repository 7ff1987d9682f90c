// links: utl
// Flag and zone grid reader on arbitrary files. Byte 0 picks the layout and shape: maxzone 0
// (flag grid), 1, 3 or 8 (zone grid with a header); 1 to 4 rows; 1 to 6 columns or 1000, which
// makes each row go on over a second record. The rest is the file. A fatal stop is an expected
// outcome; cells beyond the grid and zone names beyond maxzone must stay untouched, and a zone
// grid that reads holds zone numbers only.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/scratch_file.h"
#include "utl/fatal.h"
#include "utl/gridread.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  static const int kMaxzones[] = {0, 1, 3, 8};
  const int maxzone = kMaxzones[data[0] % 4];
  const int nrow = 1 + (data[0] >> 2) % 4;
  const int shape = (data[0] >> 4) % 8;
  const int ncol = shape == 7 ? 1000 : 1 + shape % 6;
  const std::string path = fuzzing::write_scratch("flags.txt", data + 1, size - 1);

  constexpr int kGuard = -31313;
  constexpr std::size_t kGuardCells = 16;
  const std::size_t cells = static_cast<std::size_t>(nrow) * static_cast<std::size_t>(ncol);
  std::vector<int> grid(cells + kGuardCells, kGuard);
  const std::string untouched = "untouched";
  std::vector<std::string> names(10, untouched);
  for (int k = 0; k < 8; ++k) names[k] = std::string(16, '?');
  int nzone = -5;
  try {
    utl::readflags(path, {grid.data(), cells}, nrow, ncol, {names.data(), 8}, nzone, maxzone);
  } catch (const utl::Fatal&) {
    return 0;
  }
  for (std::size_t i = cells; i < grid.size(); ++i) {
    if (grid[i] != kGuard) std::abort();
  }
  if (names[8] != untouched || names[9] != untouched) std::abort();
  if (maxzone > 0) {
    if (nzone < 0 || nzone > maxzone) std::abort();
    for (int k = 0; k < 8; ++k) {
      if (names[k].size() != 16) std::abort();
    }
    for (std::size_t i = 0; i < cells; ++i) {
      if (grid[i] < 0 || grid[i] > nzone) std::abort();
    }
  } else {
    if (nzone != -5) std::abort();
    for (std::size_t i = 0; i < cells; ++i) {
      if (grid[i] < -9 || grid[i] > 99) std::abort();
    }
  }
  return 0;
}
