// Free-format lines and "(326f6.1)" grid lines.
#include "membrelv2/freeline.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "membrelv2/tables.h"

namespace membrelv2 {

std::string format_real(float value) {
  char buffer[64];
  const float size = std::fabs(value);
  const bool fixed = !std::isfinite(value) || size == 0 || (size >= 1e-4f && size < 1e9f);
  char* end = std::to_chars(buffer, buffer + 48, value,
                            fixed ? std::chars_format::fixed : std::chars_format::scientific)
                  .ptr;
  if (!std::isfinite(value)) return std::string(buffer, end);
  char* exponent = fixed ? end : std::find(buffer, end, 'e');
  if (std::find(buffer, exponent, '.') == exponent) {
    // The decimal point always shows: 5280 is written 5280. and 1e+10 as 1.E+10.
    std::memmove(exponent + 1, exponent, static_cast<std::size_t>(end - exponent));
    *exponent = '.';
    ++end;
  }
  if (!fixed) *std::find(buffer, end, 'e') = 'E';
  return std::string(buffer, end);
}

FreeLine& FreeLine::text(std::string_view item) {
  if (line_.empty()) line_ += ' ';
  line_ += item;
  return *this;
}

FreeLine& FreeLine::integer(long long value) {
  line_ += ' ';
  line_ += std::to_string(value);
  return *this;
}

FreeLine& FreeLine::real(float value) {
  line_ += ' ';
  line_ += format_real(value);
  return *this;
}

void put_f61(char* field, float value) {
  char buffer[64];
  std::to_chars_result result{buffer, std::errc::value_too_large};
  if (std::isfinite(value)) {
    result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                           std::chars_format::fixed, 1);
  }
  const std::ptrdiff_t length = result.ptr - buffer;
  if (result.ec != std::errc() || length > kFieldWidth) {
    std::memset(field, '*', kFieldWidth);
    return;
  }
  std::memset(field, ' ', kFieldWidth - length);
  std::memcpy(field + (kFieldWidth - length), buffer, length);
}

void append_grid(std::string& out, const float* values) {
  char line[kGridLineLength + 1];
  line[kGridLineLength] = '\n';
  for (int row = 1; row <= kNrow; ++row) {
    for (int column = 1; column <= kNcol; ++column) {
      put_f61(line + kFieldWidth * (column - 1), values[cell_index(column, row)]);
    }
    out.append(line, sizeof line);
  }
}

}  // namespace membrelv2
