// HYDMOD run files as CSV: a header row "time" and the item labels, then one row per time
// record with the time and each item's value as stored.
#pragma once

#include <string>
#include <string_view>

namespace gridkit {

// The CSV text of the HYDMOD file whose bytes are `contents` (`path` names it in messages).
// The item count is read as tallisk reads it: -N marks N items of double-precision values.
// Throws Failure on a missing or short count or directory record, or a short time record.
std::string hydmod_to_csv(std::string_view contents, const std::string& path);

}  // namespace gridkit
