// Free-format output lines: the layout of every diagnostic and text grid line of the toolkit.
//
// A line starts with a blank; items follow one another. Before an item that would bring the
// line to 80 characters or more the line is ended; a text item starting a new line gets the
// line-start blank, a number item brings its own leading blank.
#pragma once

#include <string>
#include <string_view>

namespace utl {

// Characters a free-format line must stay below.
inline constexpr int kLineWidth = 80;

// Longest real item that format_real_item writes.
inline constexpr int kMaxRealItem = 32;

// Writes the free-format real item of `value` at `out`: a blank, a minus sign or a blank, and
// the shortest digits that read back to the same double, always with a decimal point or an
// exponent. Returns the number of characters written (at most kMaxRealItem).
int format_real_item(char* out, double value);

// Builds free-format output lines item by item.
class FreeLine {
 public:
  // Appends a text item (written as is).
  void text(std::string_view item);
  // Appends an integer item: a blank, a minus sign if negative, the digits.
  void integer(long long value);
  // Appends a real item (see format_real_item).
  void real(double value);
  // Ends the current line; the next item starts a new one.
  void end_line();
  // All lines written so far, each ended by a newline (the current line is ended first).
  std::string finish();

 private:
  void number(std::string_view item);
  void break_if_needed(std::size_t item_length);

  std::string out_;
  std::size_t column_ = 0;  // characters on the current line
};

}  // namespace utl
