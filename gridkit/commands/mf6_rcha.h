// MODFLOW 6 input for a corvane run: the time discretization (TDIS) of its months and the
// array recharge package (RCHA) whose periods open each month's grid with the unit factor.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace gridkit {

// One stress period: a calendar month and the grid MODFLOW 6 opens for it, if any.
struct Mf6Period {
  int year = 0;
  int month = 0;
  int days = 0;
  std::optional<std::string> opened;  // the path written after OPEN/CLOSE
};

// The factor that turns acre-feet on a one-square-mile cell in a month of `days` days into
// feet per day: 1 / (640 acres x days).
double recharge_factor(int days);

// The TDIS file: days as the time unit, the first month's first day as the start date, and
// each month's length in days divided into `steps` equal time steps.
std::string tdis_text(const std::vector<Mf6Period>& periods, int steps);

// The RCHA file (READASARRAYS): each period's RECHARGE array, OPEN/CLOSE of its grid with the
// month's factor ((BINARY) when `binary`), or CONSTANT 0.0 for a month without a grid.
std::string rcha_text(const std::vector<Mf6Period>& periods, bool binary);

// `gridkit mf6-rcha DIR EXT -o PREFIX [--years Y1-Y2] [--steps N] [--model-dir D]`: writes
// PREFIX.tdis and PREFIX.rcha for the monthly grids DIR/YEAR.MONTH.EXT of the years (those
// with grids by default); text grids are opened where they are, grids of any other form are
// written as MODFLOW 6 binary arrays PREFIX.YEAR.MONTH.bin. Paths in the files are relative to
// D, the directory MODFLOW 6 runs in (the working directory by default).
int run_mf6_rcha(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace gridkit
