// tallisk: the impacts of four variant runs of a year against its base run, at every
// accounting point of the list, written as an HTML page.
#include "tallisk/run.h"

#include <array>
#include <string>

#include "tallisk/accounts.h"
#include "tallisk/hydmod.h"
#include "tallisk/report.h"
#include "utl/fatal.h"
#include "utl/fields.h"
#include "utl/safe_output.h"

namespace tallisk {
namespace {

constexpr int kYearLength = 4;

// The run files' suffixes, in reading order.
constexpr std::array<const char*, kRuns> kRunSuffixes = {".sfi", "a.sfi", "b.sfi", "c.sfi",
                                                         "d.sfi"};

}  // namespace

int run(const std::vector<std::string>& args) {
  if (args.empty()) utl::error("Usage: tallisk year");
  std::string list_path = "../data0/tallisk.12s";
  std::string year_argument = args[0];
  if (utl::padded(args[0], kYearLength) == "-12p") {
    list_path = "../data0/tallisk.12p";
    year_argument = args.size() > 1 ? args[1] : std::string();
  }
  // The year names files in the working directory only: a separator anywhere in the argument,
  // even in the part cut off, is refused.
  if (year_argument.find_first_of("/\\") != std::string::npos) utl::error("Usage: tallisk year");
  const std::string year = utl::padded(year_argument, kYearLength);

  AccountList list;
  read_accounts(list_path, list);

  std::array<Volumes, kRuns> runs{};
  for (int r = 0; r < kRuns; ++r) {
    readsfi(year + kRunSuffixes[r], list.gages, runs[r], list.count, 1);
  }

  // The page replaces an earlier one only once it is completely written.
  const std::string report_name = year + ".htm";
  utl::SafeOutput report(report_name);
  if (!report.ok()) utl::error("Cannot open file " + report_name);
  if (!report.write(report_page(year, list, runs)) || !report.commit()) {
    utl::error("Cannot write to file " + report_name);
  }
  return 0;
}

}  // namespace tallisk
