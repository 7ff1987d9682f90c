// Recharge distribution: the sparse sums against the whole-grid formula, bit for bit.
#include "corvane/distribute.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

namespace corvane {
namespace {

// Parameters with whole acreage grids turned into areas.
Params with_areas(const std::vector<std::vector<double>>& grids) {
  Params params;
  for (const auto& grid : grids) {
    params.acres.push_back(sparse_area(grid));
    params.areaname.push_back("A");
  }
  params.narea = static_cast<int>(grids.size());
  return params;
}

// The recharge of one month by the formula over every area and every active cell:
// acres / totacres * flow, quotient first, added in area order. Areas without acreage are left
// out, as 0 / 0 has no meaning.
std::vector<double> dense_recharge(const std::vector<std::vector<double>>& grids,
                                   const std::vector<int>& ibound,
                                   const std::vector<double>& flows) {
  std::vector<double> total(grids.size(), 0.0);
  for (std::size_t n = 0; n < grids.size(); ++n) {
    for (int c = 0; c < kNcell; ++c) total[n] += grids[n][static_cast<std::size_t>(c)];
  }
  std::vector<double> rech(kNcell);
  for (std::size_t c = 0; c < static_cast<std::size_t>(kNcell); ++c) {
    rech[c] = 0.0;
    if (ibound[c] == 0) continue;
    for (std::size_t n = 0; n < grids.size(); ++n) {
      if (total[n] == 0.0) continue;
      rech[c] = rech[c] + grids[n][c] / total[n] * flows[n];
    }
  }
  return rech;
}

bool same_bits(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

TEST(Distribute, SparseSumsMatchWholeGridFormulaBitForBit) {
  std::mt19937_64 random(20240607);
  std::uniform_real_distribution<double> acres(0.0, 640.0);
  std::uniform_real_distribution<double> flow(-50.0, 5000.0);
  std::uniform_int_distribution<int> pick(0, 99);
  for (int trial = 0; trial < 4; ++trial) {
    const int narea = 6 + 10 * trial;
    std::vector<std::vector<double>> grids(static_cast<std::size_t>(narea),
                                           std::vector<double>(kNcell, 0.0));
    for (int n = 0; n < narea; ++n) {
      auto& grid = grids[static_cast<std::size_t>(n)];
      if (n == 2) continue;  // an area without acreage
      if (n == 3) {          // acreage that cancels: a total of 0 with nonzero cells
        grid[100] = 7.5, grid[200] = -7.5;
        continue;
      }
      // Overlapping blobs so that many cells are shared by several areas.
      const int start = pick(random) * 500;
      const int span = 200 + 300 * pick(random);
      for (int c = start; c < std::min(kNcell, start + span); ++c) {
        const int p = pick(random);
        if (p < 60) grid[static_cast<std::size_t>(c)] = p < 5 ? -acres(random) : acres(random);
        if (p == 99) grid[static_cast<std::size_t>(c)] = -0.0;
      }
    }
    Params params = with_areas(grids);
    for (int& flag : params.ibound) flag = pick(random) < 30 ? 0 : 1;
    const std::vector<AreaShares> shares = prepare_shares(params);
    for (int month = 0; month < 5; ++month) {
      std::vector<double> flows(static_cast<std::size_t>(narea));
      for (double& f : flows) f = pick(random) < 20 ? 0.0 : flow(random);
      std::vector<double> rech(kNcell, 99.0);
      month_recharge(shares, flows, rech);
      const std::vector<double> dense = dense_recharge(grids, params.ibound, flows);
      ASSERT_TRUE(same_bits(rech, dense)) << "trial " << trial << " month " << month;
      for (double v : rech) ASSERT_TRUE(std::isfinite(v));
    }
  }
}

TEST(Distribute, WorkedExample) {
  std::vector<double> a1(kNcell, 0.0);
  std::vector<double> a2(kNcell, 0.0);
  a1[static_cast<std::size_t>(cell_index(10, 20))] = 100;
  a1[static_cast<std::size_t>(cell_index(11, 20))] = 300;
  a2[static_cast<std::size_t>(cell_index(11, 20))] = 50;
  Params params = with_areas({a1, a2});
  std::vector<double> rech(kNcell);
  month_recharge(prepare_shares(params), std::vector<double>{40, 5}, rech);
  EXPECT_EQ(rech[static_cast<std::size_t>(cell_index(10, 20))], 10.0);
  EXPECT_EQ(rech[static_cast<std::size_t>(cell_index(11, 20))], 35.0);
  std::vector<double> area(kNcell);
  year_area(prepare_shares(params), {true, true}, area);
  EXPECT_EQ(area[static_cast<std::size_t>(cell_index(10, 20))], 100.0);
  EXPECT_EQ(area[static_cast<std::size_t>(cell_index(11, 20))], 350.0);
  year_area(prepare_shares(params), {false, true}, area);
  EXPECT_EQ(area[static_cast<std::size_t>(cell_index(10, 20))], 0.0);
  EXPECT_EQ(area[static_cast<std::size_t>(cell_index(11, 20))], 50.0);

  // An inactive cell keeps nothing; its share is lost, not moved to the other cell.
  params.ibound[static_cast<std::size_t>(cell_index(10, 20))] = 0;
  month_recharge(prepare_shares(params), std::vector<double>{40, 5}, rech);
  EXPECT_EQ(rech[static_cast<std::size_t>(cell_index(10, 20))], 0.0);
  EXPECT_EQ(rech[static_cast<std::size_t>(cell_index(11, 20))], 35.0);
  year_area(prepare_shares(params), {true, true}, area);
  EXPECT_EQ(area[static_cast<std::size_t>(cell_index(10, 20))], 0.0);
}

TEST(Distribute, AreaWithoutAcreageReachesNoCell) {
  std::vector<double> a1(kNcell, 0.0);
  std::vector<double> cancel(kNcell, 0.0);
  a1[5] = 2.0;
  cancel[6] = 3.0, cancel[7] = -3.0;
  Params params = with_areas({std::vector<double>(kNcell, 0.0), cancel, a1});
  EXPECT_EQ(total_acres(params.acres[1]), 0.0);
  const std::vector<AreaShares> shares = prepare_shares(params);
  EXPECT_FALSE(shares[0].has_shares);
  EXPECT_FALSE(shares[1].has_shares);
  std::vector<double> rech(kNcell);
  month_recharge(shares, std::vector<double>{1e6, 1e6, 8.0}, rech);
  EXPECT_EQ(rech[5], 8.0);
  EXPECT_EQ(rech[6], 0.0);
  EXPECT_EQ(rech[7], 0.0);
  for (double v : rech) ASSERT_TRUE(std::isfinite(v));
}

TEST(Distribute, TotalCountsInactiveCells) {
  std::vector<double> a1(kNcell, 0.0);
  a1[0] = 1.0, a1[kNcell - 1] = 3.0;
  Params params = with_areas({a1});
  params.ibound[0] = 0;
  const std::vector<AreaShares> shares = prepare_shares(params);
  ASSERT_EQ(shares[0].cell.size(), 1u);
  EXPECT_EQ(shares[0].share[0], 0.75);
}

}  // namespace
}  // namespace corvane
