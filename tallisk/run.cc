// tallisk: the impacts of four variant runs of a year against its base run, at every
// accounting point of the list, written as an HTML page.
#include "tallisk/run.h"

#include <array>
#include <string>

#include "tallisk/report.h"
#include "tallisk/year.h"
#include "utl/fatal.h"
#include "utl/fields.h"
#include "utl/safe_output.h"

namespace tallisk {

int run(const std::vector<std::string>& args) {
  if (args.empty()) utl::error("Usage: tallisk year");
  std::string list_path = kListPath;
  std::string year_argument = args[0];
  if (utl::padded(args[0], kYearLength) == "-12p") {
    list_path = kListPath12p;
    year_argument = args.size() > 1 ? args[1] : std::string();
  }
  // The year names files in the working directory only: a separator anywhere in the argument,
  // even in the part cut off, is refused.
  if (year_argument.find_first_of("/\\") != std::string::npos) utl::error("Usage: tallisk year");
  const std::string year = utl::padded(year_argument, kYearLength);

  AccountList list;
  std::array<Volumes, kRuns> runs;  // read_year fills it
  read_year(list_path, year, list, runs);

  // The page replaces an earlier one only once it is completely written.
  const std::string report_name = year + ".htm";
  utl::write_whole_file_or_stop(report_name, report_page(year, list, runs));
  return 0;
}

}  // namespace tallisk
