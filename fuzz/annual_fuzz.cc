// links: utl
// Annual table reader on arbitrary text: byte 0 picks the number of series (0 to 3) and the
// span of years, the rest is the table file. A fatal stop is an expected outcome; cells beyond
// the table's span must stay untouched.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/scratch_file.h"
#include "utl/annual.h"
#include "utl/fatal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const int nseries = data[0] % 4;
  const int year1 = 1990;
  const int year2 = year1 + (data[0] >> 2) % 8 - 1;  // may end before it starts: no years
  const std::string path = fuzzing::write_scratch("annual.txt", data + 1, size - 1);

  const std::vector<std::string> labels{std::string("NORTH") + std::string(27, ' '),
                                        std::string("SOUTH FORK") + std::string(22, ' '),
                                        std::string("A") + std::string(31, ' ')};
  const std::size_t cells = std::size_t{3} * 8;
  constexpr double kGuard = -777.0;
  std::vector<double> table(cells + 8, kGuard);
  try {
    utl::readyears(path, table, labels, nseries, year1, year2);
  } catch (const utl::Fatal&) {
    return 0;
  }
  const int years = year2 >= year1 ? year2 - year1 + 1 : 0;
  for (std::size_t i = static_cast<std::size_t>(years) * nseries; i < table.size(); ++i) {
    if (table[i] != kGuard) std::abort();
  }
  return 0;
}
