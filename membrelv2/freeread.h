// Readers of membrelv2's two input layouts: free-format records and "(326i2)" grid lines.
//
// A free-format record starts at the beginning of a new line and takes as many numbers as it
// needs, going on over following lines; what is left on the line where it ends is skipped.
// Numbers are separated by blanks, commas or line ends. A field that cannot be read as the
// number it should be stops the run with a diagnostic naming the file, line and field.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace membrelv2 {

// Longest line of an input read whole (the grids, whose lines hold 652 characters): a bound on
// what an endless input such as a device can make the reader hold.
inline constexpr std::size_t kLongestInputLine = std::size_t{16} << 20;
// Largest input read whole.
inline constexpr std::size_t kLargestInput = std::size_t{256} << 20;

// Reads a whole input file; stops the run when it cannot be opened or read, or holds a line
// longer than kLongestInputLine or more than kLargestInput bytes.
std::string read_input(const std::string& path);

// An input file open for reading, closed when this goes; stops the run when it cannot be
// opened.
class InputFile {
 public:
  explicit InputFile(std::string path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  std::FILE* get() const { return file_; }
  const std::string& path() const { return path_; }
  // Returns to the start of the file.
  void rewind();

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
};

// Reads the free-format records of one file, a piece at a time.
class FreeReader {
 public:
  // Size of the pieces in which a file is read.
  static constexpr std::size_t kPiece = 1 << 16;
  // Longest field taken for a number: anything longer is not one.
  static constexpr std::size_t kLongestField = 256;

  // Reads the records of `text`; `path` names the file in diagnostics.
  FreeReader(std::string_view text, std::string path);
  // Reads the records of `file` from where it stands, in pieces of `piece` bytes; `path` names
  // the file in diagnostics.
  FreeReader(std::FILE* file, std::string path, std::size_t piece = kPiece);

  // Reads one record laid out by `layout`, one letter a value: 'i' an integer stored in the
  // next entry of `ints`, 'r' a real stored in the next entry of `reals`. Returns false when
  // the file ends before the record is complete (nothing of it then counts).
  bool read_record(std::string_view layout, int* ints, float* reals);

  // Stops, naming the file and the record's line, unless `value` lies in `low` to `high`;
  // `what` names the value.
  void check_range(std::string_view what, int value, int low, int high) const;

  // Whether the file holds no further value.
  bool at_end();

  // Line on which the last record read began, counted from 1.
  int record_line() const { return record_line_; }
  const std::string& path() const { return path_; }

 private:
  bool refill(std::size_t& keep);
  bool skip_separators();
  std::string_view next_field();
  void skip_rest_of_line();

  std::string text_;  // the part of the file at hand
  std::string path_;
  std::FILE* file_ = nullptr;  // null when all the text is at hand
  std::size_t piece_ = kPiece;
  std::size_t pos_ = 0;
  int line_ = 1;
  int record_line_ = 0;
};

// Converts a free-format integer field (an optional sign and decimal digits, 32-bit).
bool parse_int(std::string_view field, int& value);

// Converts a free-format real field (an optional sign, digits with or without a decimal point,
// an optional exponent marked e, E, d or D) straight to the nearest single-precision value.
// "nan", "inf" and values beyond the single-precision range are not numbers.
bool parse_real(std::string_view field, float& value);

// Splits a text into lines, ignoring the carriage return of a CR-LF line end.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  // Gets the next line; false at the end of the text.
  bool next(std::string_view& line);
  // Number of lines got so far.
  int count() const { return count_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  int count_ = 0;
};

// Reads one "(326i2)" grid line into `values` (326 entries): field k is characters 2k - 1 and
// 2k, a sign takes one of them, blanks are ignored, an all-blank field and a field beyond the
// end of a short line read as 0. Stops naming `path`, `line` and the field when one is not an
// integer.
void read_grid_line(std::string_view text, int* values, const std::string& path, int line);

}  // namespace membrelv2
