// Record tokenizer and text utilities: fields, numbers, record cleaning and table headers.
//
// A record or text is a fixed-length, blank-padded character value owned by the caller; here it
// is passed as a std::string_view whose size is the declared length. Positions are 1-based, as
// the users of these files count columns. No routine reads outside the view it is given.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace utl {

// Length of the text returned by charin.
inline constexpr int kFieldLength = 256;
// Number of characters of a numeric field that intin and realin convert.
inline constexpr int kNumericWidth = 32;
// Length to which checkhdr cuts and compares labels.
inline constexpr int kLabelLength = 32;

// Next field of `line` from `istart`: a quoted text or a run of non-blanks, cut or padded to 256
// characters. `ipos` is left after the field; `ierr` is 0 when a field was read, -1 otherwise.
std::string charin(std::string_view line, int istart, int& ipos, int& ierr);

// Next plain field as an integer (format I32). `ierr`: 0, -1 (no field) or positive (not an
// integer, or one that does not fit 32 bits). Returns 0 when there is no field.
int intin(std::string_view line, int istart, int& ipos, int& ierr);

// Next plain field as a real (format G32.0: D exponents, sign-only exponents, no implied
// decimals). `ierr` as for intin; a value beyond the range of a double fails.
double realin(std::string_view line, int istart, int& ipos, int& ierr);

// Converts `text`, a number without blanks of any length, in the forms realin accepts (an
// optional sign, digits with at most one point, an exponent of E or D or a bare sign).
// Returns 0 on success, a positive code otherwise; a value too small for a double reads as 0.
int parse_real(std::string_view text, double& value);

// Converts one numeric field as intin does (first 32 characters, blanks ignored).
// Returns 0 on success, a positive code otherwise.
int convert_int(std::string_view field, int& value);

// Converts one numeric field as realin does (first 32 characters, blanks ignored).
// Returns 0 on success, a positive code otherwise.
int convert_real(std::string_view field, double& value);

// Skips blanks from `ipos`; true when nothing but blanks remains to the end of `line`.
bool eol(std::string_view line, int& ipos);

// Position of the last non-blank character of `text`; 1 when it is all blanks.
int length(std::string_view text);

// Position of the last non-blank character of `text`; 0 when it is all blanks.
int length0(std::string_view text);

// `text` up to its last non-blank character; a single blank when it is all blanks.
std::string_view trimmed(std::string_view text);

// `text` cut or blank-padded to exactly `len` characters.
std::string padded(std::string_view text, std::size_t len);

// Folds the letters a to z to upper case in place; nothing else changes.
void uppercase(std::span<char> text);

// Turns every character outside printable ASCII into a blank, in place. Returns 1 for a comment
// record ('#' in column 1), -1 for a blank record and 0 for a data record.
int linefix(std::span<char> line);

// Checks the header record of a labelled table: a time label, then the `n` expected labels in
// order (compared upper-cased, on 32 characters). Stops through error2 on the first mismatch.
// REQUIRES: labels.size() >= n; expected labels in upper case.
void checkhdr(std::string_view file, std::string_view header, std::span<const std::string> labels,
              int n);

}  // namespace utl
