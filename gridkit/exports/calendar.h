// Days of the Gregorian calendar counted from 1 January 1940, the time origin of the NetCDF
// files: month bounds and mid-month instants.
#pragma once

namespace gridkit {

// The time origin, as CF units name it.
inline constexpr const char* kTimeUnits = "days since 1940-01-01";

// Days from 1940-01-01 to the first day of `month` (1 to 12) of `year`; negative before 1940.
int days_since_1940(int year, int month);

// The first and the last instant of a month, in days since 1940-01-01: [start, end).
struct MonthBounds {
  double start;
  double end;
  double middle() const { return (start + end) / 2.0; }
};

MonthBounds month_bounds(int year, int month);

}  // namespace gridkit
