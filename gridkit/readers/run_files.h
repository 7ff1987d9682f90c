// The grids of one corvane run in its output directory: monthly recharge grids named
// YEAR.MONTH.ext and yearly area grids named YEAR.ext, as corvane's FILE command names them.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace gridkit {

struct RunFiles {
  std::map<std::pair<int, int>, std::string> months;  // (year, month) to the file's path
  std::map<int, std::string> years;                   // year to the area grid's path
};

// The grids in `dir` with the extension `recharge_ext` (monthly) and, given one, `area_ext`
// (yearly); an extension may be given with or without its dot. Other files are passed over.
// Throws Failure when the directory cannot be listed.
RunFiles find_run_files(const std::string& dir, const std::string& recharge_ext,
                        const std::optional<std::string>& area_ext);

// The monthly grid name's year and month: "1998.04.rch" with extension "rch" gives (1998, 4).
std::optional<std::pair<int, int>> month_of(const std::string& name, const std::string& ext);

// The yearly grid name's year: "1998.are" with extension "are" gives 1998.
std::optional<int> year_of(const std::string& name, const std::string& ext);

}  // namespace gridkit
