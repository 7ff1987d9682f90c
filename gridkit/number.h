// Reals written as text for people and other programs: the shortest digits that read back to
// the same double.
#pragma once

#include <string>

namespace gridkit {

// `value` in the shortest digits that read back exactly: plain decimals from 1e-5 to 1e15 in
// magnitude ("0", "12.5", "1000000", "-0.001"), exponents beyond ("1e+20", "2.5e-07"), "nan".
std::string format_number(double value);

}  // namespace gridkit
