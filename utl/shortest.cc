// Shortest decimal form of a double.
//
// The digits come from the interval method of R. Giulietti ("The Schubfach way to render
// doubles", 2020): every decimal that reads back to v = c 2^q lies in the rounding interval
// R_v around v. With k = floor(log10 2^q) (a 3/4 factor when c is a power of two and the spacing
// below v is half the spacing above), R_v scaled by 10^-k is between 1 and 10 units wide, so the
// shortest decimal in it is either a multiple of 10 next to v (one digit fewer) or one of the
// two integers next to v; of two such integers the nearer to v wins, the even one on a tie. The
// scaled bounds are products of c with a 126-bit over-approximation g of 10^-k, rounded to odd,
// which keeps every comparison with the candidates exact. Those are the digits std::to_chars
// gives (shortest, then nearest, then even); the layout below is its layout. The test compares
// the two on many millions of doubles of every exponent. A compiler without a 128-bit integer
// type (Visual C++) uses std::to_chars itself, which writes the same characters.
#include "utl/shortest.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace utl {

#ifdef __SIZEOF_INT128__
namespace {

using u64 = std::uint64_t;
using u128 = unsigned __int128;

constexpr int kMinPow = -292;  // powers 10^e with a factor in the table
constexpr int kMaxPow = 324;
constexpr u64 kMask63 = (u64{1} << 63) - 1;
constexpr u64 kCMin = u64{1} << 52;  // smallest significand of a normal double
constexpr int kQMin = -1074;         // exponent of the smallest normal and of every subnormal

// floor(log10(2^e)), floor(log10(3/4 2^e)) and floor(log2(10^e)), exact for |e| < 5000.
constexpr int flog10pow2(int e) { return static_cast<int>((e * 661971961083LL) >> 41); }
constexpr int flog10_three_quarters_pow2(int e) {
  return static_cast<int>((e * 661971961083LL - 274743187321LL) >> 41);
}
constexpr int flog2pow10(int e) { return static_cast<int>((e * 913124641741LL) >> 38); }

// g = floor(10^e 2^-r) + 1 with 2^125 <= 10^e 2^-r < 2^126, split as g1 2^63 + g0.
struct Pow10Factor {
  u64 g1;
  u64 g0;
};

// A plain unsigned big number for building the table at compile time.
constexpr int kWords = 28;
using Big = std::array<std::uint32_t, kWords>;

constexpr int bit_length(const Big& x) {
  for (int i = kWords - 1; i >= 0; --i) {
    if (x[static_cast<std::size_t>(i)] != 0)
      return 32 * i + std::bit_width(x[static_cast<std::size_t>(i)]);
  }
  return 0;
}

constexpr void multiply(Big& x, std::uint32_t m) {
  u64 carry = 0;
  for (auto& w : x) {
    const u64 p = u64{w} * m + carry;
    w = static_cast<std::uint32_t>(p);
    carry = p >> 32;
  }
  if (carry != 0) throw "table number overflows";
}

constexpr void divide(Big& x, std::uint32_t d) {
  u64 rest = 0;
  for (int i = kWords - 1; i >= 0; --i) {
    const u64 cur = (rest << 32) | x[static_cast<std::size_t>(i)];
    x[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(cur / d);
    rest = cur % d;
  }
}

// The leading 126 bits of x, and `shift` with x = result 2^shift (floor when shift > 0).
constexpr u128 leading126(const Big& x, int& shift) {
  const int len = bit_length(x);
  shift = len - 126;
  u128 r = 0;
  for (int i = len - 1; i >= len - 126; --i) {
    const bool b = i >= 0 && ((x[static_cast<std::size_t>(i / 32)] >> (i % 32)) & 1) != 0;
    r = (r << 1) | (b ? 1 : 0);
  }
  return r;
}

constexpr std::array<Pow10Factor, kMaxPow - kMinPow + 1> make_factors() {
  std::array<Pow10Factor, kMaxPow - kMinPow + 1> table{};
  const auto put = [&table](int e, u128 beta, int r) {
    if (r != flog2pow10(e) - 125) throw "binary exponent of a power of ten";
    const u128 g = beta + 1;
    if ((g >> 126) != 0) throw "factor longer than 126 bits";
    table[static_cast<std::size_t>(e - kMinPow)] = {static_cast<u64>(g >> 63),
                                                    static_cast<u64>(g) & kMask63};
  };
  // 10^e = 5^e 2^e: the leading bits of 5^e, exact while 5^e has at most 126 bits.
  Big five{};
  five[0] = 1;
  for (int e = 0; e <= kMaxPow; ++e) {
    int shift = 0;
    const u128 beta = leading126(five, shift);
    put(e, beta, shift + e);
    multiply(five, 5);
  }
  // 10^-j = 2^-j-N (2^N / 5^j), and floor(floor(x / 5) / 5) = floor(x / 25).
  constexpr int kN = 32 * kWords - 1;
  Big quotient{};
  quotient[kWords - 1] = std::uint32_t{1} << 31;
  for (int j = 1; j <= -kMinPow; ++j) {
    divide(quotient, 5);
    int shift = 0;
    const u128 beta = leading126(quotient, shift);
    put(-j, beta, shift - kN - j);
  }
  return table;
}

constexpr std::array<Pow10Factor, kMaxPow - kMinPow + 1> kFactors = make_factors();

u64 multiply_high(u64 a, u64 b) { return static_cast<u64>((u128{a} * b) >> 64); }

// g cp 2^-127 rounded to odd: the floor, with the lowest bit set when anything was cut off.
u64 round_to_odd(const Pow10Factor& g, u64 cp) {
  const u64 x1 = multiply_high(g.g0, cp);
  const u128 y = u128{g.g1} * cp;
  const u64 z = (static_cast<u64>(y) >> 1) + x1;
  const u64 vbp = static_cast<u64>(y >> 64) + (z >> 63);
  return vbp | (((z & kMask63) + kMask63) >> 63);
}

// The shortest decimal digits f 10^e of the normal double c 2^q (c holds its hidden bit).
void shortest_decimal(u64 c, int q, u64& f, int& e) {
  // Whole numbers below 2^53 are their own shortest form.
  if (q < 0 && q > -53) {
    const u64 whole = c >> -q;
    if (whole << -q == c) {
      f = whole;
      e = 0;
      return;
    }
  }
  const u64 out = c & 1;  // an odd significand's interval excludes its bounds
  const u64 cb = c << 2;
  const u64 cbr = cb + 2;
  u64 cbl;
  int k;
  if (c != kCMin || q == kQMin) {
    cbl = cb - 2;
    k = flog10pow2(q);
  } else {
    cbl = cb - 1;
    k = flog10_three_quarters_pow2(q);
  }
  const int h = q + flog2pow10(-k) + 2;
  const Pow10Factor& g = kFactors[static_cast<std::size_t>(-k - kMinPow)];
  const u64 vb = round_to_odd(g, cb << h);
  const u64 vbl = round_to_odd(g, cbl << h);
  const u64 vbr = round_to_odd(g, cbr << h);

  // One digit fewer: the multiples of ten either side of v (at most one lies in the interval).
  const u64 s = vb >> 2;
  const u64 sp10 = 10 * (s / 10);
  const u64 tp10 = sp10 + 10;
  const bool upin = vbl + out <= sp10 << 2;
  const bool wpin = (tp10 << 2) + out <= vbr;
  if (upin != wpin) {
    f = upin ? sp10 : tp10;
    e = k;
    return;
  }
  // The integers either side of v: the one inside, or the nearer, or the even one.
  const u64 t = s + 1;
  const bool uin = vbl + out <= s << 2;
  const bool win = (t << 2) + out <= vbr;
  e = k;
  if (uin != win) {
    f = uin ? s : t;
    return;
  }
  const u64 mid = (s + t) << 1;
  f = vb < mid || (vb == mid && (s & 1) == 0) ? s : t;
}

constexpr char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The eight decimal digits of `v` < 10^8 as the characters of a word, first digit in the
// lowest byte: lanes of four, then two, then one digit, each a multiply and a shift (exact for
// these ranges), so the digits never pass through memory on their way out.
u64 eight_digits(std::uint32_t v) {
  u64 x = (v / 10000) | (u64{v % 10000} << 32);
  u64 y = ((x * 10486) >> 20) & 0x0000007F0000007FULL;  // x / 100 in each 32-bit lane
  x = y | ((x - y * 100) << 16);
  y = ((x * 103) >> 10) & 0x000F000F000F000FULL;  // x / 10 in each 16-bit lane
  x = y | ((x - y * 10) << 8);
  return x | 0x3030303030303030ULL;
}

// Stores the characters of `word` at `out`, lowest byte first.
void store(char* out, u64 word) {
  if constexpr (std::endian::native == std::endian::big) {
    u64 swapped = 0;
    for (int i = 0; i < 8; ++i) swapped |= ((word >> (8 * i)) & 0xff) << (56 - 8 * i);
    word = swapped;
  }
  std::memcpy(out, &word, 8);
}

constexpr std::array<u64, 20> kPow10 = [] {
  std::array<u64, 20> p{};
  p[0] = 1;
  for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
  return p;
}();

// Number of decimal digits of f > 0.
int digit_count(u64 f) {
  const int t = (static_cast<int>(std::bit_width(f)) * 1233) >> 12;  // floor(log10 f) or one above
  return t + 1 - (f < kPow10[static_cast<std::size_t>(t)] ? 1 : 0);
}

}  // namespace

char* shortest_chars(char* out, double value) {
  const u64 bits = std::bit_cast<u64>(value);
  const u64 fraction = bits & ((u64{1} << 52) - 1);
  const int biased = static_cast<int>((bits >> 52) & 0x7ff);
  if (biased == 0 && fraction == 0) {
    if ((bits >> 63) != 0) *out++ = '-';
    *out++ = '0';
    return out;
  }
  if (biased == 0 || biased == 0x7ff) return std::to_chars(out, out + kMaxShortest, value).ptr;

  u64 f;
  int e;
  shortest_decimal(fraction | kCMin, biased - 1075, f, e);
  // The significant digits, left-aligned in 17 characters with zeros after them: the first,
  // then two words of eight. n of them count; x is the exponent of the scientific form.
  char first;
  u64 middle;
  u64 last;
  int n;
  int x;
  if (f >= kPow10[15]) {
    // 16 or 17 digits (every normal double but whole numbers): the digits of f as they stand,
    // its trailing zeros counted in the characters rather than divided out.
    const u64 high = f / 100000000;
    const auto lead = static_cast<std::uint32_t>(high / 100000000);
    middle = eight_digits(static_cast<std::uint32_t>(high % 100000000));
    last = eight_digits(static_cast<std::uint32_t>(f % 100000000));
    x = e + 16;
    first = static_cast<char>('0' + lead);
    if (lead == 0) {
      first = static_cast<char>(middle & 0xff);
      middle = (middle >> 8) | (last << 56);
      last = (last >> 8) | (u64{'0'} << 56);
      --x;
    }
    constexpr u64 kZeros = 0x3030303030303030ULL;
    int zeros = std::countl_zero(last ^ kZeros) / 8;
    if (zeros == 8) zeros += std::countl_zero(middle ^ kZeros) / 8;
    n = 17 - zeros;
    e = x - n + 1;
  } else {
    while (f % 10 == 0) {
      f /= 10;
      ++e;
    }
    n = digit_count(f);
    x = e + n - 1;
    const u64 padded = f * kPow10[static_cast<std::size_t>(17 - n)];
    const u64 high = padded / 100000000;
    first = static_cast<char>('0' + high / 100000000);
    middle = eight_digits(static_cast<std::uint32_t>(high % 100000000));
    last = eight_digits(static_cast<std::uint32_t>(padded % 100000000));
  }
  const int scientific = n + (n > 1 ? 1 : 0) + (x >= 100 || x <= -100 ? 5 : 4);
  const int fixed = x >= 0 ? (e >= 0 ? n + e : n + 1) : n + 1 - x;
  // A fixed whole number beyond 2^53 shows the double's exact digits, not the shortest ones.
  if (fixed <= scientific && x >= 15) return std::to_chars(out, out + kMaxShortest, value).ptr;

  if ((bits >> 63) != 0) *out++ = '-';
  if (fixed <= scientific) {
    if (x < 0) {
      // 0.000ddd (at most three zeros after the point)
      std::memcpy(out, "0.000000", 8);
      out += 1 - x;
      out[0] = first;
      store(out + 1, middle);
      store(out + 9, last);
      return out + n;
    }
    out[0] = first;
    if (e >= 0) {
      // ddd000: the padding zeros are the number's zeros (at most 15 characters)
      store(out + 1, middle);
      store(out + 9, last);
      return out + x + 1;
    }
    // ddd.ddd: the 16 digits after the first, with the point after the first x of them
    // (x <= 14 here); the last digit moves past the 16 bytes.
    const u128 tail = u128{middle} | (u128{last} << 64);
    const u128 low = (u128{1} << (8 * x)) - 1;
    const u128 shown = (tail & low) | (u128{'.'} << (8 * x)) | ((tail & ~low) << 8);
    store(out + 1, static_cast<u64>(shown));
    store(out + 9, static_cast<u64>(shown >> 64));
    out[17] = static_cast<char>(last >> 56);
    return out + n + 1;
  }
  // d.ddde+xx
  out[0] = first;
  out[1] = '.';
  store(out + 2, middle);
  store(out + 10, last);
  out += n > 1 ? n + 1 : 1;
  *out++ = 'e';
  *out++ = x < 0 ? '-' : '+';
  const int magnitude = x < 0 ? -x : x;
  if (magnitude >= 100) {
    *out++ = static_cast<char>('0' + magnitude / 100);
    std::memcpy(out, kPairs + 2 * (magnitude % 100), 2);
  } else {
    std::memcpy(out, kPairs + 2 * magnitude, 2);
  }
  return out + 2;
}

#else

char* shortest_chars(char* out, double value) {
  return std::to_chars(out, out + kMaxShortest, value).ptr;
}

#endif  // __SIZEOF_INT128__

}  // namespace utl
