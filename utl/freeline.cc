// Free-format output lines.
#include "utl/freeline.h"

#include <charconv>
#include <cmath>

#include "utl/shortest.h"

namespace utl {

static_assert(2 + kMaxShortest + 1 <= kMaxRealItem, "blank, sign column, digits, point");

int format_real_item(char* out, double value) {
  char* p = out;
  *p++ = ' ';
  if (!std::signbit(value)) *p++ = ' ';
  char* digits = p;
  p = shortest_chars(p, value);
  // Always show that the item is a real: a decimal point, unless an exponent or a special value
  // already says so. A value with a fractional part always shows a point or an exponent.
  const bool fractional =
      std::fabs(value) < 0x1p52 && static_cast<double>(static_cast<long long>(value)) != value;
  bool marked = fractional;
  for (const char* q = digits; q < p && !marked; ++q) marked = *q == '.' || *q == 'e' || *q == 'n';
  if (!marked) *p++ = '.';
  return static_cast<int>(p - out);
}

void FreeLine::break_if_needed(std::size_t item_length) {
  if (column_ + item_length >= static_cast<std::size_t>(kLineWidth)) end_line();
}

void FreeLine::end_line() {
  out_ += '\n';
  column_ = 0;
}

void FreeLine::text(std::string_view item) {
  break_if_needed(item.size());
  if (column_ == 0) {
    out_ += ' ';  // the line-start blank
    column_ = 1;
  }
  out_ += item;
  column_ += item.size();
}

void FreeLine::number(std::string_view item) {
  break_if_needed(item.size());
  out_ += item;
  column_ += item.size();
}

void FreeLine::integer(long long value) {
  char item[24];
  item[0] = ' ';
  char* end = std::to_chars(item + 1, item + sizeof item, value).ptr;
  number(std::string_view(item, static_cast<std::size_t>(end - item)));
}

void FreeLine::real(double value) {
  char item[kMaxRealItem];
  number(std::string_view(item, static_cast<std::size_t>(format_real_item(item, value))));
}

std::string FreeLine::finish() {
  end_line();
  std::string lines;
  lines.swap(out_);
  return lines;
}

}  // namespace utl
