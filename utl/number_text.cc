// Reals in their shortest exact text, in the two layouts.
#include "utl/number_text.h"

#include <charconv>
#include <cmath>

#include "utl/shortest.h"

namespace utl {

void append_shortest(std::string& out, double value) {
  char digits[kMaxShortest];
  out.append(digits, shortest_chars(digits, value));
}

std::string plain_number(double value) {
  if (std::isnan(value)) return "nan";
  if (value == 0.0) return "0";  // no "-0"
  // Plain decimals where they stay short, exponents for the very large and very small.
  const double magnitude = std::fabs(value);
  const auto form = magnitude >= 1e-5 && magnitude < 1e15 ? std::chars_format::fixed
                                                          : std::chars_format::scientific;
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, form);
  return std::string(buffer, result.ptr);
}

}  // namespace utl
