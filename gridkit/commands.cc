// The table of gridkit's commands and the help texts made from it.
#include "gridkit/commands.h"

#include <algorithm>
#include <array>
#include <ostream>

#include "gridkit/commands/check.h"
#include "gridkit/commands/diff.h"
#include "gridkit/commands/explain.h"
#include "gridkit/commands/grid_commands.h"
#include "gridkit/commands/impacts.h"
#include "gridkit/commands/mf6_rcha.h"
#include "gridkit/commands/mfarray.h"
#include "gridkit/commands/netcdf.h"
#include "gridkit/commands/obs_impacts.h"
#include "gridkit/commands/pest_ins.h"
#include "gridkit/commands/pest_tpl.h"
#include "gridkit/commands/rch.h"

namespace gridkit {
namespace {

using Args = std::vector<std::string>;

int grid_command(const Args& args, std::ostream& out, std::ostream&) {
  return run_grid_command(args, out);
}

// The arguments after the command's name, for the commands that read only those.
Args after_name(const Args& args) { return Args(args.begin() + 1, args.end()); }

const std::array kCommands = {
    Command{"stats", "stats FILE [--ibound IBOUND] [--format FORM]",
            "minimum, maximum, sum and nonzero cells of a grid",
            "The minimum, maximum and sum of a grid's cells and its nonzero cells on standard\n"
            "output; with --ibound also the active cells and the sums over active and inactive\n"
            "cells apart.\n"
            "  --format FORM     form of the grid file: text, binary, fixed, free or flags\n"
            "                    (default: told from the file's content)\n"
            "  --ibound FILE     active-cell flag grid (* for all cells active)\n",
            grid_command},
    Command{"png", "png FILE -o OUT.png [--ibound IBOUND] [--format FORM] [--scale N]",
            "a map of a grid as a PNG picture",
            "A map of a grid as a PNG picture, inactive cells masked.\n"
            "  -o, --output OUT  the picture to write\n"
            "  --format FORM     form of the grid file: text, binary, fixed, free or flags\n"
            "                    (default: told from the file's content)\n"
            "  --ibound FILE     active-cell flag grid (* for all cells active)\n"
            "  --scale N         pixels per cell, 1 to 12 (default 3)\n",
            grid_command},
    Command{"asc", "asc FILE -o OUT.asc [--ibound IBOUND] [--format FORM] [--prj WKT_FILE]",
            "a grid as an Esri ASCII grid",
            "A grid as an Esri ASCII grid, inactive cells as the no-data value.\n"
            "  -o, --output OUT  the grid to write\n"
            "  --format FORM     form of the grid file: text, binary, fixed, free or flags\n"
            "                    (default: told from the file's content)\n"
            "  --ibound FILE     active-cell flag grid (* for all cells active)\n"
            "  --prj FILE        also write OUT.prj, the coordinate system given as WKT in FILE\n",
            grid_command},
    Command{"hydmod", "hydmod FILE -o OUT.csv", "a HYDMOD run file as CSV",
            "A HYDMOD run file as CSV: a row a time record, a column a label.\n"
            "  -o, --output OUT  the CSV to write\n",
            grid_command},
    Command{"obs", "obs FILE -o OUT.csv", "a MODFLOW 6 observation file (text or binary) as CSV",
            "A MODFLOW 6 observation file, text or binary, as CSV.\n"
            "  -o, --output OUT  the CSV to write\n",
            grid_command},
    Command{"diff", "diff A B [--abs-tol X] [--rel-tol R] [--csv OUT.csv] [--png OUT.png]",
            "two grid files, or two directories of them, compared cell by cell", "",
            [](const Args& args, std::ostream& out, std::ostream& err) {
              return run_diff(after_name(args), out, err);
            },
            true},
    Command{"check", "check DIR --balance FILE",
            "grid files in DIR that a corvane run did not write, or missing", "",
            [](const Args& args, std::ostream& out, std::ostream& err) {
              return run_check(after_name(args), out, err);
            },
            true},
    Command{
        "impacts", "impacts [-12p] YEAR [-o OUT.csv]",
        "a year's impacts at full precision as CSV, run where tallisk runs",
        "A year's impacts at full precision as CSV, from the accounting-point list and the\n"
        "five HYDMOD run files tallisk reads, in the directory where tallisk runs (-12p: its\n"
        "12-point list).\n"
        "  -o, --output OUT  the CSV to write (default: standard output)\n",
        [](const Args& args, std::ostream& out, std::ostream&) { return run_impacts(args, out); }},
    Command{"obs-impacts", "obs-impacts [-12p] YEAR BASE A B C D [-o OUT.csv] [--page OUT.htm]",
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
            [](const Args& args, std::ostream& out, std::ostream&) {
              return run_obs_impacts(args, out);
            }},
    Command{
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
        [](const Args& args, std::ostream& out, std::ostream&) { return run_mf6_rcha(args, out); }},
    Command{
        "netcdf", "netcdf DIR RECHARGE_EXT [AREA_EXT] -o OUT.nc [options]",
        "a corvane run's monthly recharge and yearly area grids\n"
        "as one CF NetCDF file",
        "A corvane run's monthly recharge grids (DIR/YEAR.MONTH.RECHARGE_EXT) and yearly area\n"
        "grids (DIR/YEAR.AREA_EXT) as one CF NetCDF file; months without a grid are zeros.\n"
        "  -o, --output OUT  the file to write\n"
        "  --years Y1-Y2     the years to cover (default: those with grid files)\n"
        "  --ibound FILE     active-cell flag grid: inactive cells as missing values\n"
        "  --prj FILE        the crs variable with the coordinate system given as WKT in FILE\n",
        [](const Args& args, std::ostream& out, std::ostream&) { return run_netcdf(args, out); }},
    Command{"rch", "rch BALANCE (--year YEAR -o OUT.rch | --years Y1-Y2 -o DIR) [options]",
            "MODFLOW's recharge package file of a year of a corvane run", "",
            [](const Args& args, std::ostream& out, std::ostream&) { return run_rch(args, out); }},
    Command{
        "mfarray", "mfarray GRID|DIR -o OUT [--precision double|single] [--text TEXT]",
        "a grid, or a directory of them, as MODFLOW binary array files", "",
        [](const Args& args, std::ostream& out, std::ostream&) { return run_mfarray(args, out); }},
    Command{"explain", "explain FILE [--list LIST]",
            "why a HYDMOD file does or does not fit tallisk's accounting", "",
            [](const Args& args, std::ostream& out, std::ostream& err) {
              return run_explain(after_name(args), out, err);
            },
            true},
    Command{"pest-ins", "pest-ins IMPACTS.csv -o OUT.ins",
            "a PEST instruction file reading an impacts CSV's observations",
            "A PEST instruction file that reads the observations of an impacts CSV.\n"
            "  -o, --output OUT  the instruction file to write\n",
            [](const Args& args, std::ostream& out, std::ostream&) {
              return run_pest_instructions(args, out);
            }},
    Command{"pest-tpl", "pest-tpl FILE --param NAME=AREA:WHAT ... -o OUT.tpl",
            "a PEST template of a return-flow table (WHAT: YYYYMM or YYYY)\n"
            "or a parameter file (WHAT: x, y or acres of a point area)",
            "A PEST template of a return-flow table or of a parameter file.\n"
            "  --param NAME=AREA:WHAT  a parameter NAME in place of AREA's value WHAT: a month\n"
            "                          YYYYMM or a year YYYY of a table, or x, y or acres of\n"
            "                          a point area of a parameter file; given once a parameter\n"
            "  -o, --output OUT        the template to write\n",
            [](const Args& args, std::ostream& out, std::ostream&) {
              return run_pest_template(args, out);
            }},
};

constexpr std::size_t kSummaryColumn = 26;

// One command's lines of the general help: its usage, then its summary from the summary
// column (on the usage's line when there is room).
void add_command_lines(std::string& text, const Command& command) {
  text += "  ";
  text += command.usage;
  std::string_view summary = command.summary;
  bool first_line = true;
  while (!summary.empty()) {
    const std::size_t end = std::min(summary.find('\n'), summary.size());
    const std::size_t used = first_line ? 2 + command.usage.size() : kSummaryColumn;
    if (first_line && used + 2 <= kSummaryColumn) {
      text.append(kSummaryColumn - used, ' ');
    } else {
      text += '\n';
      text.append(kSummaryColumn, ' ');
    }
    text += summary.substr(0, end);
    summary.remove_prefix(std::min(end + 1, summary.size()));
    first_line = false;
  }
  text += '\n';
}

}  // namespace

std::span<const Command> commands() { return kCommands; }

const Command* find_command(std::string_view name) {
  const auto found = std::find_if(kCommands.begin(), kCommands.end(),
                                  [&](const Command& command) { return command.name == name; });
  return found == kCommands.end() ? nullptr : &*found;
}

std::string general_help() {
  std::string text =
      "Usage: gridkit COMMAND [options] FILE\n"
      "\n"
      "Commands:\n";
  for (const Command& command : kCommands) add_command_lines(text, command);
  text +=
      "\n"
      "Options come before or after the files, as --name VALUE or --name=VALUE, and -- ends\n"
      "them; a command's own are shown by gridkit COMMAND --help. An unknown option, or one\n"
      "without its value, ends the run with status 2.\n"
      "  --help            this text\n"
      "  --version         the program's version\n";
  return text;
}

std::string command_help(const Command& command) {
  std::string text = "Usage: gridkit ";
  text += command.usage;
  text += "\n\n";
  text += command.help;
  text += "  --help            this text\n";
  return text;
}

}  // namespace gridkit
