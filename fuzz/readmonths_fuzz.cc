// links: corvane_lib
// Monthly return-flow table reader on arbitrary files. Byte 0 picks 1 to 3 areas, named A1,
// "NORTH FORK" and C, and a span of 1 to 3 years from 1950; the rest is the file. A fatal stop
// is an expected outcome; values beyond the table must stay untouched.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "corvane/monthly.h"
#include "fuzz/scratch_file.h"
#include "utl/fatal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const int narea = 1 + data[0] % 3;
  const int first_year = 1950;
  const int last_year = first_year + (data[0] >> 2) % 3;
  const std::string path = fuzzing::write_scratch("returns.txt", data + 1, size - 1);

  const std::vector<std::string> names{std::string("A1") + std::string(30, ' '),
                                       std::string("NORTH FORK") + std::string(22, ' '),
                                       std::string("C") + std::string(31, ' ')};
  constexpr double kGuard = -999.5;
  constexpr std::size_t kGuardValues = 16;
  const std::size_t values =
      static_cast<std::size_t>(narea) * 12 * static_cast<std::size_t>(last_year - first_year + 1);
  std::vector<double> retaf(values + kGuardValues, kGuard);
  try {
    corvane::readmonths(path, {retaf.data(), values}, names, narea, first_year, last_year);
  } catch (const utl::Fatal&) {
    return 0;
  }
  for (std::size_t i = values; i < retaf.size(); ++i) {
    if (retaf[i] != kGuard) std::abort();
  }
  return 0;
}
