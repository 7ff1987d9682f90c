// One run's MODFLOW 6 observations integrated over the accounting window into acre-feet per
// accounting point, as tallisk integrates a HYDMOD file.
#pragma once

#include <string>

#include "gridkit/readers/obs_accounts.h"
#include "gridkit/readers/obs_file.h"
#include "tallisk/hydmod.h"

namespace gridkit {

// The records integrated: `records` time steps from `start`, the simulation's start (0) or the
// end of a time step. Each step's value, written at its end, stands for the whole step.
struct ObsWindow {
  double start = 0.0;
  int records = tallisk::kIntegratedRecords;
};

// Enough records for `window`: those up to the window's last, so a file's later records are
// neither read nor checked, as for HYDMOD files.
ObsEnough window_read(const ObsWindow& window);

// The signed sum, per point of `list`, of the volumes of the observations its entries name, in
// acre-feet (flows in cubic feet per day, times in days). `path` names the file in messages.
// Throws Failure when an entry names no observation of the file, the window's start is not 0 or
// the time of a record, fewer than `window.records` records follow it, or a time or a used
// value in the window is missing (3e30) or not a number.
tallisk::Volumes account_obs(const ObsSeries& series, const std::string& path,
                             const ObsAccountList& list, const ObsWindow& window);

}  // namespace gridkit
