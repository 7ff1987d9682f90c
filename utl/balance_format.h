// Layout of corvane's water balance, shared by its writer and by the check of a run's grids:
// a CSV header, then one row per month of the run whose last field names the recharge file
// written for it, or is empty when none was.
#pragma once

#include <cstddef>
#include <string_view>

namespace utl {

inline constexpr std::string_view kBalanceHeader =
    "year,month,return_flow,active_cells,inactive_cells,no_acreage,recharge_file";
inline constexpr std::size_t kBalanceColumns = 7;

}  // namespace utl
