// links: tallisk_lib
// Accounting-point list on arbitrary text, then the report page built from what was read. A
// fatal stop is an expected outcome; a list that reads must give at most 32 points, and a page
// of 21 + 6 per point lines.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "fuzz/scratch_file.h"
#include "tallisk/accounts.h"
#include "tallisk/report.h"
#include "utl/fatal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzzing::write_scratch("tallisk.12s", data, size);
  tallisk::AccountList list;
  try {
    tallisk::read_accounts(path, list);
  } catch (const utl::Fatal&) {
    return 0;
  }
  if (list.count < 0 || list.count > tallisk::kMaxPoints) std::abort();

  // Volumes that exercise every kind of report number: zero, small, rounded, huge, not a number.
  std::array<tallisk::Volumes, tallisk::kRuns> runs{};
  const double samples[] = {0.0, 9.99, -10.5, 123.6, 3e9, -1e300, std::nan("")};
  for (int r = 0; r < tallisk::kRuns; ++r) {
    for (int j = 0; j < tallisk::kMaxPoints; ++j) runs[r][j] = samples[(r * 3 + j) % 7];
  }
  const std::string page = tallisk::report_page("1995", list, runs);
  const auto lines = std::count(page.begin(), page.end(), '\n');
  if (lines != 21 + 6 * list.count) std::abort();
  return 0;
}
