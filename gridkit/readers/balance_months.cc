// A corvane water balance read month by month.
#include "gridkit/readers/balance_months.h"

#include <charconv>

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
constexpr std::size_t kFileColumn = 6;

template <typename T>
bool parse_whole(const std::string& text, T& value) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc{} && result.ptr == text.data() + text.size();
}

}  // namespace

std::vector<BalanceMonth> parse_balance_months(std::string_view text, const std::string& path) {
  const auto records = utl::parse_csv(text);
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
    if (record.size() != utl::kBalanceColumns || !parse_whole(record[kYearColumn], month.year) ||
        !parse_whole(record[kMonthColumn], month.month) || month.month < 1 || month.month > 12 ||
        !parse_whole(record[kActiveColumn], month.active_cells)) {
      throw Failure(path + ": line " + std::to_string(n + 1) + " is not a month of the balance");
    }
    month.recharge_file = record[kFileColumn];
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
