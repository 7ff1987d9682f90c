// Water balance of the run: where each month's return flows went (active cells, inactive cells,
// areas without acreage), one CSV row per month with returns.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "corvane/distribute.h"
#include "corvane/params.h"

namespace corvane {

// How one area's return flow divides: the sums of its cells' shares (acres / total acres) over
// its active and over its inactive cells. An area without shares (total acreage 0) places
// nothing; its whole flow counts as without acreage.
struct AreaSplit {
  double active = 0.0;
  double inactive = 0.0;
  bool has_shares = false;
};

// One month of the balance. total = active + inactive + no_acreage, to within rounding.
struct BalanceRow {
  int year = 0;
  int month = 0;
  double total = 0.0;       // the return flows of all areas, added in area order
  double active = 0.0;      // placed on active cells: what the recharge grid holds
  double inactive = 0.0;    // fell on inactive cells and was dropped
  double no_acreage = 0.0;  // of areas whose total acreage is 0, which reach no cell
  std::string file;         // recharge file written; empty when the grid was all 0
};

// The split of every area, in area order. The active sums add the very shares that the
// recharge grids are built from; the inactive ones are formed by the same quotient.
// REQUIRES: shares == prepare_shares(params).
std::vector<AreaSplit> split_areas(const Params& params, const std::vector<AreaShares>& shares);

// The balance of one month whose areas have the return flows `flows`; the file name is left
// for the caller. REQUIRES: flows.size() == split.size().
BalanceRow month_balance(const std::vector<AreaSplit>& split, std::span<const double> flows,
                         int year, int month);

// The balance as CSV text: a header line, then one line per row.
std::string balance_csv(const std::vector<BalanceRow>& rows);

// Writes the balance to `file`, which appears whole or not at all. Stops with "Cannot open
// file " or "Cannot write to file " and the name.
void write_balance(const std::string& file, const std::vector<BalanceRow>& rows);

}  // namespace corvane
