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

// How a value went into a grid field.
enum class F61 {
  kFixed,       // with one decimal, right-justified
  kWide,        // too wide for one decimal: its most precise six-character form
  kUnwritable,  // no number (infinite or NaN): six asterisks
};

// Writes `value` into the six characters at `field` with one decimal, right-justified. A value
// too wide for that (9999.95 or more, -999.95 or less) is written in the most precise form of
// six characters that a Fortran F6.1 reader and a plain parse both read back: "18060." or
// "1.81E4".
F61 put_f61(char* field, float value);

// The cells of a grid not written with one decimal: how many, and the first of them.
struct WideCells {
  int count = 0;
  int row = 0;
  int column = 0;
  float value = 0;
  std::string written;  // its field as written
};

// Appends one grid line per row of the 326-column grid `values`, row 1 first; the cells not
// written with one decimal are counted in `wide`, when given.
void append_grid(std::string& out, const float* values, WideCells* wide = nullptr);

}  // namespace membrelv2
