// The impacts command: tallisk's inputs and accounting, written as CSV.
#include "gridkit/commands/impacts.h"

#include <cmath>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "gridkit/commands.h"
#include "gridkit/common.h"
#include "gridkit/grid.h"
#include "gridkit/option_cursor.h"
#include "gridkit/readers/gridfile.h"
#include "tallisk/year.h"
#include "utl/csv.h"
#include "utl/fields.h"
#include "utl/number_text.h"

namespace gridkit {
namespace {

using Runs = std::array<tallisk::Volumes, tallisk::kRuns>;

// Adds `value`, a figure of `location`; stops when it overflowed, which no reader of the CSV
// could take as a number.
void add_number(std::string& csv, double value, std::string_view location) {
  if (!std::isfinite(value)) {
    throw Failure("the impacts of " + std::string(location) + " overflow: a volume or a sum is " +
                  (std::isnan(value) ? "no number" : "infinite"));
  }
  csv += ',';
  utl::append_shortest(csv, value);
}

// One row: the location, the mainstem flag (empty for the sums), the impacts and, for a point,
// its five run volumes.
void add_row(std::string& csv, std::string_view location, std::string_view mainstem,
             const tallisk::ImpactRow& impacts, const Runs* runs, int j) {
  csv += utl::csv_field(location);
  csv += ',';
  csv += mainstem;
  for (const double x : impacts) add_number(csv, x, location);
  for (int r = 0; r < tallisk::kRuns; ++r) {
    if (runs) {
      add_number(csv, (*runs)[r][static_cast<std::size_t>(j)], location);
    } else {
      csv += ',';
    }
  }
  csv += '\n';
}

struct ImpactsArgs {
  std::string list_path = tallisk::kListPath;
  std::string year;
  std::optional<std::string> output;
};

ImpactsArgs parse_impacts_args(const std::vector<std::string>& args) {
  ImpactsArgs parsed;
  std::vector<std::string> words;
  walk_arguments(args, [&](OptionCursor& cursor, const std::string& name) {
    if (cursor.is_output()) {
      parsed.output = cursor.value();
    } else if (name.size() > 1 && name.front() == '-' &&
               utl::padded(cursor.argument(), tallisk::kYearLength) != "-12p") {
      throw UsageError("unknown option " + name);
    } else {
      words.push_back(cursor.argument());
    }
  });
  // The year is read as tallisk reads it: its first four characters, blank-padded.
  if (!words.empty() && utl::padded(words.front(), tallisk::kYearLength) == "-12p") {
    parsed.list_path = tallisk::kListPath12p;
    words.erase(words.begin());
  }
  if (words.size() != 1) throw Failure("impacts takes one year: impacts [-12p] YEAR [-o FILE]");
  // A separator anywhere in the argument, even past the four characters read, is refused.
  if (words.front().find_first_of("/\\") != std::string::npos) {
    throw Failure("the year names run files in the working directory: '" + words.front() + "'");
  }
  parsed.year = utl::padded(words.front(), tallisk::kYearLength);
  return parsed;
}

}  // namespace

std::string impacts_csv(const tallisk::AccountList& list,
                        const std::array<tallisk::Volumes, tallisk::kRuns>& runs) {
  const tallisk::Impacts impacts = tallisk::compute_impacts(list, runs);
  std::string csv(kImpactsHeader);
  csv += '\n';
  for (int j = 0; j < list.count; ++j) {
    add_row(csv, tallisk::shown_name(list.names[j]),
            tallisk::is_mainstem(list.names[j]) ? "true" : "false", impacts.points[j], &runs, j);
  }
  add_row(csv, "Mainstem", "", impacts.mainstem, nullptr, 0);
  add_row(csv, "Total", "", impacts.total, nullptr, 0);
  return csv;
}

int run_impacts(const std::vector<std::string>& args, std::ostream& out, std::ostream& /*err*/) {
  const ImpactsArgs parsed = parse_impacts_args(args);
  tallisk::AccountList list;
  std::array<tallisk::Volumes, tallisk::kRuns> runs;  // read_year fills it
  tallisk::read_year(parsed.list_path, parsed.year, list, runs);
  const std::string csv = impacts_csv(list, runs);
  if (!parsed.output) {
    out << csv;
    return 0;
  }
  write_output_file(*parsed.output, csv);
  return 0;
}

extern constinit const Command kImpactsCommand{
    "impacts", "impacts [-12p] YEAR [-o OUT.csv]",
    "a year's impacts at full precision as CSV, run where tallisk runs",
    "A year's impacts at full precision as CSV, from the accounting-point list and the\n"
    "five HYDMOD run files tallisk reads, in the directory where tallisk runs (-12p: its\n"
    "12-point list).\n"
    "  -o, --output OUT  the CSV to write (default: standard output)\n",
    run_impacts};

}  // namespace gridkit
