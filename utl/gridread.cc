// Grid array file readers: flag and zone grids in fixed columns, real grids in free format.
#include "utl/gridread.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "utl/fatal.h"
#include "utl/fields.h"
#include "utl/textfile.h"

namespace utl {
namespace {

// Fields per record of the integer layouts "(999I2)" and "(999I1)": a longer row goes on with
// the next record.
constexpr int kFieldsPerRecord = 999;

// Length of the zone-name header record; the rest of a longer line is ignored.
constexpr std::size_t kZoneHeaderLength = 256;

// Guards the caller's array: a grid that does not fit is a programming error, never a write
// outside the array.
std::size_t grid_cells(std::size_t size, int nrow, int ncol) {
  if (nrow <= 0 || ncol <= 0) return 0;
  const std::size_t cells = static_cast<std::size_t>(nrow) * static_cast<std::size_t>(ncol);
  if (size < cells) throw std::length_error("grid array smaller than nrow * ncol");
  return cells;
}

// Stores `text` as a zone name, cut or padded to the length the entry already has (the caller
// declares it); an entry without a length takes the trimmed text.
void store_name(std::string& entry, std::string_view text) {
  if (entry.empty()) {
    entry.assign(text.substr(0, static_cast<std::size_t>(length0(text))));
  } else {
    entry = padded(text, entry.size());
  }
}

// One fixed-width integer field: blanks are ignored, an all-blank field is 0, and what is left
// must be an optional sign and digits. False when the field is unreadable.
bool int_field(std::string_view field, int& value) {
  int sign = 1;
  bool signed_ = false;
  bool digits = false;
  int v = 0;
  for (const char ch : field) {
    if (ch == ' ') continue;
    if ((ch == '-' || ch == '+') && !signed_ && !digits) {
      signed_ = true;
      sign = ch == '-' ? -1 : 1;
    } else if (ch >= '0' && ch <= '9' && v < 100000000) {
      digits = true;
      v = v * 10 + (ch - '0');
    } else {
      return false;
    }
  }
  if (signed_ && !digits) return false;
  value = sign * v;
  return true;
}

// Reads `nrow` rows of `ncol` integer fields of `width` columns from the next records of `in`.
// A short record reads as blank-padded; columns after the last field are ignored.
void read_int_rows(TextFile& in, std::string_view file, std::span<int> grid, int nrow, int ncol,
                   int width) {
  std::string_view record;
  for (int r = 0; r < nrow; ++r) {
    int* row = grid.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(ncol);
    for (int first = 0; first < ncol; first += kFieldsPerRecord) {
      if (!in.next_line(record)) error2("Error reading file", file);
      const int count = std::min(ncol - first, kFieldsPerRecord);
      for (int k = 0; k < count; ++k) {
        const std::size_t at = static_cast<std::size_t>(k) * static_cast<std::size_t>(width);
        const std::string_view field = at < record.size()
                                           ? record.substr(at, static_cast<std::size_t>(width))
                                           : std::string_view{};
        if (!int_field(field, row[first + k])) error2("Error reading file", file);
      }
    }
  }
}

// Character classes of free-format text.
enum : unsigned char { kText = 0, kBlank = 1, kEnd = 2, kComma = 3, kSlash = 4 };

constexpr std::array<unsigned char, 256> make_classes() {
  std::array<unsigned char, 256> cls{};
  // Tabs and carriage returns separate values as blanks do.
  cls[' '] = kBlank;
  cls['\t'] = kBlank;
  cls['\r'] = kBlank;
  cls['\n'] = kEnd;
  cls[','] = kComma;
  cls['/'] = kSlash;
  return cls;
}
constexpr std::array<unsigned char, 256> kClass = make_classes();

inline unsigned char char_class(char ch) { return kClass[static_cast<unsigned char>(ch)]; }
inline bool is_digit(char ch) { return ch >= '0' && ch <= '9'; }

// One value of the real-number grammar: the plain decimal forms go straight to from_chars.
inline bool parse_value(const char* b, const char* e, double& value) {
  const char* s = b + (*b == '-');
  if (s < e && (is_digit(*s) || *s == '.')) {
    const auto [end, ec] = std::from_chars(b, e, value);
    if (ec == std::errc() && end == e) return true;
  }
  // The forms only Fortran knows: a plus sign, a D exponent, an exponent of a bare sign.
  return parse_real(std::string_view(b, static_cast<std::size_t>(e - b)), value) == 0;
}

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Most values of a grid file are short plain decimals ("0.00", "-123.45"); this reads such a
// value while scanning it and advances `p` past it. A whole number of at most 15 digits and a
// power of ten are both exact doubles, so their quotient is the correctly rounded value, the
// same double that from_chars gives. False, with `p` unchanged, for every other item.
inline bool read_plain_decimal(const char*& p, const char* end, double& value) {
  const char* q = p;
  const bool negative = *q == '-';
  q += negative;
  std::uint64_t mantissa = 0;
  int digits = 0;
  int decimals = 0;
  for (; q < end && is_digit(*q); ++q, ++digits) mantissa = mantissa * 10 + (*q - '0');
  if (q < end && *q == '.') {
    for (++q; q < end && is_digit(*q); ++q, ++digits, ++decimals) {
      mantissa = mantissa * 10 + (*q - '0');
    }
  }
  if (digits == 0 || digits > 15 || (q < end && char_class(*q) == kText)) return false;
  double v = static_cast<double>(mantissa);
  if (decimals > 0) v /= kPowersOfTen[decimals];
  value = negative ? -v : v;
  p = q;
  return true;
}

// Parses a repeat count: unsigned digits, not 0.
bool parse_count(const char* b, const char* e, std::uint64_t& count) {
  if (b == e) return false;
  const auto [end, ec] = std::from_chars(b, e, count);
  return ec == std::errc() && end == e && count > 0;
}

}  // namespace

FreeGridStatus read_free_grid(std::string_view text, std::span<double> grid, int nrow, int ncol,
                              int nskip) {
  grid_cells(grid.size(), nrow, ncol);
  const char* p = text.data();
  const char* const end = p + text.size();
  for (int k = 0; k < nskip; ++k) {
    if (p == end) return FreeGridStatus::kShortHeader;
    const void* nl = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    p = nl ? static_cast<const char*>(nl) + 1 : end;
  }

  for (int r = 0; r < nrow; ++r) {
    double* const row = grid.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(ncol);
    std::size_t filled = 0;
    const std::size_t wanted = static_cast<std::size_t>(ncol);
    // A comma with no value since the read began or since the previous comma is a null value.
    bool after_comma = true;
    while (filled < wanted) {
      while (p < end && (char_class(*p) == kBlank || char_class(*p) == kEnd)) ++p;
      if (p == end) return FreeGridStatus::kBadValue;
      const unsigned char cls = char_class(*p);
      if (cls == kComma) {
        if (after_comma) ++filled;
        after_comma = true;
        ++p;
        continue;
      }
      if (cls == kSlash) {
        ++p;
        break;
      }
      after_comma = false;
      // Most cells of an acreage grid are empty: "0.00" is taken whole.
      if (end - p > 4 && std::memcmp(p, "0.00", 4) == 0 && char_class(p[4]) != kText) {
        row[filled++] = 0.0;
        p += 4;
        continue;
      }
      if (read_plain_decimal(p, end, row[filled])) {
        ++filled;
        continue;
      }
      const char* const token = p;
      while (p < end && char_class(*p) == kText) ++p;
      double value;
      const void* star = std::memchr(token, '*', static_cast<std::size_t>(p - token));
      if (star == nullptr) {
        if (!parse_value(token, p, value)) return FreeGridStatus::kBadValue;
        row[filled++] = value;
        continue;
      }
      const char* const value_start = static_cast<const char*>(star) + 1;
      std::uint64_t count;
      if (!parse_count(token, value_start - 1, count)) return FreeGridStatus::kBadValue;
      const std::size_t n =
          static_cast<std::size_t>(std::min<std::uint64_t>(count, wanted - filled));
      if (value_start == p) {  // r* alone: r null values
        filled += n;
        continue;
      }
      if (!parse_value(value_start, p, value)) return FreeGridStatus::kBadValue;
      std::fill_n(row + filled, n, value);
      filled += n;
    }
    // The rest of the record that ended the row is discarded.
    const void* nl = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    p = nl ? static_cast<const char*>(nl) + 1 : end;
  }
  return FreeGridStatus::kOk;
}

void readflags(std::string_view file, std::span<int> grid, int nrow, int ncol,
               std::span<std::string> names, int& nzone, int maxzone) {
  const std::size_t cells = grid_cells(grid.size(), nrow, ncol);
  if (trimmed(file) == "*") {
    nzone = 1;
    if (!names.empty()) store_name(names[0], "*");
    std::fill_n(grid.data(), cells, 1);
    return;
  }
  if (maxzone > 0 && names.size() < static_cast<std::size_t>(maxzone)) {
    throw std::length_error("fewer zone names than maxzone");
  }

  TextFile in;
  const ReadStatus read = in.open(std::string(trimmed(file)));
  if (read == ReadStatus::kCannotOpen) error2("Error opening file", file);
  if (read == ReadStatus::kTooLong) error2("Error reading file", file);
  if (maxzone <= 0) {
    read_int_rows(in, file, grid, nrow, ncol, 2);
    return;
  }

  std::string header;
  if (!in.next_record(header, kZoneHeaderLength)) error2("Error reading file", file);
  nzone = 0;
  int pos = 1;
  for (;;) {
    int ierr;
    const std::string name = charin(header, pos, pos, ierr);
    if (ierr != 0) break;
    if (++nzone > maxzone) error2("Too many zones in", file);
    store_name(names[static_cast<std::size_t>(nzone - 1)], name);
  }
  read_int_rows(in, file, grid, nrow, ncol, 1);
  // Checked only once the whole file has been read.
  for (std::size_t i = 0; i < cells; ++i) {
    if (grid[i] < 0 || grid[i] > nzone) error2("Zone out of range in file", file);
  }
}

void readreal(std::string_view file, std::span<double> grid, int nrow, int ncol, int nskip) {
  grid_cells(grid.size(), nrow, ncol);
  std::string text;
  const ReadStatus read = read_whole_file(std::string(trimmed(file)), text);
  if (read == ReadStatus::kCannotOpen) error2("Error opening file", file);
  if (read == ReadStatus::kTooLong) error2("Error reading file", file);
  switch (read_free_grid(text, grid, nrow, ncol, nskip)) {
    case FreeGridStatus::kOk:
      return;
    case FreeGridStatus::kShortHeader:
      error2("Error reading file header", file);
    case FreeGridStatus::kBadValue:
      error2("Error reading file", file);
  }
}

}  // namespace utl
