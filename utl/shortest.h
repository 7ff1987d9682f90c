// Shortest decimal form of a double: the fewest significant digits that read back to exactly the
// same double, laid out the way std::to_chars(first, last, value) lays it out.
#pragma once

namespace utl {

// Longest text shortest_chars writes: "-2.2250738585072014e-308".
inline constexpr int kMaxShortest = 24;

// Writes `value` at `out` character for character as std::to_chars without a format writes it
// (fixed or scientific, whichever is shorter, fixed on a tie) and returns the end. Values the
// fast method does not cover (subnormals, infinities, NaNs, whole numbers of 16 digits or
// more written in fixed form) go through std::to_chars itself.
// Characters past the returned end, within kMaxShortest, may be overwritten (its stores are of
// fixed length).
// REQUIRES: room for kMaxShortest characters at `out`.
char* shortest_chars(char* out, double value);

}  // namespace utl
