// HYDMOD run files: the items' flow rates integrated over 24 time records into acre-feet and
// combined, with their signs, into one volume per accounting point.
#pragma once

#include <array>
#include <string_view>

#include "utl/hydmod_format.h"

namespace tallisk {

// Accounting points of one list.
inline constexpr int kMaxPoints = 32;
// Gage entries (slots) per accounting point.
inline constexpr int kSlots = 16;
// Items a HYDMOD file may hold.
inline constexpr int kMaxItems = 256;
// Characters of an item label.
inline constexpr int kLabelLength = static_cast<int>(utl::kHydmodLabelLength);
// Characters of a gage entry: a sign, "+" or "-", then an item label.
inline constexpr int kGageLength = 1 + kLabelLength;
// Time records integrated after the skipped ones.
inline constexpr int kIntegratedRecords = 24;
// Cubic feet in an acre-foot.
inline constexpr double kCubicFeetPerAcreFoot = 43560.0;
// Subtracted from every value of an item whose label begins with "SO".
inline constexpr double kSoOffset = 1000000.0;

// A gage entry, blank-padded; all blanks is an empty slot.
using GageEntry = std::array<char, kGageLength>;
// The gage entries of every accounting point, point first.
using GageTable = std::array<std::array<GageEntry, kSlots>, kMaxPoints>;
// One volume in acre-feet per accounting point.
using Volumes = std::array<double, kMaxPoints>;

// A gage entry holding `text` cut or blank-padded to 21 characters.
GageEntry gage_entry(std::string_view text);

// Reads the HYDMOD file `file_name` (trailing blanks dropped), integrates each item over the 24
// time records after the first `nskip` and sets volumes[j] for the first `npoints` points to the
// signed sum of the volumes of the items their gage entries name; later volumes are untouched.
// Stops through the fatal routines on an unreadable file or a gage entry that does not fit it.
// REQUIRES: 0 <= npoints <= kMaxPoints; nskip >= 1 (both are checked and stop otherwise).
void readsfi(std::string_view file_name, const GageTable& gages, Volumes& volumes, int npoints,
             int nskip);

}  // namespace tallisk
