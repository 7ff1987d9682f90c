// MODFLOW 6 observation files as CSV, the counterpart of HYDMOD run files as CSV: a header row
// "time" and the names, then one row per record with each value as stored.
#pragma once

#include <string>

#include "gridkit/readers/obs_file.h"

namespace gridkit {

// The CSV text of `series`, every number in the fewest digits that read back the same.
std::string obs_to_csv(const ObsSeries& series);

}  // namespace gridkit
