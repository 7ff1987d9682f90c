// The model's recharge package file of a year of a corvane run. Each month is one stress period
// that reads the month's grid through OPEN/CLOSE with the multiplier that turns acre-feet per
// one-square-mile cell per month into feet per model time unit, 43560 / (5280^2 x the month's
// length in time units); a month for which the run wrote no grid is CONSTANT 0.0.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gridkit/readers/balance_months.h"

namespace gridkit {

// The model's time units (its ITMUNI 1 to 5).
enum class TimeUnit { kSeconds, kMinutes, kHours, kDays, kYears };

struct RchLayout {
  int year = 0;
  TimeUnit unit = TimeUnit::kDays;
  bool thirty_day_months = false;    // every month 30 days, else the calendar's months
  int steps = 2;                     // time steps per month, for the periods' listing
  int budget_unit = 0;               // IRCHCB: the unit of the cell-by-cell budget, 0 for none
  std::optional<std::string> grids;  // the directory the model finds the grids in
  bool binary = false;               // the grids are the model's binary array files
  std::string source;                // the balance's name, for the heading
};

// The time unit named `name` (seconds, minutes, hours, days or years), or nothing.
std::optional<TimeUnit> parse_time_unit(std::string_view name);

// Length of `month` of `year` in the layout's time unit.
double month_length(int year, int month, const RchLayout& layout);

// The multiplier from acre-feet per cell per month to feet per time unit for that month.
double rch_multiplier(int year, int month, const RchLayout& layout);

// The text of the recharge package file. Throws Failure when a grid's path cannot stand in an
// OPEN/CLOSE line (a blank in it, or a line over 200 characters).
std::string format_rch(const std::vector<BalanceMonth>& months, const RchLayout& layout);

}  // namespace gridkit
