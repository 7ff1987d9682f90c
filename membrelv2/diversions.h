// The year's diversions: return flow and acreage per group, and their spread over the cells of
// each group's 40-acre tracts in proportion to the tracts' authorized acres.
#pragma once

#include <string>
#include <string_view>

#include "membrelv2/freeread.h"
#include "membrelv2/tables.h"

namespace membrelv2 {

// Totals of the diversion pass.
struct DiversionTotals {
  float diversion = 0;            // every record's diversion
  float unauthorized_acres = 0;   // acreage of records whose group has no positive authorization
  float unauthorized_return = 0;  // return flow of those same records
  bool over_limit = false;        // the file holds records beyond the ones read
};

// Reads up to 500 diversion records (group, a value not used, diversion, acreage, system
// type) and adds each record's return flow and acreage to its group.
DiversionTotals readdiv(FreeReader reader, Tables& tables);

// A grid cell as computed from a tract's coordinates; it may lie off the grid.
struct Cell {
  int column;
  int row;
};

// The cell of point (x, y): column (x - west edge) / 5280 + 1 and row (north edge - y) / 5280
// + 1, in single precision, truncated toward zero; a boundary belongs to the cell east and
// south of it. A number beyond the 32-bit range is clamped to it.
Cell cellof(float x, float y);

// Why a tract's share cannot go to its cell. The numbers of the exceptions are those of their
// labels in the tract exception listing.
enum class ExceptionKind {
  kNone = 0,           // on an active cell: the share goes to it
  kColumnOffGrid = 1,  // " sw return flow 1"
  kRowOffGrid = 2,     // " sw return flow 2"
  kInactiveCell = 3,   // " sw return flow 3"
};

// The first test that `cell` fails: column on the grid, row on the grid, cell active.
ExceptionKind exception_kind(const Cell& cell, const Tables& tables);

// Totals of the distribution pass.
struct Distribution {
  int exceptions = 0;
  float lost_return = 0;  // return flow of the tracts listed as exceptions
  float lost_acres = 0;   // acreage of those tracts
};

// Second pass over the authorized acreage file: adds each tract's share of its group's return
// flow and acreage to the tract's cell, and appends a line to `listing` for each tract that
// lies off the grid or on an inactive cell. A tract whose group has an authorized total of 0
// has no share and is passed over.
Distribution distribute(FreeReader reader, Tables& tables, std::string& listing);

}  // namespace membrelv2
