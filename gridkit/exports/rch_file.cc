// The model's recharge package file of a year of a corvane run: one stress period a month that
// reads the month's grid with the multiplier to feet per time unit.
#include "gridkit/exports/rch_file.h"

#include <array>
#include <filesystem>
#include <map>

#include "gridkit/common.h"
#include "gridkit/exports/calendar.h"
#include "utl/number_text.h"

namespace gridkit {
namespace {

namespace fs = std::filesystem;

constexpr double kSquareFeetPerAcre = 43560.0;
constexpr double kCellSquareFeet = 5280.0 * 5280.0;  // one square mile
constexpr double kDaysPerYear = 365.25;
// The longest array control line the model reads.
constexpr std::size_t kLongestControlLine = 200;

constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

struct UnitName {
  const char* name;
  TimeUnit unit;
};
constexpr std::array<UnitName, 5> kUnitNames = {{{"seconds", TimeUnit::kSeconds},
                                                 {"minutes", TimeUnit::kMinutes},
                                                 {"hours", TimeUnit::kHours},
                                                 {"days", TimeUnit::kDays},
                                                 {"years", TimeUnit::kYears}}};

const char* unit_name(TimeUnit unit) {
  for (const UnitName& entry : kUnitNames) {
    if (entry.unit == unit) return entry.name;
  }
  return "days";
}

// Time units in one day.
double units_per_day(TimeUnit unit) {
  switch (unit) {
    case TimeUnit::kSeconds:
      return 86400.0;
    case TimeUnit::kMinutes:
      return 1440.0;
    case TimeUnit::kHours:
      return 24.0;
    case TimeUnit::kDays:
      return 1.0;
    case TimeUnit::kYears:
      return 1.0 / kDaysPerYear;
  }
  return 1.0;
}

// An integer right-justified in the ten columns the model's fixed-format input reads.
std::string field10(int value) {
  std::string text = std::to_string(value);
  return std::string(text.size() < 10 ? 10 - text.size() : 0, ' ') + text;
}

// The array control line of one month's grid.
std::string control_line(const std::string& file, double multiplier, const RchLayout& layout) {
  const std::string path =
      layout.grids ? (fs::path(*layout.grids) / fs::path(file).filename()).generic_string() : file;
  if (path.find_first_of(" \t") != std::string::npos) {
    throw Failure("the grid path '" + path + "' holds a blank, which an OPEN/CLOSE line cannot");
  }
  std::string line = "OPEN/CLOSE " + path + " " + utl::plain_number(multiplier) + " " +
                     (layout.binary ? "(BINARY)" : "(FREE)") + " -1";
  if (line.size() > kLongestControlLine) {
    throw Failure("the OPEN/CLOSE line of '" + path +
                  "' is longer than the model's 200 characters");
  }
  return line;
}

std::string heading(const RchLayout& layout) {
  const std::string unit = unit_name(layout.unit);
  std::string text = "# Recharge of " + std::to_string(layout.year) + " from the corvane water " +
                     "balance " + layout.source + ", written by gridkit rch.\n" +
                     "# One stress period a month: the month's grid in acre-feet per cell per " +
                     "month,\n# times 43560 / (5280^2 x the month's length), in feet per " +
                     unit.substr(0, unit.size() - 1) + ".\n" +
                     "# Stress periods of the discretization file (PERLEN NSTP TSMULT Ss/Tr):\n";
  for (int month = 1; month <= 12; ++month) {
    text += "#   " + utl::plain_number(month_length(layout.year, month, layout)) + " " +
            std::to_string(layout.steps) + " 1.0 TR  " + kMonthNames[month - 1] + "\n";
  }
  return text;
}

}  // namespace

std::optional<TimeUnit> parse_time_unit(std::string_view name) {
  for (const UnitName& entry : kUnitNames) {
    if (name == entry.name) return entry.unit;
  }
  return std::nullopt;
}

double month_length(int year, int month, const RchLayout& layout) {
  double days = 30.0;
  if (!layout.thirty_day_months) {
    const MonthBounds bounds = month_bounds(year, month);
    days = bounds.end - bounds.start;
  }
  return days * units_per_day(layout.unit);
}

double rch_multiplier(int year, int month, const RchLayout& layout) {
  return kSquareFeetPerAcre / (kCellSquareFeet * month_length(year, month, layout));
}

std::string format_rch(const std::vector<BalanceMonth>& months, const RchLayout& layout) {
  std::map<int, std::string> files;  // month: its grid, for the months of the year with one
  for (const BalanceMonth& month : months) {
    if (month.year == layout.year && !month.recharge_file.empty()) {
      files[month.month] = month.recharge_file;
    }
  }
  std::string text = heading(layout);
  text += field10(1) + field10(layout.budget_unit) + "  NRCHOP IRCHCB\n";
  for (int month = 1; month <= 12; ++month) {
    text += field10(1) + "  INRECH, " + kMonthNames[month - 1] + " " + std::to_string(layout.year) +
            "\n";
    const auto found = files.find(month);
    text += found == files.end()
                ? std::string("CONSTANT 0.0")
                : control_line(found->second, rch_multiplier(layout.year, month, layout), layout);
    text += "\n";
  }
  return text;
}

}  // namespace gridkit
