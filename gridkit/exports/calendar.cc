// Day counts by the days-from-civil rule: years from March, so the leap day ends a year.
#include "gridkit/exports/calendar.h"

namespace gridkit {
namespace {

// Days from 1970-01-01 to year-month-day in the proleptic Gregorian calendar.
long long days_from_civil(long long year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long year_of_era = year - era * 400;
  const int shifted_month = month > 2 ? month - 3 : month + 9;
  const long long day_of_year = (153 * shifted_month + 2) / 5 + day - 1;
  const long long day_of_era =
      year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

}  // namespace

int days_since_1940(int year, int month) {
  return static_cast<int>(days_from_civil(year, month, 1) - days_from_civil(1940, 1, 1));
}

MonthBounds month_bounds(int year, int month) {
  const int next_year = month == 12 ? year + 1 : year;
  const int next_month = month == 12 ? 1 : month + 1;
  return {static_cast<double>(days_since_1940(year, month)),
          static_cast<double>(days_since_1940(next_year, next_month))};
}

}  // namespace gridkit
