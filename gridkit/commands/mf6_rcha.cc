// TDIS and RCHA files written for MODFLOW 6 from a corvane run's monthly grids.
#include "gridkit/commands/mf6_rcha.h"

#include <filesystem>

#include "gridkit/commands.h"
#include "gridkit/common.h"
#include "gridkit/exports/calendar.h"
#include "gridkit/exports/mf6_array.h"
#include "gridkit/grid.h"
#include "gridkit/option_cursor.h"
#include "gridkit/option_values.h"
#include "gridkit/readers/gridfile.h"
#include "gridkit/readers/run_files.h"
#include "utl/number_text.h"

namespace gridkit {
namespace {

namespace fs = std::filesystem;

constexpr const char* kMf6RchaUsage =
    "mf6-rcha DIR EXT -o PREFIX [--years Y1-Y2] [--steps N] [--model-dir D]";
constexpr int kMostSteps = 1000;
constexpr double kAcresPerCell = 640.0;

struct Mf6RchaArgs {
  std::string dir;
  std::string ext;
  std::string prefix;
  std::optional<std::pair<int, int>> years;
  int steps = 2;
  std::string model_dir = ".";
};

Mf6RchaArgs parse_mf6_rcha_args(const std::vector<std::string>& args) {
  Mf6RchaArgs parsed;
  std::vector<std::string> words;
  bool have_prefix = false;
  walk_arguments(args, [&](OptionCursor& cursor, const std::string& name) {
    if (cursor.is_output()) {
      parsed.prefix = cursor.value();
      have_prefix = true;
    } else if (name == "--years") {
      parsed.years = parse_year_span(cursor.value());
    } else if (name == "--steps") {
      const std::string text = cursor.value();
      const auto steps = whole_number_in(text, 1, kMostSteps);
      if (!steps) throw Failure("--steps takes 1 to 1000 time steps a month, not '" + text + "'");
      parsed.steps = *steps;
    } else if (name == "--model-dir") {
      parsed.model_dir = cursor.value();
    } else {
      cursor.refuse_unknown_option();
      words.push_back(cursor.argument());
    }
  });
  if (words.size() != 2 || !have_prefix) {
    throw Failure(std::string("mf6-rcha takes a directory, an extension and -o: ") + kMf6RchaUsage);
  }
  parsed.dir = words[0];
  parsed.ext = words[1];
  return parsed;
}

// `path` as MODFLOW 6, running in `model_dir`, opens it. Its free-format reader ends a name at
// a blank, so a path with one is refused.
std::string opened_path(const fs::path& path, const std::string& model_dir) {
  const fs::path base = fs::absolute(model_dir).lexically_normal();
  std::string opened =
      fs::absolute(path).lexically_normal().lexically_relative(base).generic_string();
  if (opened.empty()) opened = fs::absolute(path).lexically_normal().generic_string();
  if (opened.find_first_of(" \t") != std::string::npos) {
    throw Failure("MODFLOW 6 cannot open a path with a blank: " + opened);
  }
  return opened;
}

std::pair<int, int> years_of(const Mf6RchaArgs& args, const RunFiles& files) {
  if (args.years) return *args.years;
  if (files.months.empty()) {
    throw Failure("no grids YEAR.MONTH." + args.ext + " in " + args.dir +
                  "; name the years with --years to write months without recharge");
  }
  return {files.months.begin()->first.first, files.months.rbegin()->first.first};
}

std::string two_digits(int n) {
  std::string digits = std::to_string(n);
  if (digits.size() < 2) digits.insert(digits.begin(), '0');
  return digits;
}

}  // namespace

double recharge_factor(int days) { return 1.0 / (kAcresPerCell * days); }

std::string tdis_text(const std::vector<Mf6Period>& periods, int steps) {
  std::string text =
      "# Monthly stress periods of a corvane run\nBEGIN OPTIONS\n  TIME_UNITS days\n";
  if (!periods.empty()) {
    text += "  START_DATE_TIME " + std::to_string(periods.front().year) + "-" +
            two_digits(periods.front().month) + "-01\n";
  }
  text += "END OPTIONS\n\nBEGIN DIMENSIONS\n  NPER " + std::to_string(periods.size()) +
          "\nEND DIMENSIONS\n\nBEGIN PERIODDATA\n";
  for (const Mf6Period& period : periods) {
    text += "  " + std::to_string(period.days) + ".0 " + std::to_string(steps) + " 1.0  # " +
            std::to_string(period.year) + "-" + two_digits(period.month) + "\n";
  }
  text += "END PERIODDATA\n";
  return text;
}

std::string rcha_text(const std::vector<Mf6Period>& periods, bool binary) {
  std::string text =
      "# Monthly recharge of a corvane run: acre-feet per one-square-mile cell per month,\n"
      "# turned into feet per day by the factor 1 / (640 x days in the month)\n"
      "BEGIN OPTIONS\n  READASARRAYS\nEND OPTIONS\n";
  for (std::size_t p = 0; p < periods.size(); ++p) {
    const Mf6Period& period = periods[p];
    text += "\nBEGIN PERIOD " + std::to_string(p + 1) + "\n  RECHARGE\n";
    if (period.opened) {
      text += "    OPEN/CLOSE " + *period.opened + " FACTOR " +
              utl::plain_number(recharge_factor(period.days)) + (binary ? " (BINARY)" : "") + "\n";
    } else {
      text += "    CONSTANT 0.0\n";
    }
    text += "END PERIOD\n";
  }
  return text;
}

int run_mf6_rcha(const std::vector<std::string>& args, std::ostream& out, std::ostream& /*err*/) {
  const Mf6RchaArgs parsed = parse_mf6_rcha_args(args);
  const RunFiles files = find_run_files(parsed.dir, parsed.ext, std::nullopt);
  const auto [first, last] = years_of(parsed, files);
  std::vector<Mf6Period> periods;
  bool binary = false;
  bool text = false;
  double totim = 0.0;
  for (int year = first; year <= last; ++year) {
    for (int month = 1; month <= 12; ++month) {
      const MonthBounds bounds = month_bounds(year, month);
      Mf6Period period{year, month, static_cast<int>(bounds.end - bounds.start), std::nullopt};
      const auto found = files.months.find({year, month});
      if (found != files.months.end()) {
        const LoadedGrid loaded = read_grid(found->second, std::nullopt);
        if (loaded.format == GridFormat::kText) {
          text = true;
          period.opened = opened_path(found->second, parsed.model_dir);
        } else {
          // Any other form becomes a MODFLOW 6 binary array beside the package file.
          binary = true;
          const std::string array_path =
              parsed.prefix + "." + std::to_string(year) + "." + two_digits(month) + ".bin";
          const Mf6ArrayHeader header{1, static_cast<int>(periods.size()) + 1, 0.0, totim};
          write_output_file(array_path, encode_mf6_array(loaded.grid, header));
          period.opened = opened_path(array_path, parsed.model_dir);
        }
      }
      totim += period.days;
      periods.push_back(period);
    }
  }
  if (binary && text) {
    throw Failure(parsed.dir + " holds text grids and grids of another form: one run at a time");
  }
  write_output_file(parsed.prefix + ".tdis", tdis_text(periods, parsed.steps));
  write_output_file(parsed.prefix + ".rcha", rcha_text(periods, binary));
  out << "mf6-rcha: " << periods.size() << " monthly periods, "
      << (binary ? "binary arrays " : "text grids ") << "in " << parsed.prefix << ".rcha, "
      << "times in " << parsed.prefix << ".tdis\n";
  return 0;
}

extern constinit const Command kMf6RchaCommand{
    "mf6-rcha", "mf6-rcha DIR EXT -o PREFIX [--years Y1-Y2] [--steps N] [--model-dir D]",
    "MODFLOW 6 time discretization and array recharge files of\n"
    "a corvane run",
    "PREFIX.tdis and PREFIX.rcha, MODFLOW 6's time discretization and array recharge\n"
    "files for the monthly grids DIR/YEAR.MONTH.EXT of a corvane run; grids that are\n"
    "not text are written as binary arrays PREFIX.YEAR.MONTH.bin.\n"
    "  -o, --output PREFIX  the files' common name\n"
    "  --years Y1-Y2        the years (default: those with grids)\n"
    "  --steps N            time steps a month, 1 to 1000 (default 2)\n"
    "  --model-dir D        the directory MODFLOW 6 runs in, which paths are relative\n"
    "                       to (default: the working directory)\n",
    run_mf6_rcha};

}  // namespace gridkit
