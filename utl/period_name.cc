// Names of stress-period grid files, made and read back.
#include "utl/period_name.h"

#include <cstdio>

#include "utl/fields.h"

namespace utl {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool all_digits(std::string_view text) {
  for (char c : text) {
    if (!is_digit(c)) return false;
  }
  return !text.empty();
}

int decimal_value(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

}  // namespace

std::string period_file_name(int year, int month, std::string_view ext) {
  std::string name;
  char number[48];
  if (year <= 0) {
    name += "steady";
  } else if (month <= 0) {
    // I4: right-justified, blank-filled; a year that does not fit shows asterisks.
    name += year > 9999 ? std::string_view("****")
                        : std::string_view(number, static_cast<std::size_t>(std::snprintf(
                                                       number, sizeof number, "%4d", year)));
  } else {
    // F7.2 of year + month / 100: 1995.03; a number that does not fit shows asterisks.
    const double period = year + month / 100.0;
    const int n = std::snprintf(number, sizeof number, "%7.2f", period);
    name +=
        n > 7 ? std::string_view("*******") : std::string_view(number, static_cast<std::size_t>(n));
  }
  name += '.';
  name += ext;
  name.erase(name.find_last_not_of(' ') + 1);
  return name;
}

std::string stress_period_name(int year, int month, std::string_view dir, std::string_view ext) {
  std::string name(trimmed(dir));
  name += '/';
  name += period_file_name(year, month, ext);
  return name;
}

std::optional<PeriodName> parse_period_name(std::string_view name) {
  if (name.size() < 6 || !all_digits(name.substr(0, 4)) || name[4] != '.') return std::nullopt;
  PeriodName period;
  period.year = decimal_value(name.substr(0, 4));
  std::string_view rest = name.substr(5);
  if (rest.size() > 3 && all_digits(rest.substr(0, 2)) && rest[2] == '.') {
    const int month = decimal_value(rest.substr(0, 2));
    if (month >= 1 && month <= 12) {
      period.month = month;
      rest.remove_prefix(3);
    }
  }
  period.ext = std::string(rest);
  return period;
}

}  // namespace utl
