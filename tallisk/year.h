// The inputs of one year's accounting: the accounting-point list and the volumes of the five
// runs, read in the order the accounting requires.
#pragma once

#include <array>
#include <string>

#include "tallisk/accounts.h"
#include "tallisk/hydmod.h"
#include "tallisk/report.h"

namespace tallisk {

// The accounting-point lists, from the working directory: the usual one and the one of -12p.
inline constexpr const char* kListPath = "../data0/tallisk.12s";
inline constexpr const char* kListPath12p = "../data0/tallisk.12p";

// Characters of the year that names the run files.
inline constexpr int kYearLength = 4;

// Reads the list at `list_path`, then the run files `year`.sfi, `year`a.sfi to `year`d.sfi of
// the working directory, each opened, read and closed in turn. Stops through the fatal routines
// on the first input that fails.
void read_year(const std::string& list_path, const std::string& year, AccountList& list,
               std::array<Volumes, kRuns>& runs);

}  // namespace tallisk
