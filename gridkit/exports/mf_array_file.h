// The model's binary array file, the form its array readers take with "(BINARY)": a header
// record (KSTP, KPER, PERTIM, TOTIM, a 16-character TEXT, NCOL, NROW, ILAY) and then the array
// record, row 1 first, reals in the precision of the model's build.
#pragma once

#include <cstddef>
#include <string>

#include "gridkit/grid.h"

namespace gridkit {

// The length of the header's text.
inline constexpr std::size_t kArrayTextLength = 16;

// The width of the reals in the model's binary files: 8 bytes in a double-precision build,
// 4 in a single-precision one.
enum class RealWidth { kDouble, kSingle };

// What the header record of an array file holds besides the grid's shape.
struct ArrayHeader {
  int kstp = 1;
  int kper = 1;
  double pertim = 0.0;
  double totim = 0.0;
  std::string text = "RECHARGE";  // right-justified in 16 characters, as the model writes it
  int layer = 1;
};

// Throws Failure naming `path` and the cell when a value of `grid` cannot be carried into the
// model at `width`: a cell the grid file could not show, or one beyond single precision.
void check_array_values(const Grid& grid, RealWidth width, const std::string& path);

// The bytes of the array file of `grid`: two framed records.
std::string encode_array_file(const Grid& grid, const ArrayHeader& header, RealWidth width);

// The same into `file`, which keeps its storage, for writing many grids one after another.
void encode_array_file_into(const Grid& grid, const ArrayHeader& header, RealWidth width,
                            std::string& file);

}  // namespace gridkit
