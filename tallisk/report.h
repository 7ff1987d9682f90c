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

// Impact columns: Colorado, Kansas and Nebraska pumping (runs a, b, c) and Nebraska mound (d).
inline constexpr int kImpacts = 4;
using ImpactRow = std::array<double, kImpacts>;

// The exact impacts of a year: one row per point of the list, and the sums over the mainstem
// points and over all points, added in list order.
struct Impacts {
  std::array<ImpactRow, kMaxPoints> points{};
  ImpactRow mainstem{};
  ImpactRow total{};
};

// The impacts of each variant run against the base run at the points of `list`; the mound
// column counts what run d lacks.
Impacts compute_impacts(const AccountList& list, const std::array<Volumes, kRuns>& runs);

// Whether the point's name marks a mainstem point ("*" in its first character).
bool is_mainstem(const std::array<char, kNameLength>& name);

// The point's name as the page shows it: without its first character and trailing blanks.
std::string_view shown_name(const std::array<char, kNameLength>& name);

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
