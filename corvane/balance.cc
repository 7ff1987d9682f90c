// Water balance of the run, computed beside the recharge grids from the same shares and written
// as one CSV file at the end of the run.
#include "corvane/balance.h"

#include <cmath>

#include "utl/balance_format.h"
#include "utl/csv.h"
#include "utl/fatal.h"
#include "utl/number_text.h"
#include "utl/safe_output.h"

namespace corvane {
std::vector<AreaSplit> split_areas(const Params& params, const std::vector<AreaShares>& shares) {
  std::vector<AreaSplit> split(shares.size());
  for (std::size_t n = 0; n < shares.size(); ++n) {
    AreaSplit& out = split[n];
    out.has_shares = shares[n].has_shares;
    if (!out.has_shares) continue;
    for (double share : shares[n].share) out.active += share;
    const AreaCells& cells = params.acres[n];
    const double total = total_acres(cells);
    for (std::size_t k = 0; k < cells.cell.size(); ++k) {
      if (params.ibound[static_cast<std::size_t>(cells.cell[k])] != 0) continue;
      out.inactive += cells.acres[k] / total;
    }
  }
  return split;
}

BalanceRow month_balance(const std::vector<AreaSplit>& split, std::span<const double> flows,
                         int year, int month) {
  BalanceRow row;
  row.year = year;
  row.month = month;
  for (std::size_t n = 0; n < split.size(); ++n) {
    const double flow = flows[n];
    row.total += flow;
    if (split[n].has_shares) {
      row.active += flow * split[n].active;
      row.inactive += flow * split[n].inactive;
    } else {
      row.no_acreage += flow;
    }
  }
  return row;
}

std::string balance_csv(const std::vector<BalanceRow>& rows) {
  std::string text(utl::kBalanceHeader);
  text += '\n';
  for (const BalanceRow& row : rows) {
    text += std::to_string(row.year);
    text += ',';
    text += std::to_string(row.month);
    for (double value : {row.total, row.active, row.inactive, row.no_acreage}) {
      if (!std::isfinite(value)) {
        utl::error("Water balance overflows in " + std::to_string(row.year) + " month " +
                   std::to_string(row.month));
      }
      text += ',';
      // The fewest digits that read back to the value; a negative zero is written as 0.
      utl::append_shortest(text, value + 0.0);
    }
    text += ',';
    text += utl::csv_field(row.file);
    text += '\n';
  }
  return text;
}

void write_balance(const std::string& file, const std::vector<BalanceRow>& rows) {
  const std::string text = balance_csv(rows);
  utl::write_whole_file_or_stop(file, text);
}

}  // namespace corvane
