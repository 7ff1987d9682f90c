// Diversion pass and distribution of return flow and acreage to the grid.
#include "membrelv2/diversions.h"

#include <cmath>
#include <cstdint>

#include "membrelv2/freeline.h"
#include "membrelv2/freeread.h"
#include "membrelv2/inputs.h"
#include "membrelv2/stop.h"

namespace membrelv2 {
namespace {

// Truncates toward zero, clamping to the 32-bit range.
int truncated(float value) {
  if (value >= 2147483648.0f) return INT32_MAX;
  if (value < -2147483648.0f) return INT32_MIN;
  return static_cast<int>(value);
}

// Adds a product of full precision to a single-precision sum, rounding the sum once more.
void add_rounded(float& sum, long double product) {
  sum = static_cast<float>(static_cast<long double>(sum) + product);
}

}  // namespace

DiversionTotals readdiv(FreeReader reader, Tables& tables) {
  DiversionTotals totals;
  int numbers[2];   // group, system type
  float values[3];  // a value not used, diversion, acreage
  for (int k = 0; k < kDiversions; ++k) {
    if (!reader.read_record("irrri", numbers, values)) return totals;
    const int group = numbers[0];
    const int type = numbers[1];
    reader.check_range("group", group, 1, kGroups);
    reader.check_range("system type", type, 0, kSystemTypes - 1);
    const float diversion = values[1];
    const float acreage = values[2];
    const float returned = diversion * tables.sysfac[type + 1];
    totals.diversion += diversion;
    tables.retgrp[group] += returned;
    tables.acrgrp[group] += acreage;
    if (tables.authgrp[group] <= 0) {
      totals.unauthorized_acres += acreage;
      totals.unauthorized_return += returned;
    }
  }
  totals.over_limit = !reader.at_end();
  return totals;
}

Cell cellof(float x, float y) {
  const float column = (x - kWestEdge) / kCellWidth + 1;
  const float row = (kNorthEdge - y) / kCellHeight + 1;
  return {truncated(column), truncated(row)};
}

ExceptionKind exception_kind(const Cell& cell, const Tables& tables) {
  if (cell.column < 1 || cell.column > kNcol) return ExceptionKind::kColumnOffGrid;
  if (cell.row < 1 || cell.row > kNrow) return ExceptionKind::kRowOffGrid;
  if (tables.ibound[cell_index(cell.column, cell.row)] == 0) return ExceptionKind::kInactiveCell;
  return ExceptionKind::kNone;
}

Distribution distribute(FreeReader reader, Tables& tables, std::string& listing) {
  static const char* const kLabels[] = {"", " sw return flow 1", " sw return flow 2",
                                        " sw return flow 3"};
  Distribution result;
  AuthRecord tract;
  while (next_authorized(reader, tract)) {
    const int index = tract_index(tract.township, tract.range, tract.section, tract.tract);
    const Cell cell = cellof(tables.xcoord[index], tables.ycoord[index]);
    const float authorized = tables.authgrp[tract.group];
    // A group authorized for exactly 0 acres gives its tracts no share (0 / 0).
    if (authorized == 0) continue;
    // The share and its products are not rounded to single precision; each sum is, after
    // every addition.
    const long double share = static_cast<long double>(tract.acres) / authorized;
    const ExceptionKind kind = exception_kind(cell, tables);
    if (kind == ExceptionKind::kNone) {
      const int at = cell_index(cell.column, cell.row);
      add_rounded(tables.swret[at], share * tables.retgrp[tract.group]);
      add_rounded(tables.acres[at], share * tables.acrgrp[tract.group]);
    } else {
      ++result.exceptions;
      add_rounded(result.lost_return, share * tables.retgrp[tract.group]);
      add_rounded(result.lost_acres, share * tables.acrgrp[tract.group]);
      listing += FreeLine()
                     .integer(result.exceptions)
                     .real(tract.acres)
                     .integer(cell.row)
                     .integer(cell.column)
                     .text(kLabels[static_cast<int>(kind)])
                     .str();
    }
  }
  return result;
}

}  // namespace membrelv2
