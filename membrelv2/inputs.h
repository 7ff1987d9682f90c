// Inputs of membrelv2: the run's file names and the readers of the factor, grid, county,
// monthly factor, authorized acreage and tract coordinate files.
//
// Each reader fills the tables; a value that has no place in its table stops the run, naming
// the file and the value. The free-format files are read through a FreeReader.
#pragma once

#include <string>
#include <string_view>

#include "membrelv2/freeread.h"
#include "membrelv2/tables.h"

namespace membrelv2 {

// The year as the run uses it: the argument padded with blanks or cut to four characters.
std::string year_text(std::string_view argument);

// Input paths, relative to the working directory.
inline const std::string kParameterFile = "../data/ks/sw/membrel.par";
inline const std::string kIboundFile = "../static/02.ibound";
inline const std::string kCountyFile = "../data0/cty.flg";
inline const std::string kCoordinateFile = "../data/ks/40coords.dat";
std::string monthly_factor_file(const std::string& year);
std::string authorized_acreage_file(const std::string& year);
std::string diversion_file(const std::string& year);

// Return-flow factors by system type: a count n (at most 12), then n records of one factor.
void readpar(FreeReader reader, Tables& tables);

// Activity grid: 165 grid lines.
void readibound(std::string_view text, const std::string& path, Tables& tables);

// County flag grid: a header line, skipped, then 165 grid lines of counties 0 to 44.
void readcty(std::string_view text, const std::string& path, Tables& tables);

// Monthly factors: 44 records, record i for county i: a number (not used) and the factors of
// May to October.
void readmonfac(FreeReader reader, Tables& tables);

// One record of the authorized acreage file.
struct AuthRecord {
  int group, township, range, section, tract;
  float acres;
};

// Reads the next authorized acreage record, its numbers checked against their ranges; false at
// the end of the file.
bool next_authorized(FreeReader& reader, AuthRecord& record);

// First pass over the authorized acreage: sums each group's acres into `authgrp` and all of
// them into `total_authorized`.
void readauth(FreeReader reader, Tables& tables);

// Tract coordinates: township, range, section, tract, x and y; a later record for a tract
// replaces an earlier one.
void readcoords(FreeReader reader, Tables& tables);

}  // namespace membrelv2
