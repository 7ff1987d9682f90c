// A corvane water balance read month by month.
#include "gridkit/readers/balance_months.h"

#include <charconv>
#include <cmath>

#include "gridkit/common.h"
#include "gridkit/grid.h"
#include "gridkit/readers/gridfile.h"
#include "utl/balance_format.h"
#include "utl/csv.h"

namespace gridkit {
namespace {

constexpr std::size_t kYearColumn = 0;
constexpr std::size_t kMonthColumn = 1;
constexpr std::size_t kActiveColumn = 3;

// Whether `text` is a whole integer from `low` to `high`, put in `value`.
bool integer_in(const std::string& text, int low, int high, int& value) {
  const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
  return parsed.ec == std::errc{} && parsed.ptr == text.data() + text.size() && value >= low &&
         value <= high;
}

// Whether `text` is a whole finite number, put in `value`.
bool finite_number(const std::string& text, double& value) {
  const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
  return parsed.ec == std::errc{} && parsed.ptr == text.data() + text.size() &&
         std::isfinite(value);
}

// Whether `record` is one month of a balance: a year, a month of 1 to 12, four finite numbers
// and the recharge file; the month read into `month`.
bool read_month(const std::vector<std::string>& record, BalanceMonth& month) {
  if (record.size() != utl::kBalanceColumns ||
      !integer_in(record[kYearColumn], 1, 9999, month.year) ||
      !integer_in(record[kMonthColumn], 1, 12, month.month)) {
    return false;
  }
  for (std::size_t k = kMonthColumn + 1; k + 1 < record.size(); ++k) {
    double value = 0.0;
    if (!finite_number(record[k], value)) return false;
    if (k == kActiveColumn) month.active_cells = value;
  }
  month.recharge_file = record.back();
  return true;
}

}  // namespace

std::vector<BalanceMonth> parse_balance_months(std::string_view text, const std::string& path) {
  std::vector<std::size_t> lines;
  std::size_t unclosed_line = 0;
  const auto records = utl::parse_csv(text, lines, unclosed_line);
  if (unclosed_line != 0) {
    throw Failure(path + ": line " + std::to_string(unclosed_line) + " opens a quote never closed");
  }
  std::string header;
  if (!records.empty()) {
    for (const std::string& field : records.front()) header += (header.empty() ? "" : ",") + field;
  }
  if (header != utl::kBalanceHeader) throw Failure(path + ": not a corvane water balance");
  std::vector<BalanceMonth> months;
  for (std::size_t n = 1; n < records.size(); ++n) {
    const std::vector<std::string>& record = records[n];
    if (record.size() == 1 && record.front().empty()) continue;  // a blank line
    BalanceMonth month;
    if (!read_month(record, month)) {
      throw Failure(path + ": line " + std::to_string(lines[n]) + " is not a month of the balance");
    }
    months.push_back(std::move(month));
  }
  return months;
}

std::vector<BalanceMonth> read_balance_months(const std::string& path) {
  std::string text;
  read_input_file(path, text);
  return parse_balance_months(text, path);
}

}  // namespace gridkit
