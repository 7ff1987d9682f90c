// The corvane parameter file: the run settings and the inputs that its commands load.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "utl/grid_geometry.h"

namespace corvane {

// Model grid (column index fastest, row 1 north first) and where it lies.
using utl::cell_index;
using utl::kCellSize;
using utl::kNcell;
using utl::kNcol;
using utl::kNrow;
using utl::kXeast;
using utl::kXwest;
using utl::kYnorth;
using utl::kYsouth;

// Most areas a parameter file may define.
inline constexpr int kMaxArea = 256;
// Characters of a parameter record, a command word and an area name.
inline constexpr std::size_t kParamRecord = 8192;
inline constexpr std::size_t kWordLength = 16;
inline constexpr std::size_t kNameLength = 32;

// Years that the monthly return-flow table holds.
inline constexpr int kFirstTableYear = 1940;
inline constexpr int kLastTableYear = 2020;
inline constexpr int kMonthsPerArea = 12 * (kLastTableYear - kFirstTableYear + 1);

// The acreage of one area, kept for the cells that hold any (nonzero) acreage only: cell
// indexes (0-based, column fastest) in increasing order, with the acres of each. Zero cells
// add nothing to any sum, so this is the whole grid.
struct AreaCells {
  std::vector<std::int32_t> cell;
  std::vector<double> acres;
};

// Everything the parameter file sets up for the distribution.
struct Params {
  std::string dir;         // output directory (a field of 256 characters, blank-padded)
  std::string rech_ext;    // recharge file extension
  std::string area_ext;    // area file extension
  bool binary = false;     // "BIN": grids as binary records
  bool transient = false;  // a "TRANSIENT" command has been read
  int first_year = 0;
  int last_year = 0;
  std::vector<int> ibound = std::vector<int>(kNcell, 1);  // nonzero marks an active cell
  int narea = 0;
  std::vector<std::string> areaname;  // upper case, 32 characters each, in area order
  std::vector<AreaCells> acres;       // one per area, in area order
  bool returns = false;               // a "RETURN" command has been read
  std::vector<double> retaf;          // monthly return flows, see retaf_index (1940..2020)
  bool balance = false;               // a "BALANCE" command has been read
  std::string balance_file;           // where the water balance goes (the last "BALANCE")
  std::vector<std::string> inputs;    // every file the run reads, the parameter file first
  // Where an acreage grid file is read; all 0 between commands, so each area starts at 0.
  std::vector<double> area_grid = std::vector<double>(kNcell, 0.0);
};

// Reads and checks the whole parameter file `file`, loading every grid and table its commands
// name. The warning for a point area outside the grid is written to `warnings` at once. Stops
// on the first failure with the message of the failed check.
Params read_params(const std::string& file, std::ostream& warnings);

// Carries out one command record (already cleaned by linefix) on `params`.
void do_command(std::string_view record, Params& params, std::ostream& warnings);

// The checks made once the whole parameter file has been read.
void final_checks(const Params& params);

// Stops the run when the water balance would replace a file the run reads (by identity, not
// by spelling), before anything is written.
void check_balance_not_input(const Params& params);

// Cell index (0-based, column fastest) of the point (x, y), or -1 when it lies outside the grid.
// Points on a cell boundary belong to the cell east or north of it; points on the east or north
// edge of the grid to the edge cell.
int point_cell(double x, double y);

// Keeps the nonzero cells of a whole acreage grid.
AreaCells sparse_area(std::span<const double> grid);

}  // namespace corvane
