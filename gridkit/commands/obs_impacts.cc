// A year's impacts from MODFLOW 6 observation files, through tallisk's accounting and page.
#include "gridkit/commands/obs_impacts.h"

#include <array>
#include <cmath>
#include <optional>

#include "gridkit/accounting/obs_accounting.h"
#include "gridkit/commands.h"
#include "gridkit/commands/impacts.h"
#include "gridkit/common.h"
#include "gridkit/grid.h"
#include "gridkit/option_cursor.h"
#include "gridkit/readers/gridfile.h"
#include "tallisk/report.h"
#include "tallisk/year.h"
#include "utl/fields.h"

namespace gridkit {
namespace {

constexpr std::string_view kObsImpactsUsage =
    "obs-impacts [-12p] YEAR BASE A B C D [--list FILE] [--from T] [--steps N] [-o OUT.csv] "
    "[--page OUT.htm]";

// The most time steps an accounting may cover: a century of daily steps.
constexpr int kMostSteps = 36525 * 2;

struct ObsImpactsArgs {
  std::string list_path = tallisk::kListPath;
  std::optional<std::string> named_list;
  std::string year;
  std::array<std::string, tallisk::kRuns> files;
  ObsWindow window;
  std::optional<std::string> output;
  std::optional<std::string> page;
};

double parse_start(const std::string& text) {
  double start = 0.0;
  if (utl::parse_real(text, start) != 0 || !std::isfinite(start) || start < 0.0) {
    throw Failure("--from takes a simulation time of 0 or more, not '" + text + "'");
  }
  return start;
}

int parse_steps(const std::string& text) {
  int steps = 0;
  if (utl::convert_int(text, steps) != 0 || text.find_first_of(" .") != std::string::npos ||
      steps < 1 || steps > kMostSteps) {
    throw Failure("--steps takes a whole number of time steps from 1 to " +
                  std::to_string(kMostSteps) + ", not '" + text + "'");
  }
  return steps;
}

ObsImpactsArgs parse_obs_impacts_args(const std::vector<std::string>& args) {
  ObsImpactsArgs parsed;
  std::vector<std::string> words;
  walk_arguments(args, [&](OptionCursor& cursor, const std::string& name) {
    if (cursor.is_output()) {
      parsed.output = cursor.value();
    } else if (name == "--page") {
      parsed.page = cursor.value();
    } else if (name == "--list") {
      parsed.named_list = cursor.value();
    } else if (name == "--from") {
      parsed.window.start = parse_start(cursor.value());
    } else if (name == "--steps") {
      parsed.window.records = parse_steps(cursor.value());
    } else if (name == "-12p" && words.empty()) {
      parsed.list_path = tallisk::kListPath12p;
    } else {
      cursor.refuse_unknown_option();
      words.push_back(cursor.argument());
    }
  });
  if (words.size() != 1 + tallisk::kRuns) {
    throw Failure("obs-impacts takes a year and five observation files: " +
                  std::string(kObsImpactsUsage));
  }
  // The year only labels the page, as tallisk's year does: its first four characters.
  parsed.year = utl::padded(words.front(), tallisk::kYearLength);
  for (int r = 0; r < tallisk::kRuns; ++r) parsed.files[r] = words[1 + r];
  if (parsed.named_list) parsed.list_path = *parsed.named_list;
  return parsed;
}

}  // namespace

int run_obs_impacts(const std::vector<std::string>& args, std::ostream& out,
                    std::ostream& /*err*/) {
  const ObsImpactsArgs parsed = parse_obs_impacts_args(args);
  const ObsAccountList list = read_obs_accounts(parsed.list_path);
  std::array<tallisk::Volumes, tallisk::kRuns> runs{};
  for (int r = 0; r < tallisk::kRuns; ++r) {
    const ObsSeries series = read_obs_file(parsed.files[r], window_read(parsed.window));
    runs[r] = account_obs(series, parsed.files[r], list, parsed.window);
  }
  const std::string csv = impacts_csv(list.points, runs);
  // Both results are made before either is written, so a failure leaves neither behind.
  std::optional<std::string> page;
  if (parsed.page) page = tallisk::report_page(parsed.year, list.points, runs);
  if (parsed.output) write_output_file(*parsed.output, csv);
  if (page) write_output_file(*parsed.page, *page);
  if (!parsed.output && !parsed.page) out << csv;
  return 0;
}

extern constinit const Command kObsImpactsCommand{
    "obs-impacts", "obs-impacts [-12p] YEAR BASE A B C D [-o OUT.csv] [--page OUT.htm]",
    "a year's impacts from the MODFLOW 6 observation files of its\n"
    "five runs, as CSV and as tallisk's page",
    "A year's impacts from the MODFLOW 6 observation files of its five runs, as the CSV\n"
    "of full precision and as tallisk's page.\n"
    "  -o, --output OUT  the CSV to write (default: standard output when there is no\n"
    "                    --page)\n"
    "  --page OUT.htm    the page to write\n"
    "  --list FILE       the accounting-point list (default: tallisk's, where it runs)\n"
    "  --from T          the time the year starts at (default 0)\n"
    "  --steps N         the time steps of the year (default 24)\n",
    run_obs_impacts};

}  // namespace gridkit
