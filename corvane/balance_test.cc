// Water balance: the split of each area's flow, the identity of the columns against the recharge
// grid itself, and the CSV text and file.
#include "corvane/balance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>

#include "tests/support/run_program.h"
#include "utl/fatal.h"

namespace corvane {
namespace {

using testsupport::slurp;
using testsupport::TempDir;

AreaCells cells(std::vector<std::int32_t> cell, std::vector<double> acres) {
  return AreaCells{std::move(cell), std::move(acres)};
}

Params with_areas(std::vector<AreaCells> areas) {
  Params params;
  params.narea = static_cast<int>(areas.size());
  params.areaname.assign(areas.size(), "A");
  params.acres = std::move(areas);
  return params;
}

TEST(Balance, WorkedExampleWithInactiveCellAndAreasWithoutAcreage) {
  // A1: 100 acres on the inactive cell (10, 20), 300 on (11, 20). A2: a point of 50 acres.
  // A3: no acreage anywhere. A4: acres of opposite sign that add up to 0.
  Params params = with_areas({cells({cell_index(10, 20), cell_index(11, 20)}, {100, 300}),
                              cells({cell_index(11, 20)}, {50}), cells({}, {}),
                              cells({cell_index(1, 1), cell_index(2, 1)}, {5, -5})});
  params.ibound[static_cast<std::size_t>(cell_index(10, 20))] = 0;
  const std::vector<AreaShares> shares = prepare_shares(params);
  const std::vector<AreaSplit> split = split_areas(params, shares);
  ASSERT_EQ(split.size(), 4u);
  EXPECT_EQ(split[0].active, 0.75);
  EXPECT_EQ(split[0].inactive, 0.25);
  EXPECT_EQ(split[1].active, 1.0);
  EXPECT_EQ(split[1].inactive, 0.0);
  EXPECT_FALSE(split[2].has_shares);
  EXPECT_FALSE(split[3].has_shares);

  const std::vector<double> flows = {40, 5, 9, 3};
  const BalanceRow row = month_balance(split, flows, 1950, 3);
  EXPECT_EQ(row.year, 1950);
  EXPECT_EQ(row.month, 3);
  EXPECT_EQ(row.total, 57);
  EXPECT_EQ(row.active, 35);
  EXPECT_EQ(row.inactive, 10);
  EXPECT_EQ(row.no_acreage, 12);
  EXPECT_EQ(row.file, "");
}

// Random areas over active and inactive cells, some without acreage, flows of either sign: the
// columns add up to the total, and the active column is what the recharge grid holds.
TEST(Balance, ColumnsAddUpAndActivePartIsTheGridSum) {
  std::mt19937_64 random(19981004);
  std::uniform_int_distribution<int> any_cell(0, kNcell - 1);
  std::uniform_real_distribution<double> acres(0.0, 640.0);
  std::uniform_real_distribution<double> flow(-100.0, 3000.0);
  for (int trial = 0; trial < 5; ++trial) {
    std::vector<AreaCells> areas;
    for (int n = 0; n < 12; ++n) {
      std::vector<double> grid(kNcell, 0.0);
      if (n % 5 != 4) {  // every fifth area has no acreage
        for (int k = 0; k < 200; ++k)
          grid[static_cast<std::size_t>(any_cell(random))] = acres(random);
      }
      areas.push_back(sparse_area(grid));
    }
    Params params = with_areas(std::move(areas));
    for (int k = 0; k < 20000; ++k) params.ibound[static_cast<std::size_t>(any_cell(random))] = 0;
    const std::vector<AreaShares> shares = prepare_shares(params);
    const std::vector<AreaSplit> split = split_areas(params, shares);
    std::vector<double> flows(12);
    double magnitude = 0.0;
    for (double& f : flows) {
      f = flow(random);
      magnitude += std::fabs(f);
    }
    const BalanceRow row = month_balance(split, flows, 2000, 7);
    std::vector<double> rech(kNcell);
    month_recharge(shares, flows, rech);
    double grid_sum = 0.0;
    for (double r : rech) grid_sum += r;
    const double tolerance = 1e-12 * magnitude;
    EXPECT_NEAR(row.active + row.inactive + row.no_acreage, row.total, tolerance) << trial;
    EXPECT_NEAR(row.active, grid_sum, tolerance) << trial;
    EXPECT_NE(row.inactive, 0.0);
    EXPECT_NE(row.no_acreage, 0.0);
  }
}

TEST(Balance, CsvTextNumbersAndFileNames) {
  std::vector<BalanceRow> rows(3);
  rows[0] = {1998, 4, 1795.9, 1697.5, 98.4, 0.0, "grids/1998.04.rch"};
  // A negative flow on no active cell gives -0 there, written as 0; the grid was all 0.
  rows[1] = {1998, 12, -0.1, -0.0, -0.1, 0.0, ""};
  rows[2] = {2020, 1, 1.0 / 3.0, 1.0 / 3.0, 0.0, 0.0, "out, \"wet\"/2020.01.rch"};
  EXPECT_EQ(balance_csv(rows),
            "year,month,return_flow,active_cells,inactive_cells,no_acreage,recharge_file\n"
            "1998,4,1795.9,1697.5,98.4,0,grids/1998.04.rch\n"
            "1998,12,-0.1,0,-0.1,0,\n"
            "2020,1,0.3333333333333333,0.3333333333333333,0,0,\"out, \"\"wet\"\"/2020.01.rch\"\n");
  EXPECT_EQ(balance_csv({}),
            "year,month,return_flow,active_cells,inactive_cells,no_acreage,recharge_file\n");
}

TEST(Balance, FileWrittenWholeOrStopsWithItsName) {
  TempDir dir;
  const std::vector<BalanceRow> rows = {{1950, 3, 45, 35, 10, 0, "out/1950.03.rch"}};
  write_balance((dir / "b.csv").string(), rows);
  EXPECT_EQ(slurp(dir / "b.csv"), balance_csv(rows));
  const std::string missing = (dir / "none" / "b.csv").string();
  try {
    write_balance(missing, rows);
    ADD_FAILURE() << "no stop";
  } catch (const utl::Fatal& stop) {
    EXPECT_EQ(stop.text(), " Cannot open file " + missing + "\n");
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "none"));
}

}  // namespace
}  // namespace corvane
