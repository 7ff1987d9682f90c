// Shortest round-trip formatting of doubles: utl::shortest_chars against std::to_chars, on the
// same values, for agreement (every character) and speed.
//
// Usage: shortest_bench [batches]   (default 6400 batches of 65536 values of each kind)
#include <bit>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "utl/shortest.h"

namespace {

using Clock = std::chrono::steady_clock;

// Values of one kind: any bit pattern, or recharge-like quotients of acreage and flows.
double make(int kind, std::mt19937_64& random) {
  if (kind == 0) return std::bit_cast<double>(random());
  const double acres = static_cast<double>(random() % 64000) / 100.0;
  const double total = 1.0 + static_cast<double>(random() % 300000) / 100.0;
  const double flow = static_cast<double>(random() % 1000000) / 100.0;
  return acres / total * flow;
}

}  // namespace

int main(int argc, char** argv) {
  const long batches = argc > 1 ? std::atol(argv[1]) : 6400;
  const char* kinds[] = {"any bit pattern", "recharge-like"};
  long mismatches = 0;
  for (int kind = 0; kind < 2; ++kind) {
    std::mt19937_64 random(static_cast<unsigned>(kind + 1));
    double ours_s = 0.0;
    double library_s = 0.0;
    std::vector<double> batch(1 << 16);
    std::vector<char> a(batch.size() * 32);
    std::vector<char> b(batch.size() * 32);
    long done = 0;
    for (long m = 0; m < batches; ++m) {
      for (double& v : batch) v = make(kind, random);
      auto start = Clock::now();
      for (std::size_t i = 0; i < batch.size(); ++i) utl::shortest_chars(&a[32 * i], batch[i]);
      ours_s += std::chrono::duration<double>(Clock::now() - start).count();
      start = Clock::now();
      for (std::size_t i = 0; i < batch.size(); ++i)
        *std::to_chars(&b[32 * i], &b[32 * i + 31], batch[i]).ptr = '\0';
      library_s += std::chrono::duration<double>(Clock::now() - start).count();
      for (std::size_t i = 0; i < batch.size(); ++i) {
        char* end = utl::shortest_chars(&a[32 * i], batch[i]);
        *end = '\0';
        if (std::strcmp(&a[32 * i], &b[32 * i]) != 0) {
          if (++mismatches <= 10) std::printf("mismatch: %s vs %s\n", &a[32 * i], &b[32 * i]);
        }
      }
      done += static_cast<long>(batch.size());
    }
    std::printf("%-16s %ld values: shortest_chars %.1f ns, std::to_chars %.1f ns per value\n",
                kinds[kind], done, 1e9 * ours_s / static_cast<double>(done),
                1e9 * library_s / static_cast<double>(done));
  }
  std::printf("mismatches: %ld\n", mismatches);
  return mismatches == 0 ? 0 : 1;
}
