// The months of a corvane water balance, as the commands that build on a run read them: each
// month's recharge on active cells and the recharge grid written for it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gridkit {

struct BalanceMonth {
  int year = 0;
  int month = 0;
  double active_cells = 0.0;  // acre-feet placed on active cells: what the grid holds
  std::string recharge_file;  // empty when the month's grid was all 0 and not written
};

// The months of the balance text `text` (`path` names it in messages), blank lines left out.
// Throws Failure naming the line where a quote opens that is never closed, when the header is
// not the balance's, or where a record is not a month: a year of 1 to 9999, a month of 1 to 12,
// four finite numbers and the recharge file.
std::vector<BalanceMonth> parse_balance_months(std::string_view text, const std::string& path);

// The same, read from the file `path`.
std::vector<BalanceMonth> read_balance_months(const std::string& path);

}  // namespace gridkit
