// Writers of membrelv2's two output layouts: free-format lines and "(326f6.1)" grid lines.
#pragma once

#include <string>
#include <string_view>

#include "membrelv2/tables.h"

namespace membrelv2 {

// The real item of a free-format line, without its leading blank: the shortest digits (at most
// nine significant) that read back to the same single-precision value, always with a decimal
// point; exponent form ("1.5E-05") only below 0.0001 or from 1e9 on.
std::string format_real(float value);

// Builds one free-format line: it begins with a blank, a number item brings its own leading
// blank, and a text item follows the item before it directly.
class FreeLine {
 public:
  FreeLine& text(std::string_view item);
  FreeLine& integer(long long value);
  FreeLine& real(float value);
  // The line with its newline.
  std::string str() const { return line_ + "\n"; }

 private:
  std::string line_;
};

// Width of a grid field and length of a grid line without its newline.
inline constexpr int kFieldWidth = 6;
inline constexpr int kGridLineLength = kNcol * kFieldWidth;

// Writes `value` into the six characters at `field` with one decimal, right-justified; a value
// that does not fit in six characters (and a value that is no number) gives six asterisks.
void put_f61(char* field, float value);

// Appends one grid line per row of the 326-column grid `values`, row 1 first.
void append_grid(std::string& out, const float* values);

}  // namespace membrelv2
