// gridkit's command line: the command, its options and its file, and the command's work.
#include "gridkit/run.h"

#include <charconv>
#include <cstdlib>
#include <iostream>
#include <new>
#include <optional>
#include <string_view>

#include "gridkit/asc.h"
#include "gridkit/check.h"
#include "gridkit/diff.h"
#include "gridkit/gridfile.h"
#include "gridkit/hydmod_csv.h"
#include "gridkit/hydmod_explain.h"
#include "gridkit/impacts.h"
#include "gridkit/map.h"
#include "gridkit/mf6_input.h"
#include "gridkit/mfarray.h"
#include "gridkit/netcdf.h"
#include "gridkit/netcdf_file.h"
#include "gridkit/obs_csv.h"
#include "gridkit/obs_impacts.h"
#include "gridkit/option_cursor.h"
#include "gridkit/pest_instructions.h"
#include "gridkit/pest_template.h"
#include "gridkit/png.h"
#include "gridkit/prj.h"
#include "gridkit/rch.h"
#include "gridkit/stats.h"
#include "utl/fatal.h"
#include "utl/signal_cleanup.h"
#include "utl/standard_output.h"
#include "utl/textfile.h"

namespace gridkit {
namespace {

constexpr int kExitFailure = 1;
constexpr int kDefaultScale = 3;

constexpr std::string_view kUsage =
    "Usage: gridkit COMMAND [options] FILE\n"
    "\n"
    "Commands:\n"
    "  stats FILE              minimum, maximum, sum and nonzero cells of a grid\n"
    "  png FILE -o OUT.png     a map of a grid as a PNG picture\n"
    "  asc FILE -o OUT.asc     a grid as an Esri ASCII grid\n"
    "  hydmod FILE -o OUT.csv  a HYDMOD run file as CSV\n"
    "  obs FILE -o OUT.csv     a MODFLOW 6 observation file (text or binary) as CSV\n"
    "  diff A B                two grid files, or two directories of them, compared cell by cell\n"
    "  check DIR --balance F   grid files in DIR that a corvane run did not write, or missing\n"
    "  impacts [-12p] YEAR [-o OUT.csv]\n"
    "                          a year's impacts at full precision as CSV, run where\n"
    "                          tallisk runs\n"
    "  obs-impacts [-12p] YEAR BASE A B C D [-o OUT.csv] [--page OUT.htm]\n"
    "                          a year's impacts from the MODFLOW 6 observation files of its\n"
    "                          five runs, as CSV and as tallisk's page (options --list,\n"
    "                          --from T, --steps N)\n"
    "  mf6-rcha DIR EXT -o PREFIX\n"
    "                          MODFLOW 6 time discretization and array recharge files of\n"
    "                          a corvane run (options --years, --steps, --model-dir)\n"
    "  netcdf DIR RECHARGE_EXT [AREA_EXT] -o OUT.nc\n"
    "                          a corvane run's monthly recharge and yearly area grids\n"
    "                          as one CF NetCDF file (options --years, --ibound, --prj)\n"
    "  rch BALANCE --year YEAR -o OUT.rch\n"
    "                          MODFLOW's recharge package file of a year of a corvane run\n"
    "                          (--years Y1-Y2 -o DIR: a file a year; options --grids,\n"
    "                          --binary, --time-unit, --month-days, --steps, --cbc)\n"
    "  mfarray GRID -o OUT     a grid, or a directory of them, as MODFLOW binary array files\n"
    "                          (option --precision double|single, --text)\n"
    "  explain FILE [--list L] why a HYDMOD file does or does not fit tallisk's accounting\n"
    "  pest-ins IMPACTS.csv -o OUT.ins\n"
    "                          a PEST instruction file reading an impacts CSV's observations\n"
    "  pest-tpl FILE --param NAME=AREA:WHAT ... -o OUT.tpl\n"
    "                          a PEST template of a return-flow table (WHAT: YYYYMM or YYYY)\n"
    "                          or a parameter file (WHAT: x, y or acres of a point area)\n"
    "\n"
    "Options:\n"
    "  --format FORM     form of the grid file: text, binary, fixed, free or flags\n"
    "                    (default: told from the file's content)\n"
    "  --ibound FILE     active-cell flag grid: stats sums active and inactive cells apart,\n"
    "                    png and asc mask inactive cells\n"
    "  --scale N         png: pixels per cell, 1 to 12 (default 3)\n"
    "  --prj FILE        asc: also write OUT.prj, the coordinate system given as WKT in FILE;\n"
    "                    netcdf: the crs variable with that WKT\n"
    "  --years Y1-Y2     netcdf: the years to cover (default: those with grid files)\n"
    "  -o, --output OUT  png, asc, hydmod, obs: the file to write\n"
    "  --help            this text\n"
    "  --version         the program's version\n";

struct Options {
  std::string command;
  std::string file;
  std::optional<GridFormat> format;
  std::optional<std::string> ibound;
  std::optional<std::string> output;
  std::optional<std::string> prj;
  std::optional<int> scale;
  bool help = false;
  bool version = false;
};

// Parses the arguments after the command. Throws Failure on a misuse.
Options parse_options(const std::vector<std::string>& args) {
  Options options;
  options.command = args.front();
  bool have_file = false;
  OptionCursor cursor(args, 1);
  while (!cursor.done()) {
    const std::string& name = cursor.take();
    if (name == "--help" || name == "-h") {
      options.help = true;
    } else if (name == "--version") {
      options.version = true;
    } else if (name == "--format") {
      const std::string form = cursor.value();
      options.format = parse_format(form);
      if (!options.format) {
        throw Failure("unknown grid form '" + form + "' (text, binary, fixed, free or flags)");
      }
    } else if (name == "--ibound") {
      options.ibound = cursor.value();
    } else if (name == "-o" || name == "--output") {
      options.output = cursor.value();
    } else if (name == "--prj") {
      options.prj = cursor.value();
    } else if (name == "--epsg") {
      throw Failure(std::string(kNoEpsg));
    } else if (name == "--scale") {
      const std::string text = cursor.value();
      int scale = 0;
      const auto result = std::from_chars(text.data(), text.data() + text.size(), scale);
      if (result.ec != std::errc{} || result.ptr != text.data() + text.size() ||
          scale < kMinScale || scale > kMaxScale) {
        throw Failure("--scale takes a whole number of pixels from 1 to 12, not '" + text + "'");
      }
      options.scale = scale;
    } else if (name.size() > 1 && name.front() == '-') {
      throw Failure("unknown option " + name);
    } else if (have_file) {
      throw Failure("more than one input file: " + options.file + " and " + cursor.argument());
    } else {
      options.file = cursor.argument();
      have_file = true;
    }
  }
  return options;
}

// Checks that the options given fit the command and that its file and output are named.
void check_options(const Options& options) {
  const std::string& command = options.command;
  const bool grid_command = command != "hydmod" && command != "obs";
  if (options.format && !grid_command) throw Failure(command + " takes no --format");
  if (options.ibound && !grid_command) throw Failure(command + " takes no --ibound");
  if (options.scale && command != "png") throw Failure(command + " takes no --scale");
  if (options.prj && command != "asc") throw Failure(command + " takes no --prj");
  if (options.output && command == "stats") throw Failure("stats takes no output file");
  if (options.file.empty()) throw Failure(command + " needs a file to read");
  if (command != "stats" && !options.output) {
    throw Failure(command + " needs an output file: -o OUT");
  }
}

int run_command(const Options& options, std::ostream& out) {
  const std::string& command = options.command;
  if (command == "hydmod") {
    std::string contents;
    // A HYDMOD file is binary: no lines, only the bound on a whole file.
    const utl::ReadStatus read = utl::read_whole_file(options.file, contents, utl::kLargestFile);
    if (read == utl::ReadStatus::kCannotOpen) throw Failure("cannot read " + options.file);
    if (read == utl::ReadStatus::kTooLong) throw Failure(options.file + ": larger than 256 MiB");
    write_output_file(*options.output, hydmod_to_csv(contents, options.file));
    return 0;
  }
  if (command == "obs") {
    write_output_file(*options.output, obs_to_csv(read_obs_file(options.file)));
    return 0;
  }

  const LoadedGrid loaded = read_grid(options.file, options.format);
  std::optional<Ibound> ibound;
  if (options.ibound) ibound = read_ibound(*options.ibound);
  const Ibound* flags = ibound ? &*ibound : nullptr;
  if (command == "stats") {
    out << format_stats(compute_stats(loaded.grid, flags), options.file,
                        std::string(format_name(loaded.format)));
  } else if (command == "png") {
    const Image image = draw_map(loaded.grid, flags, options.scale.value_or(kDefaultScale));
    write_output_file(*options.output, encode_png(image));
  } else {
    write_asc_files(*options.output, format_asc(loaded.grid, flags), options.prj);
  }
  return 0;
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << kUsage;
    return kExitFailure;
  }
  if (args.front() == "--help" || args.front() == "-h") {
    out << kUsage;
    return 0;
  }
  if (args.front() == "--version") {
    out << kVersion << "\n";
    return 0;
  }
  const std::string& command = args.front();
  // diff and check answer with the exit statuses of cmp and diff (0, 1, or 2 on trouble).
  const std::vector<std::string> after_command(args.begin() + 1, args.end());
  if (command == "diff") return run_diff(after_command, out, err);
  if (command == "check") return run_check(after_command, out, err);
  if (command == "explain") return run_explain(after_command, out, err);
  if (command != "stats" && command != "png" && command != "asc" && command != "hydmod" &&
      command != "impacts" && command != "netcdf" && command != "rch" && command != "mfarray" &&
      command != "obs" && command != "obs-impacts" && command != "mf6-rcha" &&
      command != "pest-ins" && command != "pest-tpl") {
    err << "gridkit: unknown command '" << command << "'; try gridkit --help\n";
    return kExitFailure;
  }
  try {
    if (command == "impacts") return run_impacts(args, out);
    if (command == "netcdf") return run_netcdf(args, out);
    if (command == "rch") return run_rch(args, out);
    if (command == "mfarray") return run_mfarray(args, out);
    if (command == "obs-impacts") return run_obs_impacts(args, out);
    if (command == "mf6-rcha") return run_mf6_rcha(args, out);
    if (command == "pest-ins") return run_pest_instructions(args, out);
    if (command == "pest-tpl") return run_pest_template(args, out);
    const Options options = parse_options(args);
    if (options.help) {
      out << kUsage;
      return 0;
    }
    if (options.version) {
      out << kVersion << "\n";
      return 0;
    }
    check_options(options);
    return run_command(options, out);
  } catch (const Failure& failure) {
    err << "gridkit: " << failure.what() << "\n";
  } catch (const utl::Fatal& stop) {
    // The toolkit's readers stop with a free-format line that begins with a blank.
    err << "gridkit:" << stop.text();
  } catch (const std::bad_alloc&) {
    err << "gridkit: out of memory\n";
  }
  return kExitFailure;
}

int run(const std::vector<std::string>& args) {
  utl::signal_cleanup::treat_file_size_limit_as_full_disk();
  const int status = run(args, std::cout, std::cerr);
  if (netcdf_close_failed()) {
    // The library's exit-time clean-up would crash on the file it could not close; the
    // temporary file is already removed and the message out.
    const bool written = utl::standard_output_written();
    std::cerr.flush();
    std::_Exit(written ? status : kExitFailure);
  }
  if (utl::standard_output_written()) return status;
  // Statistics or a report lost on the way (a full disk under a redirection) is no success.
  std::cerr << "gridkit: cannot write standard output\n";
  const bool answers_like_cmp = !args.empty() && (args[0] == "diff" || args[0] == "check");
  return answers_like_cmp ? kExitTrouble : kExitFailure;
}

}  // namespace gridkit
