// The netcdf command: the run's grid files found, read one at a time in time order and handed
// to the NetCDF writer.
#include "gridkit/commands/netcdf.h"

#include <ostream>

#include "gridkit/commands.h"
#include "gridkit/common.h"
#include "gridkit/exports/netcdf_file.h"
#include "gridkit/exports/prj.h"
#include "gridkit/option_cursor.h"
#include "gridkit/option_values.h"
#include "gridkit/readers/gridfile.h"

namespace gridkit {
namespace {

constexpr const char* kNetcdfUsage = "netcdf DIR RECHARGE_EXT [AREA_EXT] -o RUN.nc";

// Blanks the grid's inactive cells with the fill value.
void mask(std::vector<double>& values, const std::optional<Ibound>& ibound) {
  if (!ibound) return;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (ibound->flags[i] == 0) values[i] = kFillValue;
  }
}

// The grids of a run, read one after another into the same storage, each in the form its
// content shows and masked; a month or year without a file is zeros, masked once.
class StepGrids {
 public:
  explicit StepGrids(const std::optional<Ibound>& ibound) : ibound_(ibound) {
    mask(zeros_, ibound_);
  }

  const std::vector<double>& of(const std::string* path) {
    if (!path) return zeros_;
    read_grid_into(*path, contents_, loaded_);
    mask(loaded_.grid.values, ibound_);
    return loaded_.grid.values;
  }

 private:
  const std::optional<Ibound>& ibound_;
  std::vector<double> zeros_ = std::vector<double>(kCells, 0.0);
  std::string contents_;
  LoadedGrid loaded_;
};

}  // namespace

NetcdfArgs parse_netcdf_args(const std::vector<std::string>& args) {
  NetcdfArgs parsed;
  std::vector<std::string> words;
  std::optional<std::string> output;
  walk_arguments(args, [&](OptionCursor& cursor, const std::string& name) {
    if (cursor.is_output()) {
      output = cursor.value();
    } else if (name == "--years") {
      parsed.years = parse_year_span(cursor.value());
    } else if (name == "--ibound") {
      parsed.ibound = cursor.value();
    } else if (name == "--prj") {
      parsed.prj = cursor.value();
    } else if (name == "--epsg") {
      throw Failure(std::string(kNoEpsg));
    } else {
      cursor.refuse_unknown_option();
      words.push_back(cursor.argument());
    }
  });
  if (words.size() < 2 || words.size() > 3) {
    throw Failure(std::string("netcdf takes a directory and one or two extensions: ") +
                  kNetcdfUsage);
  }
  if (!output) throw Failure(std::string("netcdf needs an output file: ") + kNetcdfUsage);
  parsed.dir = words[0];
  parsed.recharge_ext = words[1];
  if (words.size() == 3) parsed.area_ext = words[2];
  parsed.output = *output;
  return parsed;
}

std::pair<int, int> covered_years(const NetcdfArgs& args, const RunFiles& files) {
  if (args.years) return *args.years;
  if (files.months.empty() && files.years.empty()) {
    throw Failure("no grids YEAR.MONTH." + args.recharge_ext +
                  (args.area_ext ? " or YEAR." + *args.area_ext : std::string()) + " in " +
                  args.dir + "; name the years with --years to write zeros");
  }
  int first = 9999, last = 0;
  for (const auto& [month, path] : files.months) {
    first = std::min(first, month.first);
    last = std::max(last, month.first);
  }
  for (const auto& [year, path] : files.years) {
    first = std::min(first, year);
    last = std::max(last, year);
  }
  return {first, last};
}

int run_netcdf(const std::vector<std::string>& args, std::ostream& out, std::ostream& /*err*/) {
  const NetcdfArgs parsed = parse_netcdf_args(args);
  if (!netcdf_built_in()) throw Failure(std::string(kNoNetcdf));
  const RunFiles files = find_run_files(parsed.dir, parsed.recharge_ext, parsed.area_ext);
  const auto [first, last] = covered_years(parsed, files);
  std::optional<Ibound> ibound;
  if (parsed.ibound) ibound = read_ibound(*parsed.ibound);

  StackLayout layout;
  layout.first_year = first;
  layout.last_year = last;
  layout.with_area = parsed.area_ext.has_value();
  layout.with_fill = ibound.has_value();
  if (parsed.prj) layout.wkt = read_wkt(*parsed.prj);
  layout.source = "corvane grids " + parsed.dir + "/YEAR.MONTH." + parsed.recharge_ext +
                  (parsed.area_ext ? " and " + parsed.dir + "/YEAR." + *parsed.area_ext : "") +
                  ", written by gridkit";
  NetcdfStack stack(parsed.output, layout);
  StepGrids step_grids(ibound);
  int grids = 0;
  for (int year = first; year <= last; ++year) {
    for (int month = 1; month <= 12; ++month) {
      const auto found = files.months.find({year, month});
      const bool have = found != files.months.end();
      grids += have ? 1 : 0;
      stack.put_month((year - first) * 12 + month - 1,
                      step_grids.of(have ? &found->second : nullptr));
    }
    if (layout.with_area) {
      const auto found = files.years.find(year);
      const bool have = found != files.years.end();
      grids += have ? 1 : 0;
      stack.put_year(year - first, step_grids.of(have ? &found->second : nullptr));
    }
  }
  stack.commit();
  out << "gridkit: " << parsed.output << ": " << grids << " grids of " << first << " to " << last
      << "\n";
  return 0;
}

extern constinit const Command kNetcdfCommand{
    "netcdf", "netcdf DIR RECHARGE_EXT [AREA_EXT] -o OUT.nc [options]",
    "a corvane run's monthly recharge and yearly area grids\n"
    "as one CF NetCDF file",
    "A corvane run's monthly recharge grids (DIR/YEAR.MONTH.RECHARGE_EXT) and yearly area\n"
    "grids (DIR/YEAR.AREA_EXT) as one CF NetCDF file; months without a grid are zeros.\n"
    "  -o, --output OUT  the file to write\n"
    "  --years Y1-Y2     the years to cover (default: those with grid files)\n"
    "  --ibound FILE     active-cell flag grid: inactive cells as missing values\n"
    "  --prj FILE        the crs variable with the coordinate system given as WKT in FILE\n",
    run_netcdf};

}  // namespace gridkit
