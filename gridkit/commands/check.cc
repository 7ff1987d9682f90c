// gridkit check: which grid files of a directory the balance's run wrote, which it did not
// (stale), and which it names that are not there (missing).
//
// A grid file is a regular file of DIR named YEAR.MONTH.EXT or YEAR.EXT (see grid_names.h) whose
// extension holds no dot, or is one the balance's recharge files have, and that is not a file
// beside grids (pictures, exports, temporary files). A monthly grid was written by the run when
// the balance names a file of that name; a yearly area grid, when the balance names a recharge
// file of that year, as corvane writes a year's area grid exactly when one of its areas had
// return flow that year. Files are matched by name, so the balance may name them by any path.
#include "gridkit/commands/check.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>
#include <string_view>

#include "gridkit/commands.h"
#include "gridkit/commands/diff.h"
#include "gridkit/common.h"
#include "gridkit/grid.h"
#include "gridkit/option_cursor.h"
#include "gridkit/readers/balance_months.h"
#include "gridkit/readers/grid_names.h"
#include "gridkit/readers/gridfile.h"
#include "utl/period_name.h"

namespace gridkit {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kCheckUsage =
    "Usage: gridkit check DIR --balance FILE\n"
    "\n"
    "Lists the grid files in DIR that the corvane run whose water balance is FILE did not\n"
    "write (stale), and the recharge files the balance names that are not in DIR (missing).\n"
    "Exit status: 0 neither, 1 either, 2 trouble.\n";

// What a water balance tells of the run's grid files.
struct BalanceFiles {
  std::vector<std::string> named;    // recharge files, as the balance names them
  std::set<std::string> names;       // their names without the directory
  std::set<std::string> extensions;  // the extensions of their names
  std::set<int> years;               // the years with a recharge file
};

BalanceFiles read_balance(const std::string& path) {
  BalanceFiles files;
  for (const BalanceMonth& month : read_balance_months(path)) {
    const std::string& file = month.recharge_file;
    if (file.empty()) continue;
    files.named.push_back(file);
    const std::string name = fs::path(file).filename().string();
    files.names.insert(name);
    if (const auto period = utl::parse_period_name(name)) files.extensions.insert(period->ext);
    files.years.insert(month.year);
  }
  return files;
}

// What a file of DIR is to the run of the balance.
enum class Standing { kNoGrid, kWritten, kStale };

Standing standing(const std::string& name, const BalanceFiles& balance) {
  if (balance.names.contains(name)) return Standing::kWritten;
  if (is_beside_file(name)) return Standing::kNoGrid;
  const std::optional<utl::PeriodName> period = utl::parse_period_name(name);
  if (!period) return Standing::kNoGrid;
  const bool plain_ext = period->ext.find('.') == std::string::npos;
  if (period->month == 0) {
    if (!plain_ext) return Standing::kNoGrid;
    return balance.years.contains(period->year) ? Standing::kWritten : Standing::kStale;
  }
  return plain_ext || balance.extensions.contains(period->ext) ? Standing::kStale
                                                               : Standing::kNoGrid;
}

struct CheckOptions {
  std::string dir;
  std::string balance;
  bool help = false;
};

CheckOptions parse_check_options(const std::vector<std::string>& args) {
  CheckOptions options;
  bool have_balance = false;
  options.help = walk_arguments(args, [&](OptionCursor& cursor, const std::string& name) {
    if (name == "--balance") {
      options.balance = cursor.value();
      have_balance = true;
    } else {
      cursor.refuse_unknown_option();
      if (!options.dir.empty()) {
        throw Failure("check takes one directory, not " + options.dir + " and " +
                      cursor.argument());
      }
      options.dir = cursor.argument();
    }
  });
  if (options.help) return options;
  if (options.dir.empty()) throw Failure("check needs the directory of a run's grids");
  if (!have_balance) throw Failure("check needs the run's water balance: --balance FILE");
  return options;
}

int check(const CheckOptions& options, std::ostream& out) {
  const BalanceFiles balance = read_balance(options.balance);
  const std::vector<std::string> names = regular_files_in(options.dir);
  std::error_code error;
  int grids = 0, stale = 0, missing = 0;
  for (const std::string& name : names) {
    const fs::path path = fs::path(options.dir) / name;
    if (fs::equivalent(path, options.balance, error)) continue;
    const Standing found = standing(name, balance);
    if (found != Standing::kNoGrid) ++grids;
    if (found == Standing::kStale) {
      out << "stale: " << path.generic_string() << "\n";  // '/' on every system
      ++stale;
    }
  }
  for (const std::string& file : balance.named) {
    if (std::binary_search(names.begin(), names.end(), fs::path(file).filename().string())) {
      continue;
    }
    out << "missing: " << file << "\n";
    ++missing;
  }
  out << "summary: " << grids << " grid files in " << options.dir << ", " << stale << " stale; "
      << balance.named.size() << " recharge files named by the balance, " << missing
      << " missing\n";
  return stale + missing > 0 ? kExitDiffers : kExitSame;
}

}  // namespace

int run_check(const std::vector<std::string>& args, std::ostream& out, std::ostream& /*err*/) {
  const CheckOptions options = parse_check_options(args);
  if (options.help) {
    out << kCheckUsage;
    return kExitSame;
  }
  return check(options, out);
}

extern constinit const Command kCheckCommand{
    "check",
    "check DIR --balance FILE",
    "grid files in DIR that a corvane run did not write, or missing",
    "",
    run_check,
    true};

}  // namespace gridkit
