// File names of corvane's stress-period grids read back into years and months.
#include "gridkit/readers/run_files.h"

#include <filesystem>

#include "gridkit/grid.h"
#include "gridkit/readers/grid_names.h"
#include "utl/period_name.h"

namespace gridkit {
namespace {

std::string without_dot(const std::string& ext) {
  return ext.starts_with('.') ? ext.substr(1) : ext;
}

}  // namespace

std::optional<std::pair<int, int>> month_of(const std::string& name, const std::string& ext) {
  const auto period = utl::parse_period_name(name);
  if (!period || period->month == 0 || period->ext != without_dot(ext)) return std::nullopt;
  return std::pair{period->year, period->month};
}

std::optional<int> year_of(const std::string& name, const std::string& ext) {
  const auto period = utl::parse_period_name(name);
  if (!period || period->month != 0 || period->ext != without_dot(ext)) return std::nullopt;
  return period->year;
}

RunFiles find_run_files(const std::string& dir, const std::string& recharge_ext,
                        const std::optional<std::string>& area_ext) {
  RunFiles files;
  for (const std::string& name : regular_files_in(dir)) {
    const std::string path = (std::filesystem::path(dir) / name).string();
    if (const auto month = month_of(name, recharge_ext)) {
      files.months[*month] = path;
    } else if (area_ext) {
      if (const auto year = year_of(name, *area_ext)) files.years[*year] = path;
    }
  }
  return files;
}

}  // namespace gridkit
