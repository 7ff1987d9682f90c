// links: gridkit_lib
// MODFLOW 6 observation reader and accounting on arbitrary files. The input is a small control
// part, then the file's bytes:
//   byte 0: the window's start (0 to 3, a step's end in the files the seeds hold);
//   byte 1: the steps to account (1 to 32).
// A Failure is an expected outcome; a read that stops at the window reads no record past it.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "gridkit/accounting/obs_accounting.h"
#include "gridkit/common.h"
#include "gridkit/exports/obs_csv.h"
#include "gridkit/grid.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const gridkit::ObsWindow window{static_cast<double>(data[0] % 4), 1 + data[1] % 32};
  const std::string_view contents(reinterpret_cast<const char*>(data) + 2, size - 2);

  gridkit::ObsAccountList list;
  list.points.count = 2;
  list.entries[0] = {{false, "A"}, {true, "B"}};
  list.entries[1] = {{true, "A"}};
  try {
    const gridkit::ObsSeries all = gridkit::read_obs(contents, "run.obs");
    if (all.values.size() != all.times.size() * all.names.size()) std::abort();
    (void)gridkit::obs_to_csv(all);
  } catch (const gridkit::Failure&) {
  }
  try {
    const gridkit::ObsSeries part =
        gridkit::read_obs(contents, "run.obs", gridkit::window_read(window));
    if (part.values.size() != part.times.size() * part.names.size()) std::abort();
    (void)gridkit::account_obs(part, "run.obs", list, window);
  } catch (const gridkit::Failure&) {
  }
  return 0;
}
