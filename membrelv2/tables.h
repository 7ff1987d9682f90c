// The grid, tract and group dimensions of membrelv2 and the tables that one run holds.
#pragma once

#include <string>

namespace membrelv2 {

inline constexpr int kNrow = 165;
inline constexpr int kNcol = 326;
inline constexpr int kNcell = kNrow * kNcol;
inline constexpr float kCellWidth = 5280;
inline constexpr float kCellHeight = 5280;
inline constexpr float kWestEdge = 266023;
inline constexpr float kSouthEdge = 14092806;
inline constexpr float kNorthEdge = 14964006;  // south edge + 165 cells

// A 40-acre tract is named by township, range, section and tract within the section.
inline constexpr int kTownships = 20;
inline constexpr int kRanges = 45;
inline constexpr int kSections = 36;
inline constexpr int kTractsPerSection = 16;
inline constexpr int kNtract = kTownships * kRanges * kSections * kTractsPerSection;

inline constexpr int kGroups = 3000;
// Groups above this number are never listed as lacking authorized acreage.
inline constexpr int kListedGroups = 2905;
inline constexpr int kCounties = 44;
inline constexpr int kSystemTypes = 12;  // system types 0 to 11
inline constexpr int kDiversions = 500;  // diversion records read per year
inline constexpr int kFirstMonth = 5;    // May
inline constexpr int kLastMonth = 10;    // October

// Position of cell (column, row), both counted from 1, in a grid table: column fastest.
inline int cell_index(int column, int row) { return (row - 1) * kNcol + (column - 1); }

// Position of a tract, every number counted from 1, in a tract table.
inline int tract_index(int township, int range, int section, int tract) {
  return ((((township - 1) * kRanges + (range - 1)) * kSections + (section - 1)) *
              kTractsPerSection +
          (tract - 1));
}

// Every table of a run, zero at the start. Indices by county, month, group and system type
// count from 1, so entry 0 is unused.
struct Tables {
  std::string year;  // exactly four characters, never converted

  int ibound[kNcell];                           // 0: inactive cell
  int icty[kNcell];                             // county 1 to 44, or 0 for none
  float sysfac[kSystemTypes + 1];               // entry k: factor of system type k - 1
  float monfac[kCounties + 1][kLastMonth + 1];  // by county and month (5 to 10 used)
  float authgrp[kGroups + 1];                   // authorized acres of a group
  float retgrp[kGroups + 1];                    // return flow of a group's diversions
  float acrgrp[kGroups + 1];                    // acreage of a group's diversions
  float xcoord[kNtract];
  float ycoord[kNtract];
  float swret[kNcell];  // return flow per cell
  float acres[kNcell];  // acreage per cell

  float total_authorized;  // sum of every authorized acreage record
};

}  // namespace membrelv2
