// The rch command: the recharge package files of the years of a corvane run.
#include "gridkit/commands/rch.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <string_view>
#include <tuple>
#include <utility>

#include "gridkit/commands.h"
#include "gridkit/common.h"
#include "gridkit/option_cursor.h"
#include "gridkit/option_values.h"

namespace gridkit {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxSteps = 1000;

int whole_number(const std::string& text, const std::string& option, int least, int most) {
  const std::optional<int> value = whole_number_in(text, least, most);
  if (!value) {
    throw Failure(option + " takes a whole number from " + std::to_string(least) + " to " +
                  std::to_string(most) + ", not '" + text + "'");
  }
  return *value;
}

constexpr std::string_view kRchUsage =
    "Usage: gridkit rch BALANCE --year YEAR -o OUT.rch\n"
    "       gridkit rch BALANCE --years Y1-Y2 -o DIR\n"
    "\n"
    "MODFLOW-2005's recharge package file of a year of the corvane run whose water balance is\n"
    "BALANCE: one stress period a month, OPEN/CLOSE of the month's grid with the multiplier to\n"
    "feet per time unit, CONSTANT 0.0 for a month without a grid.\n"
    "  --grids DIR        where the model finds the grids (default: the balance's paths)\n"
    "  --binary           the grids are binary array files (gridkit mfarray)\n"
    "  --time-unit UNIT   seconds, minutes, hours, days (default) or years\n"
    "  --month-days D     calendar (default) or 30\n"
    "  --steps N          time steps per month in the listed periods (default 2)\n"
    "  --cbc UNIT         unit of the cell-by-cell budget file (default 0, none)\n";

struct RchArgs {
  bool help = false;
  std::string balance;
  std::string output;
  RchLayout layout;
  int last_year = 0;  // with --years: the last year, each year a file YEAR.rch in `output`
};

// The first and last year of "Y1-Y2".
std::pair<int, int> parse_years(const std::string& text) {
  const std::size_t dash = text.find('-');
  if (dash == std::string::npos) throw Failure("--years takes Y1-Y2, not '" + text + "'");
  const int first = whole_number(text.substr(0, dash), "--years", 1, 9999);
  const int last = whole_number(text.substr(dash + 1), "--years", 1, 9999);
  if (first > last) throw Failure("--years " + text + ": the first year is after the last");
  return {first, last};
}

// Reads one option of the layout; false when `name` is none of them.
bool parse_layout_option(const std::string& name, OptionCursor& cursor, RchLayout& layout) {
  if (name == "--year") {
    layout.year = whole_number(cursor.value(), name, 1, 9999);
  } else if (name == "--time-unit") {
    const std::string text = cursor.value();
    const std::optional<TimeUnit> unit = parse_time_unit(text);
    if (!unit) {
      throw Failure("--time-unit takes seconds, minutes, hours, days or years, not '" + text + "'");
    }
    layout.unit = *unit;
  } else if (name == "--month-days") {
    const std::string text = cursor.value();
    if (text != "calendar" && text != "30") {
      throw Failure("--month-days takes calendar or 30, not '" + text + "'");
    }
    layout.thirty_day_months = text == "30";
  } else if (name == "--steps") {
    layout.steps = whole_number(cursor.value(), name, 1, kMaxSteps);
  } else if (name == "--cbc") {
    layout.budget_unit = whole_number(cursor.value(), name, 0, 9999);
  } else if (name == "--grids") {
    layout.grids = cursor.value();
  } else if (name == "--binary") {
    layout.binary = true;
  } else {
    return false;
  }
  return true;
}

RchArgs parse_rch_args(const std::vector<std::string>& args) {
  RchArgs parsed;
  bool have_balance = false;
  bool have_output = false;
  parsed.help = walk_arguments(args, [&](OptionCursor& cursor, const std::string& name) {
    if (cursor.is_output()) {
      parsed.output = cursor.value();
      have_output = true;
    } else if (name == "--years") {
      std::tie(parsed.layout.year, parsed.last_year) = parse_years(cursor.value());
    } else if (!parse_layout_option(name, cursor, parsed.layout)) {
      cursor.take_single_operand(parsed.balance, have_balance, "balance");
    }
  });
  if (parsed.help) return parsed;
  if (!have_balance) throw Failure("rch needs the water balance of a corvane run");
  if (parsed.layout.year == 0) throw Failure("rch needs the year: --year YEAR or --years Y1-Y2");
  if (!have_output) throw Failure("rch needs an output file: -o OUT.rch");
  parsed.layout.source = parsed.balance;
  return parsed;
}

}  // namespace

int run_rch(const std::vector<std::string>& args, std::ostream& out, std::ostream& /*err*/) {
  RchArgs parsed = parse_rch_args(args);
  if (parsed.help) {
    out << kRchUsage;
    return 0;
  }
  const std::vector<BalanceMonth> months = read_balance_months(parsed.balance);
  const bool many = parsed.last_year != 0;
  const int first = parsed.layout.year;
  const int last = many ? parsed.last_year : first;
  if (many) {
    std::error_code error;
    fs::create_directories(parsed.output, error);
    if (!fs::is_directory(parsed.output)) {
      throw Failure("cannot create directory " + parsed.output);
    }
  }
  int grids = 0;
  for (const BalanceMonth& month : months) {
    if (month.year >= first && month.year <= last && !month.recharge_file.empty()) ++grids;
  }
  for (int year = first; year <= last; ++year) {
    parsed.layout.year = year;
    const std::string path =
        many ? (fs::path(parsed.output) / (std::to_string(year) + ".rch")).string() : parsed.output;
    write_output_file(path, format_rch(months, parsed.layout));
  }
  out << "gridkit: " << parsed.output << ": " << 12 * (last - first + 1) << " stress periods of "
      << (many ? std::to_string(first) + " to " : std::string()) << last << ", " << grids
      << " with a grid\n";
  return 0;
}

extern constinit const Command kRchCommand{
    "rch", "rch BALANCE (--year YEAR -o OUT.rch | --years Y1-Y2 -o DIR) [options]",
    "MODFLOW's recharge package file of a year of a corvane run", "", run_rch};

}  // namespace gridkit
