// The accounting-point list read for MODFLOW 6 observations: the list tallisk reads, with each
// entry a sign and an observation name of up to 40 characters, matched without regard to case.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "tallisk/accounts.h"

namespace gridkit {

struct ObsEntry {
  bool negative = false;
  std::string name;  // upper-cased, as MODFLOW 6 writes observation names
};

struct ObsAccountList {
  tallisk::AccountList points;  // the names and count, for the page and the CSV; no gages
  std::array<std::vector<ObsEntry>, tallisk::kMaxPoints> entries;  // up to 16 per point
};

// `name` upper-cased, as MODFLOW 6 writes observation names: the form in which names match.
std::string upper_cased(std::string_view name);

// Reads the list at `path`: one point per line, its name (24 characters, "*" first for a
// mainstem point) and up to 16 blank-separated entries "+NAME" or "-NAME". Throws Failure when
// the list cannot be read, has more than 32 points or a line without a name, or an entry with
// no sign or a name longer than 40 characters.
ObsAccountList read_obs_accounts(const std::string& path);

}  // namespace gridkit
