// Recharge distribution: each area's monthly return flow spread over its cells in proportion to
// their acreage, summed over the areas in every active cell, and the yearly area grids.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "corvane/params.h"

namespace corvane {

// Cells next to one another in grid order: `length` cells from `first_cell`, whose acres and
// shares start at entry `first_entry` of their area's lists.
struct CellRun {
  std::int32_t first_cell;
  std::int32_t first_entry;
  std::int32_t length;
};

// The active cells of one area that hold acreage, with each cell's acres and its share of the
// area's return flow (acres / total acres of the area, inactive cells included in the total),
// in grid order; `runs` groups them into runs of neighbouring cells, so that sums over an area
// go through whole stretches of the grid at once.
struct AreaShares {
  std::vector<std::int32_t> cell;
  std::vector<double> acres;
  std::vector<double> share;
  std::vector<CellRun> runs;
  bool has_shares = false;  // false when the total acreage is 0: the flows reach no cell
};

// The shares of every area, in area order; computed once before the first year.
std::vector<AreaShares> prepare_shares(const Params& params);

// Total acreage of an area over all cells, rows then columns, as the sum of the whole grid.
double total_acres(const AreaCells& cells);

// Recharge of one month in `rech` (every cell): the sum over the areas, in order, of
// share * flow, where `flows` holds each area's return flow of the month.
// REQUIRES: flows.size() == shares.size(); rech.size() == kNcell.
void month_recharge(const std::vector<AreaShares>& shares, std::span<const double> flows,
                    std::span<double> rech);

// Area grid of one year in `area`: the acres, in active cells, of every area whose flag in
// `has_returns` is set, added in area order.
// REQUIRES: has_returns.size() == shares.size(); area.size() == kNcell.
void year_area(const std::vector<AreaShares>& shares, const std::vector<bool>& has_returns,
               std::span<double> area);

struct BalanceRow;

// Computes and writes every monthly recharge grid and yearly area grid of the run's years that
// the return-flow table covers; years outside it have no return flows and write nothing. When
// `balance` is given, it receives one row per month with returns, in the order computed.
void distribute(const Params& params, std::vector<BalanceRow>* balance = nullptr);

}  // namespace corvane
