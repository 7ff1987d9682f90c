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

namespace {

// Right-justifies the `length` characters at `text` in the six characters at `field`.
void put_right(char* field, const char* text, std::ptrdiff_t length) {
  std::memset(field, ' ', static_cast<std::size_t>(kFieldWidth - length));
  std::memcpy(field + (kFieldWidth - length), text, static_cast<std::size_t>(length));
}

// The six-character form of a value too wide for one decimal: whole with its point ("18060.")
// while that fits, else a mantissa and exponent ("1.81E4"), with as many digits as fit. Both a
// Fortran F6.1 reader (an explicit point overrides the implied decimal) and a plain parse of the
// field read either back. False when even one digit of mantissa does not fit.
bool put_wide(char* field, double value) {
  char buffer[64];
  char* end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 0).ptr;
  *end++ = '.';
  if (end - buffer <= kFieldWidth) {
    put_right(field, buffer, end - buffer);
    return true;
  }
  for (int digits = kFieldWidth; digits >= 0; --digits) {
    const auto scientific =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, digits);
    char* const e = std::find(buffer, scientific.ptr, 'e');
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), scientific.ptr, exponent);
    std::string text(buffer, e);
    if (text.find('.') == std::string::npos) text += '.';
    text += 'E';
    text += std::to_string(exponent);
    if (text.size() <= static_cast<std::size_t>(kFieldWidth)) {
      put_right(field, text.data(), static_cast<std::ptrdiff_t>(text.size()));
      return true;
    }
  }
  return false;
}

}  // namespace

F61 put_f61(char* field, float value) {
  if (!std::isfinite(value)) {
    std::memset(field, '*', kFieldWidth);
    return F61::kUnwritable;
  }
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                    std::chars_format::fixed, 1);
  const std::ptrdiff_t length = result.ptr - buffer;
  if (result.ec == std::errc() && length <= kFieldWidth) {
    put_right(field, buffer, length);
    return F61::kFixed;
  }
  if (put_wide(field, static_cast<double>(value))) return F61::kWide;
  std::memset(field, '*', kFieldWidth);
  return F61::kUnwritable;
}

void append_grid(std::string& out, const float* values, WideCells* wide) {
  char line[kGridLineLength + 1];
  line[kGridLineLength] = '\n';
  for (int row = 1; row <= kNrow; ++row) {
    for (int column = 1; column <= kNcol; ++column) {
      const float value = values[cell_index(column, row)];
      char* const field = line + kFieldWidth * (column - 1);
      if (put_f61(field, value) == F61::kFixed || wide == nullptr) continue;
      if (wide->count++ == 0) {
        wide->row = row;
        wide->column = column;
        wide->value = value;
        wide->written.assign(field, kFieldWidth);
      }
    }
    out.append(line, sizeof line);
  }
}

}  // namespace membrelv2
