// Throughput of the grid files at full grid size: free-format acreage grids read by readreal,
// and recharge grids written by storemonth as text and as binary records.
//
// Usage: grid_bench [repetitions]   (prints one line per case: median time and MB/s)
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "utl/gridread.h"
#include "utl/storemonth.h"

namespace {

constexpr int kNrow = 165;
constexpr int kNcol = 326;
constexpr std::size_t kCells = static_cast<std::size_t>(kNrow) * kNcol;

// An acreage grid as an area's file holds it: a header line, then one row per line of "0.00"
// for empty cells and two decimals inside an irregular blob of `blob` cells.
std::string acreage_file(std::size_t blob, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<double> acres(kCells, 0.0);
  std::size_t cell = kCells / 2 + random() % 1000;
  for (std::size_t n = 0; n < blob; ++n) {
    acres[cell] = static_cast<double>(random() % 64000) / 100.0;
    // A random walk keeps the blob contiguous.
    const std::size_t step = random() % 4;
    if (step == 0 && cell + 1 < kCells) ++cell;
    if (step == 1 && cell > 0) --cell;
    if (step == 2 && cell + kNcol < kCells) cell += kNcol;
    if (step == 3 && cell >= kNcol) cell -= kNcol;
  }
  std::string text = "acreage of one irrigated area, acres per cell\n";
  char item[32];
  for (int r = 0; r < kNrow; ++r) {
    for (int c = 0; c < kNcol; ++c) {
      const int n = std::snprintf(item, sizeof item, c == 0 ? "%.2f" : " %.2f",
                                  acres[static_cast<std::size_t>(r) * kNcol + c]);
      text.append(item, static_cast<std::size_t>(n));
    }
    text += '\n';
  }
  return text;
}

// A recharge grid: shares of return flows in `active` of the cells, zeros elsewhere.
std::vector<double> recharge_grid(double active, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  std::vector<double> grid(kCells, 0.0);
  for (double& v : grid) {
    if (uniform(random) < active) v = uniform(random) * 1234.5 / 3.0;
  }
  return grid;
}

template <typename Work>
double median_seconds(int repetitions, Work work) {
  std::vector<double> times;
  for (int k = 0; k < repetitions; ++k) {
    const auto start = std::chrono::steady_clock::now();
    work();
    times.push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void report(const char* what, double seconds, std::size_t bytes) {
  std::printf("%-44s %9.3f ms %9.1f MB/s  (%zu bytes)\n", what, seconds * 1e3,
              static_cast<double>(bytes) / seconds / 1e6, bytes);
}

}  // namespace

int main(int argc, char** argv) {
  const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 101;
  char dir_template[] = "/tmp/grid_bench.XXXXXX";
  if (mkdtemp(dir_template) == nullptr) return 1;
  const std::filesystem::path dir(dir_template);
  std::vector<double> grid(kCells);

  for (const std::size_t blob : {std::size_t{0}, std::size_t{3000}, kCells}) {
    const std::string text = acreage_file(blob, 17);
    const std::string file = (dir / "acres.dat").string();
    if (FILE* out = std::fopen(file.c_str(), "wb")) {
      std::fwrite(text.data(), 1, text.size(), out);
      std::fclose(out);
    }
    const std::string label = " (" + std::to_string(blob) + " nonzero cells)";
    report(("readreal parse" + label).c_str(),
           median_seconds(repetitions,
                          [&] {
                            if (utl::read_free_grid(text, grid, kNrow, kNcol, 1) !=
                                utl::FreeGridStatus::kOk) {
                              std::abort();
                            }
                          }),
           text.size());
    report(("readreal file" + label).c_str(),
           median_seconds(repetitions, [&] { utl::readreal(file, grid, kNrow, kNcol, 1); }),
           text.size());
  }

  for (const double active : {0.05, 0.6}) {
    const std::vector<double> rech = recharge_grid(active, 5);
    for (const int bin : {0, 1}) {
      const double seconds = median_seconds(repetitions, [&] {
        utl::storemonth(rech, 1.0, kNrow, kNcol, 1950, 7, dir.string(), "rch", bin);
      });
      const auto bytes = std::filesystem::file_size(dir / "1950.07.rch");
      const std::string label = std::string("storemonth ") + (bin ? "binary" : "text") + " (" +
                                std::to_string(static_cast<int>(active * 100)) + "% nonzero)";
      report(label.c_str(), seconds, bytes);
    }
  }
  std::filesystem::remove_all(dir);
  return 0;
}
