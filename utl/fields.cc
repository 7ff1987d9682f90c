// Record tokenizer and text utilities.
#include "utl/fields.h"

#include <charconv>
#include <climits>
#include <cstdint>

#include "utl/fatal.h"

namespace utl {
namespace {

constexpr char kBlank = ' ';
constexpr char kQuote = '"';

// Conversion failure codes (only "nonzero" matters to callers).
constexpr int kBadForm = 1;
constexpr int kOutOfRange = 2;

// The character at 1-based position `pos` of a record.
char at(std::string_view line, int pos) { return line[static_cast<std::size_t>(pos - 1)]; }

// The record's length as the field readers count it: positions are ints.
int declared_length(std::string_view line) {
  return line.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(line.size());
}

// Skips the blanks from `istart` to the start of the next field, as every field reader begins.
// Returns false when no field remains; ipos is then one past the end of the record, or
// `istart` when that already lies beyond it.
bool skip_to_field(std::string_view line, int istart, int& ipos) {
  const int len = declared_length(line);
  ipos = istart < 1 ? 1 : istart;
  while (ipos <= len && at(line, ipos) == kBlank) ++ipos;
  if (ipos > len) {
    if (istart <= len)
      ipos = len + 1;
    else
      ipos = istart;
    return false;
  }
  return true;
}

// Advances ipos over a plain field; returns the field's characters.
std::string_view plain_field(std::string_view line, int& ipos) {
  const int len = declared_length(line);
  const int start = ipos;
  while (ipos <= len && at(line, ipos) != kBlank) ++ipos;
  return line.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(ipos - start));
}

// The first 32 characters of a numeric field with its blanks removed, in `out`.
std::string_view numeric_chars(std::string_view field, char (&out)[kNumericWidth]) {
  if (field.size() > static_cast<std::size_t>(kNumericWidth))
    field = field.substr(0, kNumericWidth);
  std::size_t n = 0;
  for (char c : field) {
    if (c != kBlank) out[n++] = c;
  }
  return std::string_view(out, n);
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int convert_int(std::string_view field, int& value) {
  char buffer[kNumericWidth];
  std::string_view chars = numeric_chars(field, buffer);
  value = 0;
  std::size_t i = 0;
  bool negative = false;
  if (i < chars.size() && (chars[i] == '+' || chars[i] == '-')) negative = chars[i++] == '-';
  if (i == chars.size()) return chars.empty() ? 0 : kBadForm;  // an empty field reads as 0
  std::int64_t magnitude = 0;
  for (; i < chars.size(); ++i) {
    if (!is_digit(chars[i])) return kBadForm;
    magnitude = magnitude * 10 + (chars[i] - '0');
    if (magnitude > static_cast<std::int64_t>(INT_MAX) + 1) return kOutOfRange;
  }
  const std::int64_t signed_value = negative ? -magnitude : magnitude;
  if (signed_value > INT_MAX || signed_value < INT_MIN) return kOutOfRange;
  value = static_cast<int>(signed_value);
  return 0;
}

int parse_real(std::string_view chars, double& value) {
  value = 0.0;
  // Rewrite the Fortran forms as sign, mantissa digits, 'e', exponent for from_chars; the
  // exponent is held to 6 digits, far beyond the range of a double.
  char small[64];
  std::string large;
  char* normal = small;
  if (chars.size() + 9 > sizeof small) {
    large.resize(chars.size() + 9);
    normal = large.data();
  }
  std::size_t n = 0;
  std::size_t i = 0;
  bool negative = false;
  if (i < chars.size() && (chars[i] == '+' || chars[i] == '-')) negative = chars[i++] == '-';
  if (negative) normal[n++] = '-';
  int digits = 0;
  long long leading_exponent = 0;  // decimal exponent of the first nonzero digit, for range checks
  bool seen_point = false;
  bool seen_nonzero = false;
  for (; i < chars.size(); ++i) {
    const char c = chars[i];
    if (is_digit(c)) {
      ++digits;
      if (c != '0' && !seen_nonzero) seen_nonzero = true;
      if (seen_nonzero && !seen_point) ++leading_exponent;
      if (!seen_nonzero && seen_point) --leading_exponent;
      normal[n++] = c;
    } else if (c == '.' && !seen_point) {
      seen_point = true;
      normal[n++] = c;
    } else {
      break;
    }
  }
  if (digits == 0) return kBadForm;
  long long exponent = 0;
  if (i < chars.size()) {
    // An exponent: a letter E or D with an optional sign, or a sign alone (1.5-3).
    const char c = chars[i];
    if (c == 'e' || c == 'E' || c == 'd' || c == 'D') {
      ++i;
    } else if (c != '+' && c != '-') {
      return kBadForm;
    }
    bool exp_negative = false;
    if (i < chars.size() && (chars[i] == '+' || chars[i] == '-')) exp_negative = chars[i++] == '-';
    if (i == chars.size()) return kBadForm;
    for (; i < chars.size(); ++i) {
      if (!is_digit(chars[i])) return kBadForm;
      if (exponent < 100000) exponent = exponent * 10 + (chars[i] - '0');
    }
    if (exp_negative) exponent = -exponent;
    normal[n++] = 'e';
    n = static_cast<std::size_t>(std::to_chars(normal + n, normal + n + 8, exponent).ptr - normal);
  }
  auto [end, ec] = std::from_chars(normal, normal + n, value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    // Too small for a double reads as zero, as a Fortran read does; too large fails.
    if (!seen_nonzero || leading_exponent + exponent <= 0) {
      value = negative ? -0.0 : 0.0;
      return 0;
    }
    value = 0.0;
    return kOutOfRange;
  }
  if (ec != std::errc() || end != normal + n) {
    value = 0.0;
    return kBadForm;
  }
  return 0;
}

int convert_real(std::string_view field, double& value) {
  char buffer[kNumericWidth];
  const std::string_view chars = numeric_chars(field, buffer);
  value = 0.0;
  if (chars.empty()) return 0;  // an empty field reads as 0
  return parse_real(chars, value);
}

std::string charin(std::string_view line, int istart, int& ipos, int& ierr) {
  ierr = -1;
  if (!skip_to_field(line, istart, ipos)) return std::string(kFieldLength, kBlank);
  const int len = declared_length(line);
  std::string_view text;
  if (at(line, ipos) == kQuote) {
    const int start = ++ipos;
    while (ipos <= len && at(line, ipos) != kQuote) ++ipos;
    if (ipos > len) return std::string(kFieldLength, kBlank);  // no closing quote
    text = line.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(ipos - start));
    ++ipos;
  } else {
    text = plain_field(line, ipos);
  }
  ierr = 0;
  return padded(text, kFieldLength);
}

int intin(std::string_view line, int istart, int& ipos, int& ierr) {
  ierr = -1;
  if (!skip_to_field(line, istart, ipos)) return 0;
  int value = 0;
  ierr = convert_int(plain_field(line, ipos), value);
  return value;
}

double realin(std::string_view line, int istart, int& ipos, int& ierr) {
  ierr = -1;
  if (!skip_to_field(line, istart, ipos)) return 0.0;
  double value = 0.0;
  ierr = convert_real(plain_field(line, ipos), value);
  return value;
}

bool eol(std::string_view line, int& ipos) {
  const int len = declared_length(line);
  if (ipos < 1) ipos = 1;
  while (ipos <= len && at(line, ipos) == kBlank) ++ipos;
  return ipos > len;
}

int length0(std::string_view text) {
  std::size_t n = text.find_last_not_of(kBlank);
  return n == std::string_view::npos ? 0 : static_cast<int>(n + 1);
}

int length(std::string_view text) {
  const int n = length0(text);
  return n == 0 ? 1 : n;
}

std::string_view trimmed(std::string_view text) {
  const int n = length0(text);
  return n == 0 ? std::string_view(" ") : text.substr(0, static_cast<std::size_t>(n));
}

std::string padded(std::string_view text, std::size_t len) {
  std::string result(text.substr(0, len));
  result.resize(len, kBlank);
  return result;
}

void uppercase(std::span<char> text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
}

int linefix(std::span<char> line) {
  for (char& c : line) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 32 || code > 126) c = kBlank;
  }
  if (!line.empty() && line[0] == '#') return 1;
  return length0(std::string_view(line.data(), line.size())) == 0 ? -1 : 0;
}

void checkhdr(std::string_view file, std::string_view header, std::span<const std::string> labels,
              int n) {
  int pos = 1;
  int ierr = 0;
  charin(header, pos, pos, ierr);
  if (ierr != 0) error2("Invalid time label", file);
  for (int k = 0; k < n; ++k) {
    std::string label = charin(header, pos, pos, ierr).substr(0, kLabelLength);
    if (ierr != 0) error2("Invalid data label", file);
    uppercase(label);
    if (label != padded(labels[static_cast<std::size_t>(k)], kLabelLength)) {
      error2("Data label out of order " + label, file);
    }
  }
}

}  // namespace utl
