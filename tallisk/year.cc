// The list and the five run files of a year, read one after the other.
#include "tallisk/year.h"

namespace tallisk {
namespace {

// The run files' suffixes, in reading order.
constexpr std::array<const char*, kRuns> kRunSuffixes = {".sfi", "a.sfi", "b.sfi", "c.sfi",
                                                         "d.sfi"};

}  // namespace

void read_year(const std::string& list_path, const std::string& year, AccountList& list,
               std::array<Volumes, kRuns>& runs) {
  read_accounts(list_path, list);
  runs = {};
  for (int r = 0; r < kRuns; ++r) {
    readsfi(year + kRunSuffixes[r], list.gages, runs[r], list.count, 1);
  }
}

}  // namespace tallisk
