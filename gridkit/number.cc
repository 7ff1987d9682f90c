// Reals in their shortest exact text form.
#include "gridkit/number.h"

#include <charconv>
#include <cmath>

namespace gridkit {

std::string format_number(double value) {
  if (std::isnan(value)) return "nan";
  if (value == 0.0) return "0";  // no "-0"
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace gridkit
