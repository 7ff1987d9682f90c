// Free-format records and "(326i2)" grid lines of membrelv2's input files.
#include "membrelv2/freeread.h"

#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "membrelv2/stop.h"
#include "membrelv2/tables.h"

namespace membrelv2 {
namespace {

bool is_separator(char c) { return c == ' ' || c == ',' || c == '\t' || c == '\r'; }

// Stops the run for an input that did not open. A directory opens on POSIX systems and fails
// at the reading; on Windows it refuses to open, and is reported the same way.
[[noreturn]] void cannot_open(const std::string& path, int error) {
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) stop("cannot read input file " + path);
  stop("cannot open input file " + path + ": " + std::strerror(error));
}

// Whether `piece`, which continues a line of `open_line` bytes, makes a line longer than the
// limit; `open_line` becomes the length of the line still open after it. Lines that begin and
// end within the piece are shorter than the piece, and so than the limit.
bool line_too_long(std::string_view piece, std::size_t& open_line) {
  const std::size_t first_end = piece.find('\n');
  if (first_end == std::string_view::npos) {
    open_line += piece.size();
    return open_line > kLongestInputLine;
  }
  const bool too_long = open_line + first_end > kLongestInputLine;
  open_line = piece.size() - (piece.rfind('\n') + 1);
  return too_long;
}

}  // namespace

std::string read_input(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) cannot_open(path, errno);
  // A regular file within the line limit is read in one piece (growing the text step by step
  // costs more than the reading itself on large coordinate files) and cannot hold too long a
  // line; a larger one, or a device, is read in pieces, checked as they come.
  std::string text;
  struct stat status;
  if (::fstat(::fileno(file), &status) == 0 && (status.st_mode & S_IFMT) == S_IFREG &&
      static_cast<std::size_t>(status.st_size) <= kLongestInputLine) {
    text.resize(static_cast<std::size_t>(status.st_size));
    text.resize(std::fread(text.data(), 1, text.size(), file));
  }
  std::size_t open_line = text.size() - (text.rfind('\n') + 1);  // bytes since the last line end
  bool too_long = false;
  bool too_large = false;
  char buffer[65536];
  std::size_t got;
  while (!too_long && !too_large && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    const std::string_view piece(buffer, got);
    too_long = line_too_long(piece, open_line);
    too_large = text.size() + got > kLargestInput;
    text += piece;
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) stop("cannot read input file " + path);
  if (too_long) stop("cannot read input file " + path + ": a line longer than 16 MiB");
  if (too_large) stop("cannot read input file " + path + ": larger than 256 MiB");
  return text;
}

InputFile::InputFile(std::string path) : path_(std::move(path)) {
  file_ = std::fopen(path_.c_str(), "rb");
  if (file_ == nullptr) cannot_open(path_, errno);
}

InputFile::~InputFile() { std::fclose(file_); }

void InputFile::rewind() {
  if (std::fseek(file_, 0, SEEK_SET) != 0) stop("cannot read input file " + path_);
  std::clearerr(file_);
}

FreeReader::FreeReader(std::string_view text, std::string path)
    : text_(text), path_(std::move(path)) {}

FreeReader::FreeReader(std::FILE* file, std::string path, std::size_t piece)
    : path_(std::move(path)), file_(file), piece_(piece) {}

// Drops the text before position `keep` (which becomes 0) and appends the file's next piece.
// False at the end of the file.
bool FreeReader::refill(std::size_t& keep) {
  if (file_ == nullptr) return false;
  text_.erase(0, keep);
  pos_ -= keep;
  keep = 0;
  const std::size_t held = text_.size();
  text_.resize(held + piece_);
  const std::size_t got = std::fread(text_.data() + held, 1, piece_, file_);
  text_.resize(held + got);
  if (got > 0) return true;
  if (std::ferror(file_)) stop("cannot read input file " + path_);
  file_ = nullptr;
  return false;
}

// Moves past blanks, commas and line ends; false when the file holds nothing more.
bool FreeReader::skip_separators() {
  for (;;) {
    if (pos_ == text_.size()) {
      std::size_t keep = pos_;
      if (!refill(keep)) return false;
    }
    const char c = text_[pos_];
    if (c == '\n') {
      ++line_;
    } else if (!is_separator(c)) {
      return true;
    }
    ++pos_;
  }
}

std::string_view FreeReader::next_field() {
  if (!skip_separators()) return {};
  std::size_t start = pos_;
  for (;;) {
    if (pos_ == text_.size() && !refill(start)) break;
    const char c = text_[pos_];
    if (c == '\n' || is_separator(c)) break;
    if (++pos_ - start > kLongestField) {
      stop_at(path_, line_,
              quoted(std::string_view(text_).substr(start, pos_ - start)) + " is not a number");
    }
  }
  return std::string_view(text_).substr(start, pos_ - start);
}

void FreeReader::skip_rest_of_line() {
  for (;;) {
    const std::size_t end = text_.find('\n', pos_);
    if (end != std::string::npos) {
      pos_ = end + 1;
      ++line_;
      return;
    }
    pos_ = text_.size();
    std::size_t keep = pos_;
    if (!refill(keep)) return;
  }
}

bool FreeReader::read_record(std::string_view layout, int* ints, float* reals) {
  for (std::size_t k = 0; k < layout.size(); ++k) {
    const std::string_view field = next_field();
    if (field.empty()) return false;
    if (k == 0) record_line_ = line_;
    if (layout[k] == 'i') {
      if (!parse_int(field, *ints++)) stop_at(path_, line_, quoted(field) + " is not an integer");
    } else {
      if (!parse_real(field, *reals++)) stop_at(path_, line_, quoted(field) + " is not a number");
    }
  }
  skip_rest_of_line();
  return true;
}

void FreeReader::check_range(std::string_view what, int value, int low, int high) const {
  if (value >= low && value <= high) return;
  stop_at(path_, record_line_,
          std::string(what) + " " + std::to_string(value) + " outside " + std::to_string(low) +
              " to " + std::to_string(high));
}

bool FreeReader::at_end() { return !skip_separators(); }

bool parse_int(std::string_view field, int& value) {
  if (!field.empty() && field[0] == '+') {
    field.remove_prefix(1);
    if (!field.empty() && (field[0] == '-' || field[0] == '+')) return false;
  }
  const char* end = field.data() + field.size();
  const auto result = std::from_chars(field.data(), end, value);
  return result.ec == std::errc() && result.ptr == end;
}

bool parse_real(std::string_view field, float& value) {
  if (!field.empty() && field[0] == '+') {
    field.remove_prefix(1);
    if (!field.empty() && (field[0] == '-' || field[0] == '+')) return false;
  }
  // Only the characters of a decimal number: this keeps out "nan", "inf" and hexadecimal.
  char text[64];
  if (field.size() >= sizeof text) return false;
  for (std::size_t k = 0; k < field.size(); ++k) {
    char c = field[k];
    if (c == 'd' || c == 'D' || c == 'E') c = 'e';
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e')) return false;
    text[k] = c;
  }
  const char* end = text + field.size();
  const auto result = std::from_chars(text, end, value, std::chars_format::general);
  if (result.ptr != end) return false;
  if (result.ec == std::errc()) return true;
  if (result.ec != std::errc::result_out_of_range) return false;
  // Too small for single precision reads as the nearest tiny value or 0; too large is no
  // number at all.
  double wide = 0;
  const auto again = std::from_chars(text, end, wide, std::chars_format::general);
  if (again.ptr != end || std::fabs(wide) >= 1) return false;
  value = static_cast<float>(wide);
  return true;
}

bool LineReader::next(std::string_view& line) {
  if (pos_ >= text_.size()) return false;
  std::size_t end = text_.find('\n', pos_);
  if (end == std::string_view::npos) end = text_.size();
  line = text_.substr(pos_, end - pos_);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  pos_ = end + 1;
  ++count_;
  return true;
}

void read_grid_line(std::string_view text, int* values, const std::string& path, int line) {
  for (int column = 1; column <= kNcol; ++column) {
    const std::size_t start = 2 * static_cast<std::size_t>(column - 1);
    const std::string_view field = start < text.size() ? text.substr(start, 2) : "";
    int value = 0;
    bool negative = false;
    bool sign_seen = false;
    bool digit_seen = false;
    bool ok = true;
    for (const char c : field) {
      if (c == ' ') continue;
      if ((c == '-' || c == '+') && !sign_seen && !digit_seen) {
        sign_seen = true;
        negative = c == '-';
      } else if (c >= '0' && c <= '9') {
        digit_seen = true;
        value = value * 10 + (c - '0');
      } else {
        ok = false;
      }
    }
    if (!ok || (sign_seen && !digit_seen)) {
      stop_at(path, line,
              "column " + std::to_string(column) + ": " + quoted(field) + " is not an integer");
    }
    values[column - 1] = negative ? -value : value;
  }
}

}  // namespace membrelv2
