// The impact report: each variant run's volumes against the base run's at every accounting
// point, with mainstem and total sums, as an HTML page of whole acre-feet.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tallisk/accounts.h"
#include "tallisk/hydmod.h"

namespace tallisk {

// The five runs of a year, in reading order.
enum Run { kBase, kRunA, kRunB, kRunC, kRunD, kRuns };

// Characters of every number on the page.
inline constexpr int kNumberWidth = 10;

// `x` as a whole number for the report: 0 when |x| < 10, else rounded half away from zero.
// Empty when the result does not fit a 32-bit integer or x is not a number.
std::optional<std::int32_t> irep(double x);

// irep(x) right-aligned in 10 characters; ten "*" when it does not fit.
std::string number_field(double x);

// The page for `year` (4 characters): one row per point of `list`, impacts against the base
// run in the columns of runs a, b, c and d (the last with the opposite sign), then the
// "Mainstem" and "Total" rows. 21 + 6 * list.count lines, each ended by a line feed.
std::string report_page(std::string_view year, const AccountList& list,
                        const std::array<Volumes, kRuns>& runs);

}  // namespace tallisk
