// Reals written as text for people and other programs, in the fewest significant digits that
// read back to exactly the same double, in one of two layouts that stored files already use.
#pragma once

#include <string>

namespace utl {

// Appends `value` laid out as std::to_chars lays it out without a format: fixed or scientific,
// whichever is shorter, fixed on a tie ("12.5", "1e+06", "1e-05", "-0", "inf", "nan"). The
// water balance and the impacts CSV are written so.
void append_shortest(std::string& out, double value);

// `value` laid out plainly: fixed from 1e-5 to 1e15 in magnitude ("12.5", "1000000",
// "0.00001"), scientific beyond ("1e+20", "2.5e-07"); a zero of either sign is "0", any NaN
// "nan". gridkit's reports and its CSVs of grids, run files and observations are written so.
std::string plain_number(double value);

}  // namespace utl
