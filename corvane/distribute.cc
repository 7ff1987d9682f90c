// Recharge distribution: sums of per-cell shares in area order, written through storemonth.
//
// Only the cells where an area holds acreage are visited. The grids are the same, bit for bit,
// as summing acres / totacres * flow over every area in every active cell: each skipped term is
// a zero, and adding a zero to a sum that started at +0 changes no bit.
#include "corvane/distribute.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "corvane/balance.h"
#include "corvane/monthly.h"
#include "utl/fatal.h"
#include "utl/fields.h"
#include "utl/storemonth.h"

namespace corvane {

double total_acres(const AreaCells& cells) {
  double total = 0.0;
  for (double a : cells.acres) total += a;
  return total;
}

std::vector<AreaShares> prepare_shares(const Params& params) {
  std::vector<AreaShares> shares(static_cast<std::size_t>(params.narea));
  for (int n = 0; n < params.narea; ++n) {
    const AreaCells& cells = params.acres[static_cast<std::size_t>(n)];
    AreaShares& out = shares[static_cast<std::size_t>(n)];
    const double total = total_acres(cells);
    // A total past the largest double would give every cell a share of 0, and the area's
    // return flows would vanish from the grids and the balance.
    if (!std::isfinite(total)) {
      utl::error("Total acreage overflows in AREA " +
                 std::string(utl::trimmed(params.areaname[static_cast<std::size_t>(n)])));
    }
    // With no acreage in total there is nothing to share in: 0 / 0 would spoil every cell.
    out.has_shares = total != 0.0;
    for (std::size_t k = 0; k < cells.cell.size(); ++k) {
      if (params.ibound[static_cast<std::size_t>(cells.cell[k])] == 0) continue;
      out.cell.push_back(cells.cell[k]);
      out.acres.push_back(cells.acres[k]);
      out.share.push_back(out.has_shares ? cells.acres[k] / total : 0.0);
    }
    for (std::size_t k = 0; k < out.cell.size(); ++k) {
      if (k > 0 && out.cell[k] == out.cell[k - 1] + 1) {
        ++out.runs.back().length;
      } else {
        out.runs.push_back({out.cell[k], static_cast<std::int32_t>(k), 1});
      }
    }
  }
  return shares;
}

namespace {

// Adds `scale` times each of `length` values at `values` to the cells from `out` on: within
// a run the cells are distinct, so the compiler may process several at once, and each cell
// still takes its product and its sum exactly as one at a time would.
void add_scaled(double* __restrict out, const double* __restrict values, std::int32_t length,
                double scale) {
  for (std::int32_t i = 0; i < length; ++i) out[i] += values[i] * scale;
}

void add_plain(double* __restrict out, const double* __restrict values, std::int32_t length) {
  for (std::int32_t i = 0; i < length; ++i) out[i] += values[i];
}

}  // namespace

void month_recharge(const std::vector<AreaShares>& shares, std::span<const double> flows,
                    std::span<double> rech) {
  std::fill(rech.begin(), rech.end(), 0.0);
  for (std::size_t n = 0; n < shares.size(); ++n) {
    const AreaShares& area = shares[n];
    const double flow = flows[n];
    if (!area.has_shares || flow == 0.0) continue;
    for (const CellRun& run : area.runs) {
      add_scaled(rech.data() + run.first_cell, area.share.data() + run.first_entry, run.length,
                 flow);
    }
  }
}

void year_area(const std::vector<AreaShares>& shares, const std::vector<bool>& has_returns,
               std::span<double> area) {
  std::fill(area.begin(), area.end(), 0.0);
  for (std::size_t n = 0; n < shares.size(); ++n) {
    if (!has_returns[n]) continue;
    for (const CellRun& run : shares[n].runs) {
      add_plain(area.data() + run.first_cell, shares[n].acres.data() + run.first_entry, run.length);
    }
  }
}

void distribute(const Params& params, std::vector<BalanceRow>* balance) {
  const std::vector<AreaShares> shares = prepare_shares(params);
  // The balance is computed beside the grids and leaves their arithmetic alone.
  const std::vector<AreaSplit> split =
      balance != nullptr ? split_areas(params, shares) : std::vector<AreaSplit>();
  const std::size_t narea = shares.size();
  std::vector<double> rech(kNcell);
  std::vector<double> area(kNcell);
  std::vector<double> flows(narea);
  std::vector<bool> has_returns(narea);
  const auto flow = [&](std::size_t n, int year, int month) {
    return params
        .retaf[retaf_index(static_cast<int>(n) + 1, year, month, kFirstTableYear, kLastTableYear)];
  };
  // Years outside the table have no return flows, so nothing is written for them.
  const int first = std::max(params.first_year, kFirstTableYear);
  const int last = std::min(params.last_year, kLastTableYear);
  for (int year = first; year <= last; ++year) {
    for (int month = 1; month <= 12; ++month) {
      double sum = 0.0;
      for (std::size_t n = 0; n < narea; ++n) {
        flows[n] = flow(n, year, month);
        sum += flows[n];
      }
      if (sum == 0.0) continue;
      month_recharge(shares, flows, rech);
      std::optional<std::string> written = utl::storemonth(
          rech, 1.0, kNrow, kNcol, year, month, params.dir, params.rech_ext, params.binary ? 1 : 0);
      if (balance != nullptr) {
        BalanceRow row = month_balance(split, flows, year, month);
        if (written) row.file = std::move(*written);
        balance->push_back(std::move(row));
      }
    }
    for (std::size_t n = 0; n < narea; ++n) {
      double sum = 0.0;
      for (int month = 1; month <= 12; ++month) sum += flow(n, year, month);
      has_returns[n] = sum != 0.0;
    }
    year_area(shares, has_returns, area);
    utl::storemonth(area, 1.0, kNrow, kNcol, year, -1, params.dir, params.area_ext,
                    params.binary ? 1 : 0);
  }
}

}  // namespace corvane
