// Grid file forms told apart by their content: binary framing, fixed-width fields, flag fields,
// or free-format numbers with or without a header line.
#include "gridkit/readers/detect.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "gridkit/common.h"
#include "gridkit/grid.h"
#include "utl/fields.h"
#include "utl/records.h"

namespace gridkit {
namespace {

constexpr std::array<std::pair<GridFormat, std::string_view>, 5> kNames{{
    {GridFormat::kText, "text"},
    {GridFormat::kBinary, "binary"},
    {GridFormat::kFixed, "fixed"},
    {GridFormat::kFree, "free"},
    {GridFormat::kFlags, "flags"},
}};

// Width of a field of the fixed form, and of a line holding a whole row.
constexpr std::size_t kFixedWidth = 6;
constexpr std::size_t kFixedLine = kFixedWidth * kNcol;
// Width of a field of the flag form.
constexpr std::size_t kFlagWidth = 2;

// The lines of a text, without line ends (a carriage return before a line feed is dropped).
std::vector<std::string_view> split_lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = next;
  }
  return lines;
}

// Whether `line` is a row of six-character fields with one decimal, or asterisks where a value
// did not fit, or a value too wide for one decimal in six characters with its point ("18060.",
// "1.81E4").
bool is_fixed_line(std::string_view line) {
  if (line.size() != kFixedLine) return false;
  for (std::size_t at = 0; at < line.size(); at += kFixedWidth) {
    const std::string_view field = line.substr(at, kFixedWidth);
    if (field != "******" && field.find('.') == std::string_view::npos) return false;
  }
  return true;
}

// Whether `line` could be a row of two-character integer fields: digits, signs and blanks only,
// and no longer than a row of them.
bool is_flag_line(std::string_view line) {
  const int used = utl::length0(line);
  if (static_cast<std::size_t>(used) > kFlagWidth * kNcol) return false;
  return std::all_of(line.begin(), line.end(), [](char c) {
    return c == ' ' || c == '-' || c == '+' || (c >= '0' && c <= '9');
  });
}

bool is_separator(char c) { return c == ' ' || c == ',' || c == '\t'; }

// Whether `token` is a plain decimal: a sign, digits and one decimal point at most, one digit
// at least. Every such token is a value, told without converting it.
bool is_plain_decimal(std::string_view token) {
  if (!token.empty() && (token.front() == '-' || token.front() == '+')) token.remove_prefix(1);
  bool digit = false, point = false;
  for (char c : token) {
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digit;
}

// The number of values of a free-format line (repeat forms counted in full), or nothing when a
// token is not a value. A slash ends the line's values.
std::optional<std::int64_t> count_values(std::string_view line) {
  if (const std::size_t slash = line.find('/'); slash != std::string_view::npos) {
    line = line.substr(0, slash);
  }
  std::int64_t count = 0;
  std::size_t at = 0;
  while (at < line.size()) {
    if (is_separator(line[at])) {
      ++at;
      continue;
    }
    std::size_t end = at;
    while (end < line.size() && !is_separator(line[end])) ++end;
    std::string_view token = line.substr(at, end - at);
    at = end;
    std::int64_t repeat = 1;
    if (const std::size_t star = token.find('*'); star != std::string_view::npos) {
      int times = 0;
      if (star == 0 || utl::convert_int(token.substr(0, star), times) != 0 || times < 1) {
        return std::nullopt;
      }
      repeat = times;
      token = token.substr(star + 1);
      if (token.empty()) {  // a repeated null value
        count += repeat;
        continue;
      }
    }
    double value = 0.0;
    if (!is_plain_decimal(token) && utl::convert_real(token, value) != 0) return std::nullopt;
    count += repeat;
  }
  return count;
}

// The number of values from line `first` on, or nothing when a line holds a non-value.
std::optional<std::int64_t> count_values(const std::vector<std::string_view>& lines,
                                         std::size_t first) {
  std::int64_t total = 0;
  for (std::size_t i = first; i < lines.size(); ++i) {
    const auto count = count_values(lines[i]);
    if (!count) return std::nullopt;
    total += *count;
  }
  return total;
}

// Whether the lines from `first` on hold the grid's rows as the programs write them, each row
// starting on a new line: the count of values reaches every multiple of a row at a line's end.
bool rows_aligned(const std::vector<std::string_view>& lines, std::size_t first) {
  std::int64_t count = 0;
  std::int64_t row_end = kNcol;
  for (std::size_t i = first; i < lines.size() && row_end <= std::int64_t{kCells}; ++i) {
    count += count_values(lines[i]).value_or(0);
    if (count > row_end) return false;
    if (count == row_end) row_end += kNcol;
  }
  return row_end > std::int64_t{kCells};
}

}  // namespace

std::string_view format_name(GridFormat format) {
  for (const auto& [known, name] : kNames) {
    if (known == format) return name;
  }
  return "?";
}

std::optional<GridFormat> parse_format(std::string_view name) {
  for (const auto& [known, spelled] : kNames) {
    if (spelled == name) return known;
  }
  return std::nullopt;
}

GridFormat detect_format(std::string_view contents) {
  if (contents.empty()) throw Failure("the file is empty");
  constexpr std::uint32_t kGridBytes = kCells * sizeof(double);
  if (contents.size() >= utl::kRecordMarker && utl::get_u32le(contents.data()) == kGridBytes) {
    return GridFormat::kBinary;
  }
  if (contents.find('\0') != std::string_view::npos) {
    throw Failure("binary data that is not one record of 326 by 165 reals");
  }

  const std::vector<std::string_view> lines = split_lines(contents);
  if (is_fixed_line(lines.front())) return GridFormat::kFixed;
  const std::size_t rows = std::min(lines.size(), std::size_t{kNrow});
  if (utl::length0(lines.front()) > 0 &&
      std::all_of(lines.begin(), lines.begin() + rows, is_flag_line)) {
    return GridFormat::kFlags;
  }

  // Free-format numbers: a first line that is not all values is a header. One that is all
  // values is a header only when the values after it, and not with it, fill the grid.
  // A slash ends a row early and leaves the count open: such grids are told as before. Too few
  // values are left to the reader, which stops at the first row they do not fill; too many it
  // would pass over, so they are refused here.
  const bool counts_hold = contents.find('/') == std::string_view::npos;
  const std::int64_t cells = kCells;
  const auto on_first = count_values(lines.front());
  const auto after_first = count_values(lines, 1);
  if (!on_first) {
    if (counts_hold && after_first && *after_first > cells) {
      throw Failure("a free-format grid after a header line, of " + std::to_string(*after_first) +
                    " values, not the 53790 of 326 by 165");
    }
    return GridFormat::kFree;
  }
  if (!after_first || !counts_hold || *on_first + *after_first <= cells) return GridFormat::kText;
  // Neither form holds the grid exactly: read as either, every cell would be shifted.
  if (*after_first == cells) {
    // A header line of numbers ("326 165") before rows that start on their own lines.
    const bool as_free = rows_aligned(lines, 1);
    const bool as_text = rows_aligned(lines, 0);
    if (as_free && !as_text) return GridFormat::kFree;
    if (as_text && !as_free) {
      throw Failure("a text grid of " + std::to_string(*on_first + *after_first) +
                    " values, not the 53790 of 326 by 165");
    }
    throw Failure("ambiguous: a text grid of " + std::to_string(*on_first + *after_first) +
                  " values, or a free-format grid of 53790 after a header line of " +
                  std::to_string(*on_first) + " values; name the form with --format");
  }
  throw Failure("a text grid of " + std::to_string(*on_first + *after_first) +
                " values, not the 53790 of 326 by 165");
}

}  // namespace gridkit
