// Reals written as text for people and other programs: the shortest digits that read back to
// the same double.
#pragma once

#include <string>

namespace gridkit {

// `value` in the shortest form that reads back exactly ("0", "12.5", "1e+20", "-0.001", "nan").
std::string format_number(double value);

}  // namespace gridkit
